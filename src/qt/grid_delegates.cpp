// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/grid_delegates.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

#include "qt/dialogs.h"
#include "qt/grid_model.h"
#include "qt/qt_text.h"
#include "ui/grid.h"
#include "ui/grid_rules.h"

namespace qtui {
namespace {

constexpr const char* kCellEditor = "cellEditor";
constexpr const char* kForSelectedRows = "forSelectedRows";

// The cell's editor that object is, or is inside of.
QWidget* EditorOf(QObject* object) {
  for (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr;
       widget = widget->parentWidget()) {
    if (widget->property(kCellEditor).toBool()) return widget;
  }
  return nullptr;
}

// The clipboard's text without the line break a spreadsheet puts after its
// last row.
QString WithoutLastBreak(QString text) {
  while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
  return text;
}

// A spreadsheet's block: more than one cell.
bool IsBlock(const QString& text) {
  const QString cells = WithoutLastBreak(text);
  return cells.contains('\t') || cells.contains('\n') || cells.contains('\r');
}

QLineEdit* LineOf(QWidget* editor) {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) return line;
  return editor->findChild<QLineEdit*>();
}

}  // namespace

CellDelegate::CellDelegate(const TGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid) {}

QWidget* CellDelegate::Watched(QWidget* editor) const {
  editor->setProperty(kCellEditor, true);
  // The view watches the editor itself; the line inside a spin box or a
  // drop-down may get the keys first.
  for (QLineEdit* line : editor->findChildren<QLineEdit*>())
    line->installEventFilter(const_cast<CellDelegate*>(this));
  return editor;
}

int CellDelegate::RoleOf(const QWidget* editor) {
  return editor->property(kForSelectedRows).toBool() ? GridModel::kSelectedRowsRole : Qt::EditRole;
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
  QWidget* editor = EditorOf(object);
  if (editor == nullptr) return QStyledItemDelegate::eventFilter(object, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
      const QString text = QGuiApplication::clipboard()->text();
      if (IsBlock(text)) {
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        emit blockPasted();
        return true;
      }
      if (QLineEdit* line = LineOf(editor); line != nullptr && text != WithoutLastBreak(text)) {
        // One cell of a spreadsheet: its text, without the break after it.
        line->insert(WithoutLastBreak(text));
        return true;
      }
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && (key->modifiers() & Qt::ControlModifier))
      editor->setProperty(kForSelectedRows, true);
  }
  // The inner line of an editor leaves the rest to the editor's own handling.
  if (object != editor) return false;
  return QStyledItemDelegate::eventFilter(object, event);
}

QWidget* TextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  auto* line = qobject_cast<QLineEdit*>(editor);
  const TGridColumn& column = grid_.Column(index.column());
  if (line != nullptr && column.digitsOnly) {
    const std::size_t most = column.maxLength;
    line->setValidator(new FormValidator(
        [most](const std::string& text) { return KeepDigits(text, most); }, line));
  }
  return Watched(editor);
}

void TextDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    model->setData(index, line->text(), RoleOf(editor));
  } else {
    QStyledItemDelegate::setModelData(editor, model, index);
  }
}

QWidget* IntegerDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
  auto* editor = new QSpinBox(parent);
  editor->setFrame(false);
  const TGridColumn& column = grid_.Column(index.column());
  editor->setRange(column.minimum, column.maximum);
  editor->setSingleStep(1);
  return Watched(editor);
}

void IntegerDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toString().trimmed().toInt());
}

void IntegerDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
  auto* spin = static_cast<QSpinBox*>(editor);
  spin->interpretText();
  model->setData(index, QString::number(spin->value()), RoleOf(editor));
}

QWidget* DropDownDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  auto* editor = new QComboBox(parent);
  editor->setEditable(true);
  editor->setInsertPolicy(QComboBox::NoInsert);
  const TGridColumn& column = grid_.Column(index.column());
  for (const auto& name : column.items) editor->addItem(ToQt(name));
  editor->setMaxVisibleItems(std::max(column.dropDownCount, 1));
  // A name chosen in the list is the edit: no Enter needed after it.
  auto* self = const_cast<DropDownDelegate*>(this);
  connect(editor, &QComboBox::activated, self, [self, editor] {
    emit self->commitData(editor);
    emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
  });
  return Watched(editor);
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
  model->setData(index, static_cast<QComboBox*>(editor)->currentText(),
                 GridModel::kSelectedRowsRole);
}

}  // namespace qtui
