// Title and singer from a video file's name.
#pragma once

#include <string_view>

#include "model/songdata.h"

// Takes title and singer from a video file name "title-singer.ext", in any
// folder. The folder ends at the last '\', '/' or ':'; the name is what comes
// before the first '.'; SongName := the part before the first '-', Singer :=
// the part between the first and second '-' (left unchanged when the name has
// no '-'). Nothing is trimmed. An empty file name changes nothing.
void ParseSongFileName(std::string_view fileName, TBaseSongData& record);
