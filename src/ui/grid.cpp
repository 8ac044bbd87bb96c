// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "text/uPublic.h"
#include "ui/ui_texts.h"

TGrid::TGrid() {
  using K = TColumnKind;
  struct Def {
    K kind;
    int width;
  };
  static const Def defs[kGridColumns] = {
      {K::kText, 60},      {K::kText, 65},     {K::kText, 150},    {K::kText, 90},
      {K::kText, 90},      {K::kText, 80},     {K::kInteger, 65},  {K::kDropDown, 80},
      {K::kDropDown, 80},  {K::kDropDown, 80}, {K::kDropDown, 90}, {K::kDropDown, 90},
      {K::kDropDown, 80},  {K::kCheck, 50},    {K::kCheck, 50},    {K::kDropDown, 99},
      {K::kDropDown, 100}, {K::kText, 100},
  };
  for (int col = 0; col < kGridColumns; ++col) {
    TGridColumn column;
    column.caption = ui_text::GridCaption(col);
    column.kind = defs[col].kind;
    column.width = defs[col].width;
    columns_.push_back(std::move(column));
  }
  columns_[kColFolder].editable = false;
  columns_[kColFolder].shaded = true;
  columns_[kColVideo].editable = false;
  columns_[kColNumber].digitsOnly = true;
  columns_[kColNumber].maxLength = 4;
  columns_[kColWords].maximum = 9999;
}

const TGridColumn& TGrid::Column(int col) const {
  return columns_.at(static_cast<std::size_t>(col));
}

void TGrid::SetColumnVisible(int col, bool visible) {
  columns_.at(static_cast<std::size_t>(col)).visible = visible;
  View().ColumnChanged(col);
}

void TGrid::ClearItems(int col) {
  columns_.at(static_cast<std::size_t>(col)).items.clear();
  View().ColumnChanged(col);
}

void TGrid::AddItem(int col, const std::string& name) {
  columns_.at(static_cast<std::size_t>(col)).items.push_back(name);
  View().ColumnChanged(col);
}

void TGrid::SetDropDownCount(int col, int count) {
  columns_.at(static_cast<std::size_t>(col)).dropDownCount = count;
}

void TGrid::AppendRows(int n) {
  InsertRows(RowCount(), n);
}

void TGrid::InsertRows(int at, int n) {
  if (n <= 0 || at < 0 || at > RowCount()) return;
  View().RowsAboutToBeInserted(at, at + n - 1);
  TRow fresh;
  fresh.cells.resize(kGridColumns);
  fresh.marks.resize(kGridColumns);
  fresh.cells[kColFolder] = "66";
  fresh.cells[kColWords] = "0";
  fresh.cells[kColNewFlag] = "0";
  fresh.cells[kColRankFlag] = "0";
  rows_.insert(rows_.begin() + at, static_cast<std::size_t>(n), fresh);
  if (current_row_ >= at) current_row_ += n;
  View().RowsInserted();
}

void TGrid::SetOrigin(int row, std::shared_ptr<const TRowOrigin> origin) {
  if (row >= 0 && row < RowCount()) rows_[static_cast<std::size_t>(row)].origin = std::move(origin);
}

const TRowOrigin* TGrid::Origin(int row) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  return rows_[static_cast<std::size_t>(row)].origin.get();
}

bool TGrid::Unchanged(int row) const {
  const TRowOrigin* origin = Origin(row);
  return origin != nullptr && origin->cells == rows_[static_cast<std::size_t>(row)].cells;
}

std::vector<std::string> TGrid::Cells(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  return rows_[static_cast<std::size_t>(row)].cells;
}

const TMark& TGrid::Mark(int col, int row) const {
  static const TMark none;
  if (row < 0 || row >= RowCount() || col < 0 || col >= kGridColumns) return none;
  return rows_[static_cast<std::size_t>(row)].marks[static_cast<std::size_t>(col)];
}

void TGrid::SetMark(int col, int row, TCellMark kind, const std::string& tip) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= kGridColumns) return;
  TMark& mark = rows_[static_cast<std::size_t>(row)].marks[static_cast<std::size_t>(col)];
  const TMark wanted{kind, kind == TCellMark::kNone ? std::string() : tip};
  if (mark == wanted) return;
  mark = wanted;
  View().CellChanged(col, row);
}

std::string TGrid::Tip(int col, int row) const {
  std::string tip = Mark(col, row).tip;
  const std::string text = Cell(col, row);
  if (!text.empty() && Column(col).kind == TColumnKind::kText) {
    tip = tip.empty() ? text : tip + "\n" + text;
  }
  if (OnTip && row >= 0 && row < RowCount()) {
    if (const std::string more = OnTip(col, row); !more.empty()) {
      tip = tip.empty() ? more : tip + "\n" + more;
    }
  }
  return tip;
}

void TGrid::CurrentMoved(int col, int row) {
  View().CurrentCellChanged(col, row);
  if (OnCurrentChange) OnCurrentChange(col, row);
}

void TGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  View().RowsAboutToBeRemoved(row, row);
  rows_.erase(rows_.begin() + row);
  if (current_row_ >= RowCount()) current_row_ = RowCount() - 1;
  View().RowsRemoved();
  CurrentMoved(current_col_, current_row_);
  SelectionDone();
}

TGrid::TRow TGrid::SavedRow(int row) const {
  return rows_.at(static_cast<std::size_t>(row));
}

void TGrid::PutRow(int at, TRow row) {
  if (at < 0 || at > RowCount()) throw std::out_of_range("grid row " + std::to_string(at));
  row.cells.resize(kGridColumns);
  row.marks.resize(kGridColumns);
  View().RowsAboutToBeInserted(at, at);
  rows_.insert(rows_.begin() + at, std::move(row));
  if (current_row_ >= at) ++current_row_;
  View().RowsInserted();
}

void TGrid::Clear() {
  if (!rows_.empty()) {
    View().RowsAboutToBeRemoved(0, RowCount() - 1);
    rows_.clear();
    View().RowsRemoved();
  }
  current_row_ = -1;
  CurrentMoved(current_col_, current_row_);
  selection_.Clear();
  SelectionDone();
}

void TGrid::ReplaceRows(std::vector<TRow> rows) {
  if (!rows_.empty()) {
    View().RowsAboutToBeRemoved(0, RowCount() - 1);
    rows_.clear();
    View().RowsRemoved();
  }
  for (TRow& row : rows) {
    row.cells.resize(kGridColumns);
    row.marks.resize(kGridColumns);
  }
  if (!rows.empty()) {
    View().RowsAboutToBeInserted(0, static_cast<int>(rows.size()) - 1);
    rows_ = std::move(rows);
    View().RowsInserted();
  }
  if (current_row_ >= RowCount()) current_row_ = RowCount() - 1;
  CurrentMoved(current_col_, current_row_);
  SelectionDone();
}

std::string& TGrid::At(int col, int row) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= kGridColumns) {
    throw std::out_of_range("grid cell " + std::to_string(col) + "," + std::to_string(row));
  }
  return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

std::string TGrid::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= kGridColumns) return "";
  return rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)];
}

void TGrid::SetCell(int col, int row, const std::string& text) {
  At(col, row) = text;
  View().CellChanged(col, row);
  if (OnChange) OnChange(col, row);
}

std::int32_t TGrid::Int(int col, int row) const {
  return StrToInt(Trim(Cell(col, row)));
}

void TGrid::SetInt(int col, int row, std::int32_t value) {
  SetCell(col, row, std::to_string(value));
}

bool TGrid::Checked(int col, int row) const {
  return Cell(col, row) == "1";
}

void TGrid::SetChecked(int col, int row, bool checked) {
  SetCell(col, row, checked ? "1" : "0");
}

void TGrid::SetCurrent(int col, int row) {
  current_col_ = col;
  current_row_ = row >= 0 && row < RowCount() ? row : -1;
  CurrentMoved(current_col_, current_row_);
  if (current_row_ >= 0 && !selection_.Contains(col, current_row_)) {
    selection_.Only(col, current_row_);
    SelectionDone();
  }
}

void TGrid::SelectionDone() {
  selection_.Clip(RowCount());
  View().SelectionChanged();
}

void TGrid::ClickCell(int col, int row, bool shift, bool ctrl) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= kGridColumns) return;
  if (shift) {
    selection_.ExtendTo(col, row);
  } else {
    if (ctrl) {
      selection_.Add(col, row);
    } else {
      selection_.Only(col, row);
    }
    current_col_ = col;
    current_row_ = row;
    CurrentMoved(col, row);
  }
  SelectionDone();
}

void TGrid::DragTo(int col, int row) {
  ClickCell(col, row, true, false);
}

void TGrid::ClickRowHeader(int row, bool shift, bool ctrl) {
  if (row < 0 || row >= RowCount()) return;
  selection_.Rows(row, shift, ctrl, kGridColumns - 1);
  if (!shift) {
    current_row_ = row;
    CurrentMoved(current_col_, current_row_);
  }
  SelectionDone();
}

void TGrid::SelectAll() {
  selection_.All(kGridColumns, RowCount());
  SelectionDone();
}

int TGrid::ShownColumn(int col, int steps) const {
  const int step = steps < 0 ? -1 : 1;
  for (int left = steps < 0 ? -steps : steps; left > 0; --left) {
    int next = col + step;
    while (next >= 0 && next < kGridColumns && !Column(next).visible) next += step;
    if (next < 0 || next >= kGridColumns) break;
    col = next;
  }
  return col;
}

void TGrid::MoveBy(int dcol, int drow, bool shift) {
  if (RowCount() == 0) return;
  const bool extend = shift && !selection_.Empty();
  const int fromCol = extend ? selection_.EndCol() : current_col_;
  const int fromRow = extend ? selection_.EndRow() : std::max(current_row_, 0);
  const int col = ShownColumn(fromCol, dcol);
  const int row = std::clamp(fromRow + drow, 0, RowCount() - 1);
  if (extend) {
    selection_.ExtendTo(col, row);
    SelectionDone();
  } else {
    ClickCell(col, row, false, false);
  }
}

void TGrid::SetSelection(const std::vector<TCellRange>& ranges) {
  selection_.Set(ranges);
  SelectionDone();
}

std::vector<int> TGrid::SelectedRows() const {
  std::vector<int> rows = selection_.RowList();
  if (rows.empty() && current_row_ >= 0) rows.push_back(current_row_);
  return rows;
}

void TGrid::SetEnabled(bool enabled) {
  enabled_ = enabled;
  View().EnabledChanged(enabled);
}

void TGrid::ScrollToColumn(int col) {
  View().ScrollToColumn(col);
}

void TGrid::Repaint() {
  View().Repaint();
}

bool TGrid::Takes(int col, const std::string& text) const {
  const TGridColumn& column = Column(col);
  if (column.kind != TColumnKind::kInteger || Trim(text).empty()) return true;
  const std::optional<std::int32_t> value = TryStrToInt(Trim(text));
  return value && *value >= column.minimum && *value <= column.maximum;
}

bool TGrid::UserEdit(int col, int row, const std::string& text) {
  if (!Takes(col, text) || Cell(col, row) == text || row < 0 || row >= RowCount()) return false;
  SetCell(col, row, text);
  if (OnAfterEdit) OnAfterEdit(col, row, text);
  return true;
}

void TGrid::UserCheck(int col, int row, bool checked) {
  if (row < 0 || row >= RowCount() || Checked(col, row) == checked) return;
  SetChecked(col, row, checked);
}

std::string TGrid::SpinText(int col, int row, const std::string& typed) const {
  const TGridColumn& column = Column(col);
  long long number = 0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), number);
  if (error != std::errc() || typed.empty()) {
    number = std::strtoll(Cell(col, row).c_str(), nullptr, 10);
  }
  return std::to_string(std::clamp<long long>(number, column.minimum, column.maximum));
}
