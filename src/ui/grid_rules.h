// SPDX-License-Identifier: GPL-3.0-or-later
// Rules about what may enter the grid, shared by every way in: a typed cell,
// a file name, a console's corrections.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// True when the text would break a vod.txt line: it holds ';' (the field
// separator), a line break or another control character (a byte below 0x20).
bool BreaksVodLine(std::string_view text);

// True for a video file the tool takes, by its extension (any case): one of
// those the file dialog offers (ui_text::VideoFilter).
bool IsVideoFile(std::string_view path);

// What a box that takes digits only keeps of typed or pasted text: its
// digits, at most most of them (0: no limit).
std::string KeepDigits(std::string_view text, std::size_t most);

// The paths the owner chose or gave (UTF-8, as file dialogs and command
// lines give them) in GBK, the text of the core, in order; a path with no
// GBK form is refused and returned apart, for the front end to name after
// ui_text::FileNamesNotGbk.
struct TChosenPaths {
  std::vector<std::string> gbk;
  std::vector<std::string> refused;  // UTF-8
};
TChosenPaths GbkPathsOf(const std::vector<std::string>& utf8Paths);

// The whole message a front end shows for refused paths (UTF-8, as
// TChosenPaths::refused holds them): ui_text::FileNamesNotGbk, then the
// names one per line, in UTF-8, since the names have no GBK form.
std::string RefusedPathsMessage(const std::vector<std::string>& refused);
