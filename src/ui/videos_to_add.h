// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the files an owner chose or dropped become songs: the rule of
// "添加歌曲" and of a drop onto the grid, once. It shows nothing; the form
// tells the owner of what was refused.
#pragma once

#include <set>
#include <string>

#include "model/song_file_name.h"
#include "text/uPublic.h"

namespace platform {
class Env;
}

struct TVideosToAdd {
  TStringList files;    // to add, in the order chosen (a folder's in name order)
  std::string refused;  // one "name（why）" line per file left out, "" for none
};

// The videos of chosen (GBK paths; a folder gives the videos in it, in name
// order, and its other files are not considered): each file once and none
// that the grid holds already (taken), only video files, names whose title
// and singer (read in order) do not break vod.txt, and files smaller than
// largest bytes. Never throws for what the files are.
TVideosToAdd VideosToAdd(const TStringList& chosen, const std::set<std::string>& taken,
                         TNameOrder order, std::int64_t largest, platform::Env& env);
