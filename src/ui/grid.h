// SPDX-License-Identifier: GPL-3.0-or-later
// The song grid as a model without a window: 18 columns of fixed meaning,
// rows of 18 cells, the current cell, and the events the window's rules
// hang on. A front end draws it and hands the user's edits back to it; it
// decides nothing about songs.
//
// Events, in the order the rules rely on:
// - OnChange(col, row) fires whenever a cell's value is set, by the program
//   or by the user;
// - OnAfterEdit(col, row, text) fires after the user finished editing a
//   cell and its text changed (after the OnChange of that edit); an edit
//   that leaves the text as it was fires neither.
// Cells hold GBK text. The integer cell of column 6 holds a number's decimal
// text (or anything the user typed); check-box cells hold "1" or "0".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/songdata.h"
#include "text/uPublic.h"
#include "ui/grid_selection.h"

// Column positions: every rule addresses a column by its place.
enum TGridCol : int {
  kColFolder = 0,     // "文件夹", always "66"
  kColNumber = 1,     // "编号"
  kColTitle = 2,      // "歌曲名称"
  kColSinger = 3,     // "歌星"
  kColPinyin = 4,     // "拼音"
  kColStrokes = 5,    // "笔划"
  kColWords = 6,      // "字数", integer
  kColMedia = 7,      // "音轨类型"
  kColAccomp = 8,     // "伴唱音轨"
  kColVocal = 9,      // "原唱音轨"
  kColLanguage = 10,  // "语种"
  kColCategory = 11,  // "分类"
  kColStyle = 12,     // "风景类型"
  kColNewFlag = 13,   // "新歌", check box
  kColRankFlag = 14,  // "排行", check box
  kColNewKind = 15,   // "新歌", drop-down
  kColRankKind = 16,  // "排行", drop-down
  kColVideo = 17,     // "视频文件"
  kGridColumns = 18,
};

enum class TColumnKind : std::uint8_t { kText, kInteger, kCheck, kDropDown };

struct TGridColumn {
  std::string caption;  // GBK
  TColumnKind kind = TColumnKind::kText;
  int width = 0;         // pixels
  bool editable = true;  // the user may edit it
  bool shaded = false;   // drawn like a button face
  bool visible = true;
  TStringList items;      // drop-down list (GBK names)
  int dropDownCount = 0;  // lines the open list shows
  // What its editor takes: digits only, at most maxLength characters (0: no
  // limit); the integer column's range.
  bool digitsOnly = false;
  std::size_t maxLength = 0;
  int minimum = 0;
  int maximum = 0;
};

// Why a cell is marked for the owner to look at again: drawn apart, with a
// tip that says why (GBK).
enum class TCellMark : std::uint8_t {
  kNone,
  kMissing,    // a mandatory field is empty
  kDuplicate,  // the song is in the grid twice
  kDoubtful,   // derived from characters the tables do not know
  kInvalid,    // a value a run refuses: a number that is no four digits, or twice
};
struct TMark {
  TCellMark kind = TCellMark::kNone;
  std::string tip;
  bool operator==(const TMark&) const = default;
};

// What a front end is told so that it redraws. Every call has an empty body
// here, so a front end overrides only what it draws.
class IGridView {
 public:
  virtual ~IGridView() = default;
  virtual void RowsAboutToBeInserted(int /*first*/, int /*last*/) {}
  virtual void RowsInserted() {}
  virtual void RowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
  virtual void RowsRemoved() {}
  virtual void CellChanged(int /*col*/, int /*row*/) {}
  virtual void ColumnChanged(int /*col*/) {}  // visibility or list
  virtual void CurrentCellChanged(int /*col*/, int /*row*/) {}
  virtual void SelectionChanged() {}
  virtual void EnabledChanged(bool /*enabled*/) {}
  virtual void ScrollToColumn(int /*col*/) {}
  virtual void Repaint() {}
};

// Where a row loaded from a vod.txt came from: the line, the record read
// from it, and its cells as the load wrote them. While the cells are as they
// were, the song goes back to vod.txt as the line it came from.
struct TRowOrigin {
  std::string line;
  std::shared_ptr<const TBaseSongData> record;
  std::vector<std::string> cells;
};

class TGrid {
 public:
  // The 18 columns with their captions, kinds and widths; all visible.
  TGrid();

  std::function<void(int col, int row)> OnChange;
  std::function<void(int col, int row, const std::string& text)> OnAfterEdit;
  // What the window adds to a cell's tip (GBK, "" for nothing): what the
  // video of the row holds.
  std::function<std::string(int col, int row)> OnTip;
  // The current cell moved (row -1: there is none).
  std::function<void(int col, int row)> OnCurrentChange;
  void SetView(IGridView* view) { view_ = view; }

  const TGridColumn& Column(int col) const;
  void SetColumnVisible(int col, bool visible);
  // Empties a drop-down list / appends a name / sets the lines shown.
  void ClearItems(int col);
  void AddItem(int col, const std::string& name);
  void SetDropDownCount(int col, int count);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Appends n rows with the values of a new row: "66" in column 0, 0 in
  // column 6, both check boxes clear, every other cell empty (no OnChange).
  void AppendRows(int n);
  // Inserts n new rows (as AppendRows makes them) before row at (0..RowCount).
  void InsertRows(int at, int n);
  // Removes one row (outside 0..RowCount-1: nothing) / every row.
  void DeleteRow(int row);
  void Clear();

  // A row as it is (cells, marks, origin), to put back later.
  struct TRow {
    std::vector<std::string> cells;
    std::vector<TMark> marks;
    std::shared_ptr<const TRowOrigin> origin;
  };
  // A copy of row (std::out_of_range outside the grid).
  TRow SavedRow(int row) const;
  // Inserts the saved row before row at (0..RowCount; no OnChange).
  void PutRow(int at, TRow row);
  // Every row as it is, and every row put back at once (no OnChange; the
  // view is told as for Clear and one insert; the selection is clipped).
  const std::vector<TRow>& Rows() const { return rows_; }
  void ReplaceRows(std::vector<TRow> rows);

  // The row's origin (null for a row not loaded from a vod.txt), and whether
  // its cells are still as the load wrote them.
  void SetOrigin(int row, std::shared_ptr<const TRowOrigin> origin);
  const TRowOrigin* Origin(int row) const;
  bool Unchanged(int row) const;
  // A snapshot of the row's cells, for SetOrigin.
  std::vector<std::string> Cells(int row) const;

  // The cell's mark (none outside the grid); setting one redraws the cell.
  const TMark& Mark(int col, int row) const;
  void SetMark(int col, int row, TCellMark kind, const std::string& tip = "");
  // The cell's tool tip (GBK): why it is marked, then, in a text column, its
  // whole text on a line of its own, where the column may be too narrow for
  // it, then what OnTip adds; "" when there is none of them and outside the
  // grid.
  std::string Tip(int col, int row) const;

  // The cell's text; "" outside the grid.
  std::string Cell(int col, int row) const;
  // Sets the cell's text and fires OnChange. std::out_of_range outside.
  void SetCell(int col, int row, const std::string& text);
  // The integer the cell holds; std::invalid_argument when it holds none.
  std::int32_t Int(int col, int row) const;
  void SetInt(int col, int row, std::int32_t value);
  bool Checked(int col, int row) const;
  void SetChecked(int col, int row, bool checked);

  // The current cell; row -1 when there is none. Setting it outside the
  // selection selects it alone.
  int CurrentCol() const { return current_col_; }
  int CurrentRow() const { return current_row_; }
  void SetCurrent(int col, int row);

  // ---- The selection, as a spreadsheet makes it (the view is told of
  // every change: SelectionChanged) ----
  const TGridSelection& Selection() const { return selection_; }
  bool Selected(int col, int row) const { return selection_.Contains(col, row); }
  // A click on a cell: alone, the current cell there; ctrl: added, the
  // current cell there; shift: from the anchor, the current cell stays.
  void ClickCell(int col, int row, bool shift, bool ctrl);
  // The mouse dragged from where it was pressed to the cell.
  void DragTo(int col, int row);
  // A click on the row's header: the whole row, as ClickCell combines.
  void ClickRowHeader(int row, bool shift, bool ctrl);
  // Ctrl+A: every cell.
  void SelectAll();
  // An arrow key, drow rows and dcol shown columns on, kept in the grid:
  // with shift the selection's end moves (the anchor stays), else the
  // current cell moves there and is selected alone.
  void MoveBy(int dcol, int drow, bool shift);
  // The selection a front end's own widget holds.
  void SetSelection(const std::vector<TCellRange>& ranges);
  // The rows the selection touches, ascending; the current row alone when
  // nothing is selected; none without rows.
  std::vector<int> SelectedRows() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void ScrollToColumn(int col);
  void Repaint();

  // Whether the column takes text as its value, the same for every front
  // end and the console: an integer column takes a whole number in its range
  // (or nothing); every other column any text (its own rules come after).
  bool Takes(int col, const std::string& text) const;
  // What an integer column's editor puts in cell (col, row) of the text
  // typed into it, as a spin box does: the whole number typed (what follows
  // its digits ignored), kept to the column's range; the cell's number when
  // no number was typed. For an editor that is not a spin box itself.
  std::string SpinText(int col, int row, const std::string& typed) const;

  // The user's own edit, from a front end: when the column takes the text
  // (Takes) and it differs, sets it (OnChange) and then fires OnAfterEdit.
  // Returns whether it changed.
  bool UserEdit(int col, int row, const std::string& text);
  // The user ticked or cleared a check box (OnChange when it changed).
  void UserCheck(int col, int row, bool checked);

 private:
  std::string& At(int col, int row);

  std::vector<TGridColumn> columns_;
  std::vector<TRow> rows_;
  int current_col_ = 0;
  int current_row_ = -1;
  TGridSelection selection_;
  // The selection clipped to the rows there are, and the view told.
  void SelectionDone();
  // The shown column steps columns from col (kept to the first and last).
  int ShownColumn(int col, int steps) const;
  bool enabled_ = true;
  IGridView* view_ = nullptr;
  IGridView none_;
  IGridView& View() { return view_ != nullptr ? *view_ : none_; }
  // Tells the view and OnCurrentChange that the current cell moved.
  void CurrentMoved(int col, int row);
};
