// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ufrmBatchEdit.h"

#include <set>

#include "text/uPublic.h"
#include "ui/stick_view.h"
#include "ui/ui_texts.h"

std::optional<std::vector<std::string>> SequentialNumbers(const TGrid& grid,
                                                          const std::vector<int>& rows,
                                                          const std::string& start) {
  if (!IsSongNumber(Trim(start))) return std::nullopt;
  const std::set<int> numbered(rows.begin(), rows.end());
  std::set<std::string> taken;  // held by rows not numbered now
  for (int row = 0; row < grid.RowCount(); ++row) {
    if (numbered.count(row) == 0) taken.insert(Trim(grid.Cell(kColNumber, row)));
  }
  std::vector<std::string> numbers;
  int next = StrToInt(Trim(start));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    while (next <= 9999 && taken.count(FourDigits(next)) != 0) ++next;
    if (next > 9999) return std::nullopt;
    numbers.push_back(FourDigits(next++));
  }
  return numbers;
}

TfrmBatchEdit::TfrmBatchEdit(const TGrid& grid, std::vector<int> rows)
    : grid_(grid), rows_(std::move(rows)) {
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& column = grid.Column(col);
    if (!column.visible || !column.editable) continue;
    TField field{col, column.caption, column.kind, column.items, ""};
    if (col == kColNumber) field.caption = ui_text::NumberFrom();
    fields_.push_back(std::move(field));
  }
}

const std::string& TfrmBatchEdit::Caption() const {
  return ui_text::BatchCaption();
}

std::string TfrmBatchEdit::Hint() const {
  return ui_text::BatchHint(static_cast<int>(rows_.size()));
}

void TfrmBatchEdit::SetValue(std::size_t field, const std::string& value) {
  if (field >= fields_.size() || fields_[field].value == value) return;
  fields_[field].value = value;
  if (view_ != nullptr) view_->PreviewChanged();
}

std::optional<std::vector<std::string>> TfrmBatchEdit::NewValues(const TField& field) const {
  if (field.col == kColNumber) return SequentialNumbers(grid_, rows_, field.value);
  return std::vector<std::string>(rows_.size(), Trim(field.value));
}

TStringList TfrmBatchEdit::Preview() const {
  TStringList lines;
  std::size_t more = 0;
  auto shown = [](const TField& field, const std::string& text) {
    if (field.kind != TColumnKind::kCheck) return text;
    return text == "1" ? ui_text::CheckOn() : ui_text::CheckOff();
  };
  for (const TField& field : fields_) {
    if (Trim(field.value).empty()) continue;
    const auto values = NewValues(field);
    if (!values) {
      lines.push_back(ui_text::NoNumberToStart(field.value));
      continue;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      const std::string from = grid_.Cell(field.col, rows_[i]);
      if (from == (*values)[i]) continue;
      if (lines.size() >= kPreviewLines) {
        ++more;
        continue;
      }
      lines.push_back(ui_text::PreviewLine(rows_[i] + 1, grid_.Column(field.col).caption,
                                           shown(field, from), shown(field, (*values)[i])));
    }
  }
  if (more > 0) lines.push_back(ui_text::PreviewMore(static_cast<int>(more)));
  if (lines.empty()) lines.push_back(ui_text::NothingChanges());
  return lines;
}

void TfrmBatchEdit::btnOkClick() {
  accepted_ = true;
  if (view_ != nullptr) view_->Close();
}

void TfrmBatchEdit::btnCancelClick() {
  accepted_ = false;
  if (view_ != nullptr) view_->Close();
}
