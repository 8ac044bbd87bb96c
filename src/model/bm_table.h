// SPDX-License-Identifier: GPL-3.0-or-later
// A lookup table of the song list: rows of (code, decimal code text, name)
// that translate between what the grid shows and what the records store.
//
// Rows are only appended, in the order their product line adds them, and
// never removed. Codes need not be unique; the first matching row wins every
// lookup. Comparisons are exact byte comparisons of the whole text
// (case-sensitive, no trimming: "01" is not "1").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/songdata.h"

// The lookup tables of a song list, by what they hold.
enum class TTableId : std::uint8_t {
  kCategories,    // grid column 分类; default code "0"
  kLanguages,     // 语种; "1"
  kAudioTracks,   // 伴唱音轨 (and Dovan's 原唱音轨) of VCD media; "2"
  kDvdTracks,     // Dovan's tracks of DVD media; "0"
  kTrackTypes,    // Dovan's media types (音轨类型); "1"
  kStyles,        // Dovan's scenery styles (风景类型); ""
  kNewSongKinds,  // Tarvel's new-song kinds (新歌); "0"
  kRankingKinds,  // Tarvel's ranking kinds (排行); "0"
};

// A row made from a code and a name: CodeStr is the code in decimal.
TBmItem NewItem(std::int32_t code, const std::string& name);

class TBmTable {
 public:
  // defaultCode is what CodeOf answers for a name that no row has.
  explicit TBmTable(std::string defaultCode) : default_(std::move(defaultCode)) {}

  // Appends the row NewItem(code, name); returns its index.
  int Add(std::int32_t code, const std::string& name);

  // Number of rows.
  int Count() const { return static_cast<int>(rows_.size()); }

  // The row at the index. Throws std::out_of_range outside 0 to Count()-1.
  const TBmItem& Item(int index) const;

  // CodeStr of the first row whose Name equals name, else the table's default.
  std::string CodeOf(const std::string& name) const;

  // Index of the first row whose CodeStr equals code, else -1.
  int IndexOf(const std::string& code) const;

 private:
  std::string default_;
  std::vector<TBmItem> rows_;
};
