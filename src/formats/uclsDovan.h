// SPDX-License-Identifier: GPL-3.0-or-later
// The Dovan product line: its record, its tables (categories and scenery
// styles from "subject.ini" and "style.ini" next to the program), its
// vod.txt line and its vod.txt file, UTF-8 with a byte-order mark.
//
// Line: SongName;Singer;WordCount;Pinyin;Strokes;SongNo;IsDvd;AccompTrack;
//       VocalTrack;Language;Category;Style;NewSong
// e.g. 小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1
#pragma once

#include <cstdint>
#include <string>

#include "formats/line_song.h"

struct TDovanData : TBaseSongData {
  TDovanData() : TBaseSongData("0", "0") {}
  std::string Strokes;               // stroke counts of the title (grid column "笔划")
  std::uint8_t NewSong = 1;          // grid check box "新歌"
  std::uint8_t IsDvd = 0;            // media is DVD: track codes come from the DVD tracks table
  std::string VocalTrack = "3";      // track with the singer's voice (grid column "原唱音轨")
  std::string ReservedText2 = "80";  // only copied
  std::string Style = "1";           // scenery-style code (grid column "风景类型")
};

// Reads a Dovan line into the record: 0 accepted, 6 refused. A wrong field
// count or a last field other than exactly "0" or "1" leaves the record
// untouched; IsDvd is 1 when the trimmed seventh field is "1", else 0, and is
// not otherwise checked. A refusal for the song number or one of the six
// integer fields (tested in the order WordCount, AccompTrack, Language,
// Category, VocalTrack, Style) leaves the line's values in the record.
std::uint8_t ParseDovanLine(const std::string& line, TDovanData& record);
// The same, telling why a line is refused.
TLineVerdict CheckDovanLine(const std::string& line, TDovanData& record);

class TDovan : public TLineSong<TDovanData> {
 public:
  static constexpr std::uint8_t kProductLine = kProductDovan;

  // Fills all six tables: categories (未知, then the 14 subjects of
  // "subject.ini"), languages, VCD audio tracks, DVD tracks 0-7, track types,
  // styles (未知, then the 14 styles of "style.ini"). The two files are read
  // once, here, from the folder configDir, or from the folder
  // of the program's executable when configDir is empty. A missing file,
  // section or key gives the defaults; nothing here throws for their content.
  explicit TDovan(std::uint8_t productLine = kProductDovan, platform::Env* env = nullptr,
                  const std::string& configDir = "");

  // vod.txt as UTF-8: EF BB BF, then each line that is not blank, converted
  // from GBK, trimmed of code units up to U+0020, followed by CR LF. No
  // lines: the three mark bytes alone. Throws gbk::ConversionError naming the
  // line when a line is not GBK text (nothing is written then). A line is
  // never cut: BuildLines refuses one that is too long (CheckLine).
  std::string EncodeVod(const TStringList& lines) const override;

  // Longest line the jukebox reads whole, in UTF-8 bytes.
  static constexpr std::size_t kMaxLineBytes = 2047;

 protected:
  // Refuses (TSongRefused naming the song) a line longer than kMaxLineBytes
  // in UTF-8: the jukebox would cut it, and its song number with it.
  void CheckLine(const std::string& line, int index) const override;

 private:
  void ReadSubjectIni(const std::string& folder);
  void ReadStyleIni(const std::string& folder);
};
