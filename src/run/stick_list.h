// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a song list on a stick, as the files they name: which song
// file a line stands for, and the list without some songs.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>

#include "run/vod_text.h"

// The song number ("660001") line i of the list names: the product line's
// reading (songNoOf) when the line is one of its songs; else the first field
// between ';' that is "66" and four digits, since a line the product line
// refuses (another product line's, one with a field too many) still names
// that file. "" when the line names none.
std::string SongNumberOfLine(const TVodText& vod, std::size_t i,
                             const std::function<std::string(const std::string&)>& songNoOf);

// The bytes of the list without the lines that name one of numbers: the
// other lines as the file holds them, in order, each ended by CR LF, behind
// the byte-order mark when the list has one. "" when no line is left.
std::string ListWithout(const TVodText& vod, const std::set<std::string>& numbers,
                        const std::function<std::string(const std::string&)>& songNoOf);
