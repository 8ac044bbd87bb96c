// SPDX-License-Identifier: GPL-3.0-or-later
// Title and singer from a video file's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/songdata.h"

// How the owner's collection names its videos: "title-singer" (the default)
// or "singer-title".
enum class TNameOrder : std::uint8_t { kTitleSinger, kSingerTitle };

// The order as the settings and the console's option write it:
// "title-singer" or "singer-title". NameOrderFromText gives nullopt for any
// other text. Never throw.
std::string_view NameOrderText(TNameOrder order);
std::optional<TNameOrder> NameOrderFromText(std::string_view text);

// Takes title and singer from a video file name such as "title-singer.ext",
// in any folder:
// - the folder ends at the last '\', '/' or ':'; the extension is what
//   follows the last '.' (a name without '.' has none), so dots inside a
//   title or singer stay;
// - a leading track number, one to three digits followed by '.', '、', '_'
//   or a space ("01.", "07 ", "3、"), is not part of the title, unless
//   nothing but a '-' part would be left;
// - the rest splits at '-': the first part and the second (up to a third
//   '-', if any) are title and singer in the given order; with no '-' the
//   whole is the title and Singer is left unchanged;
// - title and singer are trimmed (the spaces around '-' are not theirs).
// An empty file name changes nothing. Never throws.
void ParseSongFileName(std::string_view fileName, TBaseSongData& record,
                       TNameOrder order = TNameOrder::kTitleSinger);
