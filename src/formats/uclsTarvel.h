// SPDX-License-Identifier: GPL-3.0-or-later
// The Tarvel product line: its record, its two own tables and its vod.txt line.
//
// Line: SongName;Singer;WordCount;Pinyin;Strokes;SongNo;AccompTrack;Language;
//       Category;NewSongKind;RankingKind
// e.g. 海风;林一;2;HF;104;660001;2;1;1;1;1 (GBK). Every field is mandatory;
// there is no yes/no field, the two kinds are codes of the line's own tables.
#pragma once

#include <cstdint>
#include <string>

#include "formats/line_song.h"

struct TTarvelData : TBaseSongData {
  TTarvelData() : TBaseSongData("1", "1") {}
  std::string Strokes;            // stroke counts of the title (grid column "笔划")
  std::string NewSongKind = "0";  // code of the new-song kinds (grid column "新歌")
  std::string RankingKind = "0";  // code of the ranking kinds (grid column "排行")
};

// Reads a Tarvel line into the record: 0 accepted, 6 refused. A line of the
// wrong field count leaves the record untouched; one refused for its song
// number or an integer field leaves its values in the record.
std::uint8_t ParseTarvelLine(const std::string& line, TTarvelData& record);
// The same, telling why a line is refused.
TLineVerdict CheckTarvelLine(const std::string& line, TTarvelData& record);

class TTarvelSong : public TLineSong<TTarvelData> {
 public:
  static constexpr std::uint8_t kProductLine = kProductTarvel;

  // Fills the categories, languages, audio tracks, new-song kinds and
  // ranking kinds of the Tarvel line, in that order.
  explicit TTarvelSong(std::uint8_t productLine = kProductTarvel, platform::Env* env = nullptr);

  // Serves the line's own tables, the new-song and ranking kinds, beside
  // the six of every line; a name no row has gives "0" (未知) in both.
  TBmTable& Table(TTableId id) override;
  using TBaseSong::Table;

 private:
  TBmTable newSongKinds_{"0"};
  TBmTable rankingKinds_{"0"};
};
