// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/product_columns.h"

#include <span>
#include <stdexcept>

#include "formats/uclsDovan.h"
#include "formats/uclsMirel.h"
#include "formats/uclsOru.h"
#include "formats/uclsTarvel.h"

std::string NameOfCode(const TBmTable& table, const std::string& code) {
  const int index = table.IndexOf(code);
  return index < 0 ? std::string() : table.Item(index).Name;
}

namespace {
constexpr const char* kDvdCode = "2";  // the media type DVD in the media types table
}  // namespace

int ColumnOfField(std::string_view field) {
  static const std::pair<std::string_view, int> columns[] = {
      {"SongNo", kColNumber},        {"SongName", kColTitle},     {"Singer", kColSinger},
      {"Pinyin", kColPinyin},        {"Strokes", kColStrokes},    {"WordCount", kColWords},
      {"IsDvd", kColMedia},          {"AccompTrack", kColAccomp}, {"VocalTrack", kColVocal},
      {"Language", kColLanguage},    {"Category", kColCategory},  {"Style", kColStyle},
      {"NewSong", kColNewFlag},      {"Ranking", kColRankFlag},   {"NewSongKind", kColNewKind},
      {"RankingKind", kColRankKind}, {"VideoFile", kColVideo},
  };
  for (const auto& [name, col] : columns) {
    if (name == field) return col;
  }
  return -1;
}

void FillColumn(TGrid& grid, int col, const TBmTable& table) {
  grid.ClearItems(col);
  grid.SetDropDownCount(col, table.Count());
  for (int i = 0; i < table.Count(); ++i) grid.AddItem(col, table.Item(i).Name);
}

bool NamesDvd(const TBaseSong& list, const std::string& mediaCell) {
  return list.Table(TTableId::kTrackTypes).CodeOf(Trim(mediaCell)) == kDvdCode;
}

namespace {

// What a column of a line's own stands for.
enum class TBind : std::uint8_t {
  kText,   // a text field, trimmed
  kNamed,  // a code field shown as the name of its table's row
  kFlag,   // a flag field shown as a check box
  kMedia,  // the DVD flag shown as a media type ("VCD" code 1, "DVD" code 2)
  kTrack,  // a track code named from the DVD tracks when the song is on DVD,
           // else from the audio tracks
  kEmpty,  // a reserved text field that a record built from the grid leaves empty
};

template <class TData>
struct TColumn {
  int col;  // -1 for kEmpty
  TBind bind;
  std::string TData::*text = nullptr;
  std::uint8_t TData::*flag = nullptr;  // kFlag; for kMedia and kTrack the DVD flag
  TTableId table = TTableId::kCategories;
  const char* newCode = nullptr;  // the code a new row names (kNamed, kMedia, kTrack)
  bool newFlag = false;           // the check box of a new row (kFlag)
};

template <class TData>
class TProductGridOf final : public TProductGrid {
 public:
  explicit TProductGridOf(std::span<const TColumn<TData>> columns) : columns_(columns) {}

  bool Shows(int col) const override {
    switch (col) {
      case kColFolder:
      case kColNumber:
      case kColTitle:
      case kColSinger:
      case kColPinyin:
      case kColWords:
      case kColVideo:
        return true;
      default:
        for (const auto& c : columns_) {
          if (c.col == col) return true;
        }
        return false;
    }
  }

  void FillLists(TGrid& grid, const TBaseSong& list) const override {
    for (const auto& c : columns_) {
      if (c.col == kColAccomp || c.col == kColVocal) continue;
      if (c.bind != TBind::kNamed && c.bind != TBind::kMedia) continue;
      FillColumn(grid, c.col, list.Table(c.table));
    }
  }

  void WriteNewRow(TGrid& grid, int row, const TBaseSong& list) const override {
    for (const auto& c : columns_) {
      switch (c.bind) {
        case TBind::kNamed:
        case TBind::kMedia:
        case TBind::kTrack: {
          // A new row is never on DVD: its tracks name VCD codes.
          const TTableId table = c.bind == TBind::kTrack ? TTableId::kAudioTracks : c.table;
          const std::string name = NameOfCode(list.Table(table), c.newCode);
          if (!name.empty()) grid.SetCell(c.col, row, name);
          break;
        }
        case TBind::kFlag:
          grid.SetChecked(c.col, row, c.newFlag);
          break;
        case TBind::kText:
        case TBind::kEmpty:
          break;
      }
    }
  }

  std::unique_ptr<TBaseSongData> RowToRecord(const TGrid& grid, int row,
                                             const TBaseSong& list) const override {
    auto record = std::make_unique<TData>();
    TData& r = *record;
    r.SongNo = "66" + Trim(grid.Cell(kColNumber, row));
    r.SongName = Trim(grid.Cell(kColTitle, row));
    r.Singer = Trim(grid.Cell(kColSinger, row));
    r.Pinyin = Trim(grid.Cell(kColPinyin, row));
    const auto words = TryStrToInt(Trim(grid.Cell(kColWords, row)));
    r.WordCount = words ? std::to_string(*words) : "0";
    r.ReservedText.clear();
    r.VideoFile = Trim(grid.Cell(kColVideo, row));
    // The media type comes before the tracks that depend on it.
    for (const auto& c : columns_) {
      if (c.bind == TBind::kMedia) {
        r.*c.flag = NamesDvd(list, grid.Cell(c.col, row)) ? 1 : 0;
      }
    }
    for (const auto& c : columns_) {
      const std::string cell = c.col >= 0 ? Trim(grid.Cell(c.col, row)) : std::string();
      switch (c.bind) {
        case TBind::kText:
          r.*c.text = cell;
          break;
        case TBind::kNamed:
          r.*c.text = list.Table(c.table).CodeOf(cell);
          break;
        case TBind::kFlag:
          r.*c.flag = grid.Checked(c.col, row) ? 1 : 0;
          break;
        case TBind::kTrack:
          r.*c.text = (r.*c.flag != 0 ? list.Table(TTableId::kDvdTracks)
                                      : list.Table(TTableId::kAudioTracks))
                          .CodeOf(cell);
          break;
        case TBind::kEmpty:
          (r.*c.text).clear();
          break;
        case TBind::kMedia:
          break;
      }
    }
    KeepLoadedCodes(grid, row, r);
    return record;
  }

  std::string NameOfCodeIn(int col, const std::string& code, const TGrid& grid, int row,
                           const TBaseSong& list) const override {
    for (const auto& c : columns_) {
      if (c.col != col) continue;
      switch (c.bind) {
        case TBind::kNamed:
          return NameOfCode(list.Table(c.table), code);
        case TBind::kMedia:
          return NameOfCode(list.Table(TTableId::kTrackTypes), code);
        case TBind::kTrack: {
          const bool dvd = NamesDvd(list, grid.Cell(kColMedia, row));
          return NameOfCode(
              dvd ? list.Table(TTableId::kDvdTracks) : list.Table(TTableId::kAudioTracks), code);
        }
        default:
          return "";
      }
    }
    return "";
  }

  std::shared_ptr<const TBaseSongData> CopyRecord(const TBaseSongData& record) const override {
    return std::make_shared<const TData>(dynamic_cast<const TData&>(record));
  }

  void RecordToRow(const TBaseSongData& record, TGrid& grid, int row,
                   const TBaseSong& list) const override {
    const auto& r = dynamic_cast<const TData&>(record);
    grid.SetCell(kColFolder, row, "66");
    grid.SetCell(kColNumber, row, r.SongNo.size() > 2 ? r.SongNo.substr(2, 4) : "");
    grid.SetCell(kColTitle, row, r.SongName);  // runs the title rule; the stored values follow
    grid.SetCell(kColSinger, row, r.Singer);
    grid.SetCell(kColPinyin, row, r.Pinyin);
    for (const auto& c : columns_) {
      if (c.bind == TBind::kText) grid.SetCell(c.col, row, r.*c.text);
    }
    const auto words = TryStrToInt(r.WordCount);
    if (words) {
      grid.SetInt(kColWords, row, *words);
    } else {
      grid.SetCell(kColWords, row, r.WordCount);
    }
    for (const auto& c : columns_) {
      std::string name;
      switch (c.bind) {
        case TBind::kNamed:
          name = NameOfCode(list.Table(c.table), r.*c.text);
          break;
        case TBind::kMedia:
          name = NameOfCode(list.Table(TTableId::kTrackTypes), r.*c.flag != 0 ? kDvdCode : "1");
          break;
        case TBind::kTrack:
          name = NameOfCode(r.*c.flag != 0 ? list.Table(TTableId::kDvdTracks)
                                           : list.Table(TTableId::kAudioTracks),
                            r.*c.text);
          break;
        case TBind::kFlag:
          grid.SetChecked(c.col, row, r.*c.flag != 0);
          break;
        case TBind::kText:
        case TBind::kEmpty:
          break;
      }
      if (!name.empty()) grid.SetCell(c.col, row, name);
    }
    grid.SetCell(kColVideo, row, r.VideoFile);
  }

 private:
  // The cells of a loaded row that are as the load wrote them stand for the
  // record's own values: a code no table has, a word count written "0x10".
  void KeepLoadedCodes(const TGrid& grid, int row, TData& r) const {
    const TRowOrigin* origin = grid.Origin(row);
    if (origin == nullptr || origin->record == nullptr) return;
    const auto* loaded = dynamic_cast<const TData*>(origin->record.get());
    if (loaded == nullptr) return;
    auto unchanged = [&](int col) {
      return col >= 0 && grid.Cell(col, row) == origin->cells[static_cast<std::size_t>(col)];
    };
    if (unchanged(kColWords)) r.WordCount = loaded->WordCount;
    for (const auto& c : columns_) {
      if (!unchanged(c.col)) continue;
      if (c.bind == TBind::kNamed || c.bind == TBind::kTrack) r.*c.text = loaded->*c.text;
      if (c.bind == TBind::kMedia) r.*c.flag = loaded->*c.flag;
    }
  }

  std::span<const TColumn<TData>> columns_;
};

using K = TBind;
using T = TTableId;

const TColumn<TOruData> kOru[] = {
    {kColAccomp, K::kNamed, &TOruData::AccompTrack, nullptr, T::kAudioTracks, "2"},
    {kColLanguage, K::kNamed, &TOruData::Language, nullptr, T::kLanguages, "1"},
    {kColCategory, K::kNamed, &TOruData::Category, nullptr, T::kCategories, "8"},
    {kColNewFlag, K::kFlag, nullptr, &TOruData::NewSong, {}, nullptr, true},
    {kColRankFlag, K::kFlag, nullptr, &TOruData::Ranking, {}, nullptr, true},
};

const TColumn<TTarvelData> kTarvel[] = {
    {kColStrokes, K::kText, &TTarvelData::Strokes},
    {kColAccomp, K::kNamed, &TTarvelData::AccompTrack, nullptr, T::kAudioTracks, "2"},
    {kColLanguage, K::kNamed, &TTarvelData::Language, nullptr, T::kLanguages, "1"},
    {kColCategory, K::kNamed, &TTarvelData::Category, nullptr, T::kCategories, "0"},
    {kColNewKind, K::kNamed, &TTarvelData::NewSongKind, nullptr, T::kNewSongKinds, "1"},
    {kColRankKind, K::kNamed, &TTarvelData::RankingKind, nullptr, T::kRankingKinds, "1"},
};

const TColumn<TMirelData> kMirel[] = {
    {kColStrokes, K::kText, &TMirelData::Strokes},
    {kColAccomp, K::kNamed, &TMirelData::AccompTrack, nullptr, T::kAudioTracks, "2"},
    {kColLanguage, K::kNamed, &TMirelData::Language, nullptr, T::kLanguages, "1"},
    {kColCategory, K::kNamed, &TMirelData::Category, nullptr, T::kCategories, "0"},
    {kColNewFlag, K::kFlag, nullptr, &TMirelData::NewSong, {}, nullptr, true},
};

const TColumn<TDovanData> kDovan[] = {
    {kColStrokes, K::kText, &TDovanData::Strokes},
    {kColMedia, K::kMedia, nullptr, &TDovanData::IsDvd, T::kTrackTypes, "1"},
    {kColAccomp, K::kTrack, &TDovanData::AccompTrack, &TDovanData::IsDvd, {}, "2"},
    {kColVocal, K::kTrack, &TDovanData::VocalTrack, &TDovanData::IsDvd, {}, "3"},
    {kColLanguage, K::kNamed, &TDovanData::Language, nullptr, T::kLanguages, "1"},
    {kColCategory, K::kNamed, &TDovanData::Category, nullptr, T::kCategories, "0"},
    {kColStyle, K::kNamed, &TDovanData::Style, nullptr, T::kStyles, "1"},
    {kColNewFlag, K::kFlag, nullptr, &TDovanData::NewSong, {}, nullptr, true},
    {-1, K::kEmpty, &TDovanData::ReservedText2},
};

}  // namespace

const TProductGrid* TProductGrid::Of(std::uint8_t productLine) {
  static const TProductGridOf<TOruData> oru(kOru);
  static const TProductGridOf<TTarvelData> tarvel(kTarvel);
  static const TProductGridOf<TMirelData> mirel(kMirel);
  static const TProductGridOf<TDovanData> dovan(kDovan);
  switch (productLine) {
    case kProductOru:
      return &oru;
    case kProductTarvel:
      return &tarvel;
    case kProductMirel:
      return &mirel;
    case kProductDovan:
      return &dovan;
    default:
      return nullptr;
  }
}
