// SPDX-License-Identifier: GPL-3.0-or-later
// The marks the grid's rules put on cells: empty mandatory cells, songs and
// videos the grid holds twice, derived cells our tables could not read
// surely. Each mark kind has its own rule of precedence: a missing mark
// says most, so the others never cover it.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/duplicates.h"
#include "ui/grid.h"

class TGridMarks {
 public:
  // sizeOf: a file's size in bytes (negative when it cannot be told), to
  // tell two videos apart.
  TGridMarks(TGrid& grid, std::function<std::int64_t(const std::string&)> sizeOf)
      : grid_(grid), sizeOf_(std::move(sizeOf)) {}

  // Marks the cells of row whose columns are in empty as missing, and
  // unmarks the row's other missing cells.
  void Missing(int row, const std::set<int>& empty);
  // Marks the derived cell col of row as doubtful with the tip (what of its
  // title our tables cannot read surely); unmarks a doubtful mark when the
  // tip is empty. A missing mark stays.
  void Doubtful(int col, int row, const std::string& tip);
  // Marks title and singer of every row that repeats another row's song and
  // the video cell of every row that repeats another's video, the tip
  // naming the other row; unmarks those that no longer do. A missing mark
  // stays.
  void Duplicates();
  // Marks the number of every row that is no four digits, or that another
  // row has too (the tip naming it), as invalid; unmarks those that are
  // right again. A missing mark stays.
  void Numbers();
  // Which row each row repeats (ui/duplicates.h).
  std::vector<TTwinOf> Twins() const;
  // One line per row that repeats an earlier row (the run's question), so
  // each pair is named once; "" when none does.
  std::string DuplicateLines() const;

 private:
  TGrid& grid_;
  std::function<std::int64_t(const std::string&)> sizeOf_;
};
