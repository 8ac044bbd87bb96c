// The shared helpers that need the song list's types or the operating system:
// title and singer from a file name, the free space of a volume, a message
// box. The pure string helpers are in text/uPublic.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/songdata.h"
#include "model/window_side.h"

namespace platform {
class Env;
}

// Takes title and singer from a video file name "title-singer.ext", in any
// folder. The folder ends at the last '\', '/' or ':'; the name is what comes
// before the first '.'; SongName := the part before the first '-', Singer :=
// the part between the first and second '-' (left unchanged when the name has
// no '-'). Nothing is trimmed. An empty file name changes nothing.
void ParseSongFileName(std::string_view fileName, TBaseSongData& record);

// The free bytes of the volume that holds the path, as many as this user may
// write; -1 when they cannot be read. Asks env, or the real system when env is
// null.
std::int64_t DiskFreeBytes(const std::string& path, platform::Env* env = nullptr);

// Shows a modal message box owned by the window: caption, text, one OK button
// and the icon of kind 0 warning, 1 error, 2 information, 3 question. Any other
// kind, or no window, shows nothing.
void ShowMsg(TWindowSide* owner, const std::string& caption, const std::string& text, int kind);
