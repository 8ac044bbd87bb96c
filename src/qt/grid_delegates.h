// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's editors, one delegate per column kind, in the manner of Qt's
// "Spin Box Delegate" example: a spin box for the integer column and an
// editable drop-down that offers its column's list and accepts typed text.
// A text column with rules of its own gets a line editor that keeps to
// them; check boxes need no editor.
#pragma once

#include <QStyledItemDelegate>

class TGrid;

namespace qtui {

// A text column whose editor filters what is typed or pasted as the column
// says (digits only, a length).
class TextDelegate final : public QStyledItemDelegate {
 public:
  TextDelegate(const TGrid& grid, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 private:
  const TGrid& grid_;
};

class IntegerDelegate final : public QStyledItemDelegate {
 public:
  // The range is the grid column's.
  IntegerDelegate(const TGrid& grid, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  const TGrid& grid_;
};

class DropDownDelegate final : public QStyledItemDelegate {
 public:
  // The names offered are those of the grid column at the time the editor opens.
  DropDownDelegate(const TGrid& grid, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  const TGrid& grid_;
};

}  // namespace qtui
