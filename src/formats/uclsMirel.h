// SPDX-License-Identifier: GPL-3.0-or-later
// The Mirel product line: its record, tables and vod.txt line.
//
// Line: SongName;Singer;WordCount;Pinyin;Strokes;SongNo;AccompTrack;Language;Category;NewSong
// e.g. 小河;歌手甲;2;XH;38;660001;2;1;1;1 (GBK). Ten fields like an ORU line,
// so a Mirel line whose strokes begin with "66" and whose category is 0 or 1
// also reads as an ORU line.
#pragma once

#include <cstdint>
#include <string>

#include "formats/line_song.h"

struct TMirelData : TBaseSongData {
  TMirelData() : TBaseSongData("0", "0") {}
  std::string Strokes;       // stroke counts of the title (grid column "笔划")
  std::uint8_t NewSong = 1;  // grid check box "新歌"
};

// Reads a Mirel line into the record: 0 accepted, 6 refused. A wrong field
// count or a last field other than exactly "0" or "1" leaves the record
// untouched; a refusal for the song number or an integer field leaves the
// line's values in the record.
std::uint8_t ParseMirelLine(const std::string& line, TMirelData& record);
// The same, telling why a line is refused.
TLineVerdict CheckMirelLine(const std::string& line, TMirelData& record);

class TMirelSong : public TLineSong<TMirelData> {
 public:
  static constexpr std::uint8_t kProductLine = kProductMirel;

  // Fills the categories, languages and audio tracks of the Mirel line.
  explicit TMirelSong(std::uint8_t productLine = kProductMirel, platform::Env* env = nullptr);
};
