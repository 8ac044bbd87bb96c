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
  std::string NewSongKind = "0";  // code from FNewSongKinds (grid column "新歌")
  std::string RankingKind = "0";  // code from FRankingKinds (grid column "排行")
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

  // The line's own tables; a name no row has gives "0" (未知) in both.
  TBmTable FNewSongKinds{"0"};
  TBmTable FRankingKinds{"0"};

  // New-song kinds: add (returns the index), count, row at index
  // (std::out_of_range outside), code by name, index by code (-1 when none).
  int AddNewSongKind(std::int32_t code, const std::string& name) {
    return FNewSongKinds.Add(code, name);
  }
  int NewSongKindCount() const { return FNewSongKinds.Count(); }
  const TBmItem& GetNewSongKind(int index) const { return FNewSongKinds.Item(index); }
  std::string NewSongKindCodeOf(const std::string& name) const {
    return FNewSongKinds.CodeOf(name);
  }
  int IndexOfNewSongKind(const std::string& code) const { return FNewSongKinds.IndexOf(code); }

  // Ranking kinds: the same five operations.
  int AddRankingKind(std::int32_t code, const std::string& name) {
    return FRankingKinds.Add(code, name);
  }
  int RankingKindCount() const { return FRankingKinds.Count(); }
  const TBmItem& GetRankingKind(int index) const { return FRankingKinds.Item(index); }
  std::string RankingKindCodeOf(const std::string& name) const {
    return FRankingKinds.CodeOf(name);
  }
  int IndexOfRankingKind(const std::string& code) const { return FRankingKinds.IndexOf(code); }
};
