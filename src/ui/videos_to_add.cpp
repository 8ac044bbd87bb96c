// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/videos_to_add.h"

#include <algorithm>

#include "platform/env.h"
#include "ui/grid_rules.h"
#include "ui/ui_texts.h"

TVideosToAdd VideosToAdd(const TStringList& chosen, const std::set<std::string>& taken,
                         TNameOrder order, std::int64_t largest, platform::Env& env) {
  TVideosToAdd result;
  std::set<std::string> seen = taken;
  auto refuse = [&](const std::string& path, const std::string& why) {
    result.refused += ui_text::RefusedFile(ExtractName(path), why) + "\r\n";
  };
  auto consider = [&](const std::string& path) {
    TBaseSongData names;
    ParseSongFileName(path, names, order);
    if (!IsVideoFile(path)) {
      refuse(path, ui_text::NotAVideo());
    } else if (!seen.insert(path).second) {
      refuse(path, ui_text::AddedBefore());
    } else if (BreaksVodLine(names.SongName) || BreaksVodLine(names.Singer)) {
      refuse(path, ui_text::NameBreaksList());
    } else if (const std::int64_t size = env.FileSize(path); size >= largest) {
      // The jukebox reads FAT32 sticks, which hold no file of 4 GiB.
      refuse(path, ui_text::VideoTooLarge(FormatDiskSize(size)));
    } else {
      result.files.push_back(path);
    }
  };
  for (const auto& path : chosen) {
    if (!env.DirExists(path)) {
      consider(path);
      continue;
    }
    // A folder: the videos in it, in name order; its other files are not
    // what the owner meant to add.
    TStringList names = env.ListFiles(path);
    std::sort(names.begin(), names.end());
    const bool separated = path.ends_with('/') || path.ends_with('\\');
    const std::string folder = separated ? path : path + env.PathSeparator();
    for (const auto& name : names) {
      if (IsVideoFile(name)) consider(folder + name);
    }
  }
  return result;
}
