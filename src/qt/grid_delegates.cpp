// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/grid_delegates.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "qt/dialogs.h"
#include "qt/qt_text.h"
#include "ui/grid.h"
#include "ui/grid_rules.h"

namespace qtui {

TextDelegate::TextDelegate(const TGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid) {}

QWidget* TextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  auto* line = qobject_cast<QLineEdit*>(editor);
  const TGridColumn& column = grid_.Column(index.column());
  if (line == nullptr || !column.digitsOnly) return editor;
  const std::size_t most = column.maxLength;
  line->setValidator(
      new FormValidator([most](const std::string& text) { return KeepDigits(text, most); }, line));
  return editor;
}

IntegerDelegate::IntegerDelegate(const TGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid) {}

QWidget* IntegerDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
  auto* editor = new QSpinBox(parent);
  editor->setFrame(false);
  const TGridColumn& column = grid_.Column(index.column());
  editor->setRange(column.minimum, column.maximum);
  editor->setSingleStep(1);
  return editor;
}

void IntegerDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toString().trimmed().toInt());
}

void IntegerDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
  auto* spin = static_cast<QSpinBox*>(editor);
  spin->interpretText();
  model->setData(index, QString::number(spin->value()), Qt::EditRole);
}

DropDownDelegate::DropDownDelegate(const TGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid) {}

QWidget* DropDownDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  auto* editor = new QComboBox(parent);
  editor->setEditable(true);
  editor->setInsertPolicy(QComboBox::NoInsert);
  const TGridColumn& column = grid_.Column(index.column());
  for (const auto& name : column.items) editor->addItem(ToQt(name));
  editor->setMaxVisibleItems(std::max(column.dropDownCount, 1));
  return editor;
}

void DropDownDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* combo = static_cast<QComboBox*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  const int at = combo->findText(text);
  if (at >= 0) {
    combo->setCurrentIndex(at);
  } else {
    combo->setEditText(text);
  }
}

void DropDownDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
}

}  // namespace qtui
