// SPDX-License-Identifier: GPL-3.0-or-later
// How each product line's grid stands for its song record: which columns it
// shows, what a new row holds, how a row becomes a record for the run and
// how a record read from a vod.txt is shown. The product lines differ only
// in their table of columns; the procedures exist once.
//
// Every product line shows columns 0-4, 6 and 17 the same way: "66", the number
// (SongNo without its "66"), title, singer, pinyin initials, word count and
// the video file. The rest is each product line's own, in its table.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "model/uclsSong.h"
#include "ui/grid.h"

// The name of the row of the table whose code is code; "" when none has it.
std::string NameOfCode(const TBmTable& table, const std::string& code);

// Column col's drop-down list := the names of the table's rows, in order,
// all of them shown when it opens.
void FillColumn(TGrid& grid, int col, const TBmTable& table);

// Whether the media type the cell names is DVD (code "2"); a name in no list
// is not.
bool NamesDvd(const TBaseSong& list, const std::string& mediaCell);

// The grid column that shows a record field, by the field's name
// ("Singer" is column 3); the names are the same in every product line. -1
// for a field no column shows.
int ColumnOfField(std::string_view field);

class TProductGrid {
 public:
  virtual ~TProductGrid() = default;

  // The grid of a product line (kProductOru ... kProductDovan); null for another.
  static const TProductGrid* Of(std::uint8_t productLine);

  // Whether the line shows the column.
  virtual bool Shows(int col) const = 0;

  // Fills the drop-down lists that are filled once, when the window is
  // made: every shown drop-down column except the track columns 8 and 9,
  // whose lists the window fills itself (they follow the media type).
  virtual void FillLists(TGrid& grid, const TBaseSong& list) const = 0;

  // Writes the product line's defaults of a new row into columns 7-16, in
  // column order (the media type before the tracks it switches).
  virtual void WriteNewRow(TGrid& grid, int row, const TBaseSong& list) const = 0;

  // A fresh record of the line built from the row alone: trimmed texts,
  // names turned into codes (the table's default for a name it lacks), the
  // word count's integer ("0" when the cell holds none), the check boxes.
  // ReservedText and the line's other reserved texts are empty. A row loaded
  // from a vod.txt keeps the codes it was loaded with (also codes no table
  // has) and its word count's text in the cells the owner left as they were.
  virtual std::unique_ptr<TBaseSongData> RowToRecord(const TGrid& grid, int row,
                                                     const TBaseSong& list) const = 0;

  // Writes a record into the row: each code as the name of its table's row
  // (left as it is when no row has the code), the flags as check boxes.
  virtual void RecordToRow(const TBaseSongData& record, TGrid& grid, int row,
                           const TBaseSong& list) const = 0;

  // The name the drop-down column col offers for a code of its table (for
  // the track columns, of the row's media type); "" when none has it.
  virtual std::string NameOfCodeIn(int col, const std::string& code, const TGrid& grid, int row,
                                   const TBaseSong& list) const = 0;

  // A copy of a record of the line, to keep as a row's origin.
  virtual std::shared_ptr<const TBaseSongData> CopyRecord(const TBaseSongData& record) const = 0;
};
