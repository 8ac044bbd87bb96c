// SPDX-License-Identifier: GPL-3.0-or-later
// The batch dialog ("批量修改"): one field per editable column the product
// line's grid shows, for the rows the owner selected. A blank field leaves
// the column as it is; 编号 is numbered from its field's value on. The
// dialog shows what would change before the owner says 确定; the main form
// then applies it (TfrmMain::BatchEditClick).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/grid.h"
#include "ui/views.h"

class IBatchEditView : public IDialogView {
 public:
  // The preview (TfrmBatchEdit::Preview) changed.
  virtual void PreviewChanged() = 0;
};

// The numbers rows get when numbered from start on ("0012"): four digits,
// ascending, passing over the numbers the grid's other rows hold. nullopt
// when start is no number or 9999 comes before the last row.
std::optional<std::vector<std::string>> SequentialNumbers(const TGrid& grid,
                                                          const std::vector<int>& rows,
                                                          const std::string& start);

class TfrmBatchEdit {
 public:
  struct TField {
    int col = 0;
    std::string caption;  // the column's (编号: "依次编号，从")
    TColumnKind kind = TColumnKind::kText;
    TStringList items;  // a drop-down's names
    std::string value;  // "" unchanged; a check box "1" or "0"
  };

  // The fields of the grid's shown, editable columns (视频文件 and 文件夹
  // never are), for rows (0-based, ascending).
  TfrmBatchEdit(const TGrid& grid, std::vector<int> rows);
  void SetView(IBatchEditView* view) { view_ = view; }

  const std::string& Caption() const;
  std::string Hint() const;  // "将修改选中的 15 首歌曲。空着的项不改。"
  const std::vector<TField>& Fields() const { return fields_; }
  const std::vector<int>& Rows() const { return rows_; }
  // The owner filled (or emptied) a field: the preview follows.
  void SetValue(std::size_t field, const std::string& value);
  // What a filled field sets in each of Rows(), in order: its value, or for
  // 编号 the numbers from it on (SequentialNumbers); nullopt when those
  // cannot be given.
  std::optional<std::vector<std::string>> NewValues(const TField& field) const;

  // What 确定 would change, a line per cell ("第 3 行 语种：国语 → 粤语"),
  // at most kPreviewLines of them and then how many more; one line saying
  // so when nothing would change. Derived columns (拼音 from 歌曲名称) are
  // not listed: they follow when applied.
  static constexpr std::size_t kPreviewLines = 200;
  TStringList Preview() const;

  void btnOkClick();      // accepted, closed
  void btnCancelClick();  // closed, nothing changes
  bool Accepted() const { return accepted_; }

 private:
  const TGrid& grid_;
  std::vector<int> rows_;
  std::vector<TField> fields_;
  bool accepted_ = false;
  IBatchEditView* view_ = nullptr;
};
