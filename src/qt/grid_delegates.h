// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's editors, one delegate per column kind, in the manner of Qt's
// "Spin Box Delegate" example: a line editor for text (keeping to the
// column's digits and length where it has them), a spin box for the integer
// column and an editable drop-down that offers its column's list and
// accepts typed text. Check boxes need no editor.
//
// Every editor commits with Enter to its own cell and with Ctrl+Enter to the
// selected rows; a drop-down's choice always goes to the selected rows
// (GridModel::kSelectedRowsRole). Ctrl+V with a spreadsheet's block on the
// clipboard (a tab or a line break in it) closes the editor unchanged and
// asks for the grid's paste instead.
#pragma once

#include <QStyledItemDelegate>

class TGrid;

namespace qtui {

class CellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  CellDelegate(const TGrid& grid, QObject* parent);

 signals:
  // Ctrl+V in an editor with a block on the clipboard: the editor has closed.
  void blockPasted();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;
  // Marks the editor made for a cell, and watches its inner line editor too.
  QWidget* Watched(QWidget* editor) const;
  // The role the editor's value is set with: for the selected rows after
  // Ctrl+Enter, else for its cell.
  static int RoleOf(const QWidget* editor);

  const TGrid& grid_;
};

class TextDelegate final : public CellDelegate {
 public:
  using CellDelegate::CellDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

class IntegerDelegate final : public CellDelegate {
 public:
  // The range is the grid column's.
  using CellDelegate::CellDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

class DropDownDelegate final : public CellDelegate {
 public:
  // The names offered are those of the grid column at the time the editor
  // opens; choosing one in the list commits it at once.
  using CellDelegate::CellDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

}  // namespace qtui
