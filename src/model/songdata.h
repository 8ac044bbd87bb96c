// SPDX-License-Identifier: GPL-3.0-or-later
// The song record every product line starts from, and one row of a lookup table.
//
// All texts are GBK byte strings; codes and counts are stored as decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

// The fields every product line stores for one song, in this order, with the
// defaults every product line resets them to (Language and Category are set
// by each line's record). Each product line's record derives from it and
// appends its own fields; the virtual destructor lets a song list check that
// a record handed to it is of its own product line.
struct TBaseSongData {
  TBaseSongData() = default;
  virtual ~TBaseSongData() = default;

  std::string SongNo;               // "66" + the four-digit number; base name of the .dat file
  std::string SongName;             // title
  std::string Singer;               // singer
  std::string Pinyin;               // pinyin initials of the title
  std::string WordCount = "0";      // number of characters of the title
  std::string AccompTrack = "2";    // accompaniment-track code
  std::string ReservedText = "80";  // copied, never written to a line
  std::string Language;             // language code
  std::string Category;             // category code
  std::string VideoFile;            // full path of the source video file
  std::uint8_t ReservedFlag = 0;    // 0 after a reset; only copied

 protected:
  // A product line's record starts from its own language and category codes.
  TBaseSongData(std::string language, std::string category)
      : Language(std::move(language)), Category(std::move(category)) {}
};

// One row of a lookup table: a code, its decimal text, the name shown in the grid.
struct TBmItem {
  std::int32_t Code = 0;
  std::string CodeStr;
  std::string Name;
};
