// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: many cells at once, as in a spreadsheet: a column set on
// every selected row, a fill down, the batch dialog, copy and paste. Every
// cell goes through the rules of the owner's own edit of it.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "text/gbk.h"
#include "text/uPublic.h"
#include "ui/delimited_text.h"
#include "ui/grid_rules.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace {
// What a check box takes: 1 or 0, as a spreadsheet's TRUE or FALSE too.
std::optional<bool> CheckValue(const std::string& value) {
  if (value == "1" || value == "TRUE" || value == "true") return true;
  if (value == "0" || value == "FALSE" || value == "false") return false;
  return std::nullopt;
}

// The columns whose cells stay per row: a batch never sets them.
bool PerRow(int col) {
  return col == kColNumber || col == kColVideo || col == kColFolder;
}

// A block that is no well-formed spreadsheet text (an unclosed quote): its
// lines and tabs as they stand.
std::vector<TTextRow> PlainBlock(const std::string& text) {
  std::vector<TTextRow> block;
  TStringList lines;
  SplitString(text, '\n', lines);
  for (std::string line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    TTextRow fields;
    SplitString(line, '\t', fields);
    block.push_back(std::move(fields));
  }
  while (!block.empty() && block.back().size() == 1 && block.back()[0].empty()) block.pop_back();
  return block;
}
}  // namespace

std::string TfrmMain::Refusal(int col, int /*row*/, const std::string& value) const {
  const TGridColumn& column = lvList.Column(col);
  if (!column.editable) return ui_text::NotEditable();
  if (BreaksVodLine(value)) return ui_text::TextBreaksList(value);
  if (!lvList.Takes(col, value)) {
    return ui_text::NotInRange(column.caption, column.minimum, column.maximum);
  }
  return "";
}

std::string TfrmMain::PutValue(int col, int row, const std::string& value) {
  const TGridColumn& column = lvList.Column(col);
  if (!column.editable) return lvList.Cell(col, row) == value ? "" : ui_text::NotEditable();
  if (column.kind == TColumnKind::kCheck) {
    const std::optional<bool> on = CheckValue(value);
    if (!on) return ui_text::NotACheck();
    if (lvList.Checked(col, row) != *on) uncopied_ = true;
    lvList.UserCheck(col, row, *on);
    return "";
  }
  if (const std::string why = Refusal(col, row, value); !why.empty()) return why;
  std::string taken = value;
  if (column.kind == TColumnKind::kDropDown && !value.empty()) {
    // The track lists are the row's own, as when the owner clicks its cell.
    if (col == kColAccomp || col == kColVocal) lvListCellClick(col, row);
    taken = ChoiceOf(col, row, value);
    if (taken.empty()) return ui_text::NotAChoice(value);
  }
  // A number that is wrong or twice is marked in its cell; no box per cell.
  quietNumbers_ = true;
  try {
    if (lvList.UserEdit(col, row, taken)) uncopied_ = true;
  } catch (...) {
    quietNumbers_ = false;
    throw;
  }
  quietNumbers_ = false;
  return "";
}

void TfrmMain::PutOrTell(int col, int row, const std::string& value, TStringList& problems) {
  const std::string why = PutValue(col, row, value);
  if (!why.empty())
    problems.push_back(ui_text::CellProblem(row + 1, lvList.Column(col).caption, why));
}

std::vector<int> TfrmMain::RowsFor(int row) const {
  std::vector<int> rows = lvList.Selection().RowList();
  if (rows.size() < 2 || std::find(rows.begin(), rows.end(), row) == rows.end()) return {row};
  return rows;
}

void TfrmMain::AfterManyCells(const TStringList& problems) {
  lvListCellClick(lvList.CurrentCol(), lvList.CurrentRow());
  lvList.Repaint();
  if (!problems.empty()) {
    ShowMsg(this, ui_text::ToolCaption(), ui_text::NotChanged(problems), kMsgWarning);
  }
}

bool TfrmMain::NumberRows(const std::vector<int>& rows, const std::string& start) {
  const auto numbers = SequentialNumbers(lvList, rows, start);
  if (!numbers) {
    ShowMsg(this, ui_text::NumberErrorCaption(),
            IsSongNumber(Trim(start)) ? ui_text::NoNumberLeft(Trim(start))
                                      : ui_text::NoNumberToStart(start),
            kMsgWarning);
    return false;
  }
  const TQuestion question{
      TQuestion::Id::kNumberRows,
      ui_text::NumberRowsCaption(),
      ui_text::NumberRowsQuestion(static_cast<int>(rows.size()), numbers->front()),
      {ui_text::NumberRowsButton(), ui_text::CancelButton()}};
  if (view_.Ask(question) != 0) return false;
  TUndoStep step(*this, ui_text::NumberStep());
  TStringList problems;
  for (std::size_t i = 0; i < rows.size(); ++i)
    PutOrTell(kColNumber, rows[i], (*numbers)[i], problems);
  AfterManyCells(problems);
  return true;
}

void TfrmMain::EditSelected(int col, int row, const std::string& text) {
  if (FSongList == nullptr || Busy() || !lvList.Enabled()) return;
  const std::vector<int> rows = RowsFor(row);
  if (rows.size() < 2) {
    EditCell(col, row, text);
    return;
  }
  Guarded([&] {
    const TGridColumn& column = lvList.Column(col);
    if (col == kColNumber) {
      NumberRows(rows, text);
      return;
    }
    if (PerRow(col) || !column.editable) {
      ShowMsg(this, ui_text::ToolCaption(), ui_text::PerRowColumn(column.caption), kMsgWarning);
      return;
    }
    TUndoStep step(*this, ui_text::BatchStep());
    TStringList problems;
    for (const int r : rows) PutOrTell(col, r, text, problems);
    AfterManyCells(problems);
  });
}

void TfrmMain::CheckSelected(int col, int row, bool checked) {
  if (RowsFor(row).size() < 2) {
    CheckCell(col, row, checked);
  } else {
    EditSelected(col, row, checked ? "1" : "0");
  }
}

void TfrmMain::FillDown() {
  if (FSongList == nullptr || Busy() || !lvList.Enabled()) return;
  const std::vector<int> rows = lvList.Selection().RowList();
  if (rows.size() < 2) return;
  Guarded([&] {
    std::vector<int> cols;
    bool number = false;
    for (const int col : lvList.Selection().ColumnList()) {
      if (!lvList.Column(col).visible) continue;
      if (col == kColNumber) number = true;
      if (!PerRow(col) && lvList.Column(col).editable) cols.push_back(col);
    }
    if (cols.empty()) {
      if (number) {
        NumberRows(rows, Trim(lvList.Cell(kColNumber, rows.front())));
      } else {
        ShowMsg(this, ui_text::ToolCaption(), ui_text::NothingToFill(), kMsgWarning);
      }
      return;
    }
    TUndoStep step(*this, ui_text::FillStep());
    TStringList problems;
    for (const int col : cols) {
      const std::string value = lvList.Cell(col, rows.front());
      for (std::size_t i = 1; i < rows.size(); ++i) PutOrTell(col, rows[i], value, problems);
    }
    AfterManyCells(problems);
  });
}

void TfrmMain::BatchEditClick() {
  if (FSongList == nullptr || Busy() || !lvList.Enabled()) return;
  const std::vector<int> rows = lvList.SelectedRows();
  if (rows.empty()) return;
  Guarded([&] {
    TDialogUse dialog(frmBatchEdit, lvList, rows);
    view_.ShowModal(*dialog);
    if (!dialog->Accepted()) return;
    TUndoStep step(*this, ui_text::BatchStep());
    TStringList problems;
    for (const TfrmBatchEdit::TField& field : dialog->Fields()) {
      if (Trim(field.value).empty()) continue;
      const auto values = dialog->NewValues(field);
      if (!values) {
        problems.push_back(ui_text::NoNumberToStart(Trim(field.value)));
        continue;
      }
      for (std::size_t i = 0; i < rows.size(); ++i)
        PutOrTell(field.col, rows[i], (*values)[i], problems);
    }
    AfterManyCells(problems);
  });
}

std::string TfrmMain::CopyText() const {
  const TGridSelection& selection = lvList.Selection();
  std::vector<int> cols;
  for (const int col : selection.ColumnList()) {
    if (lvList.Column(col).visible) cols.push_back(col);
  }
  std::vector<TTextRow> block;
  for (const int row : selection.RowList()) {
    TTextRow line;
    for (const int col : cols) {
      line.push_back(selection.Contains(col, row) ? gbk::ToUtf8(lvList.Cell(col, row)) : "");
    }
    block.push_back(std::move(line));
  }
  return cols.empty() ? "" : WriteDelimited(block, '\t');
}

void TfrmMain::Paste(const std::string& utf8) {
  if (FSongList == nullptr || Busy() || !lvList.Enabled() || lvList.RowCount() == 0) return;
  std::vector<TTextRow> block;
  try {
    block = ParseDelimited(utf8, '\t', true);
  } catch (const std::runtime_error&) {
    block = PlainBlock(utf8);
  }
  if (block.empty()) return;
  // The shown columns, left to right.
  std::vector<int> shown;
  for (int col = 0; col < kGridColumns; ++col) {
    if (lvList.Column(col).visible) shown.push_back(col);
  }
  Guarded([&] {
    TUndoStep step(*this, ui_text::PasteStep());
    TStringList problems;
    auto put = [&](int col, int row, const std::string& field) {
      const std::string trimmed = Trim(field);
      if (trimmed.empty()) return;
      const std::optional<std::string> text = gbk::TryFromUtf8(trimmed);
      if (text) {
        PutOrTell(col, row, *text, problems);
      } else {
        problems.push_back(
            ui_text::CellProblem(row + 1, lvList.Column(col).caption, ui_text::NoGbkForm()));
      }
    };
    const TGridSelection selection = lvList.Selection();
    const bool oneValue = block.size() == 1 && block[0].size() == 1;
    if (oneValue && selection.RowList().size() * selection.ColumnList().size() > 1) {
      // One value into every selected cell.
      for (const int row : selection.RowList()) {
        for (const int col : shown) {
          if (selection.Contains(col, row)) put(col, row, block[0][0]);
        }
      }
    } else {
      const int top = std::max(lvList.CurrentRow(), 0);
      const auto first = std::lower_bound(shown.begin(), shown.end(), lvList.CurrentCol());
      const std::vector<int> cols(first, shown.end());
      int rowsBeyond = 0;
      std::size_t colsBeyond = 0;
      for (std::size_t i = 0; i < block.size(); ++i) {
        const int row = top + static_cast<int>(i);
        if (row >= lvList.RowCount()) {
          ++rowsBeyond;
          continue;
        }
        const TTextRow& fields = block[i];
        if (fields.size() > cols.size())
          colsBeyond = std::max(colsBeyond, fields.size() - cols.size());
        for (std::size_t j = 0; j < fields.size() && j < cols.size(); ++j)
          put(cols[j], row, fields[j]);
      }
      if (rowsBeyond > 0) problems.push_back(ui_text::RowsBeyondGrid(rowsBeyond));
      if (colsBeyond > 0)
        problems.push_back(ui_text::ColumnsBeyondGrid(static_cast<int>(colsBeyond)));
    }
    AfterManyCells(problems);
  });
}
