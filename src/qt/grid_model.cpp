// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/grid_model.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>

#include "qt/qt_text.h"
#include "ui/mark_colours.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace qtui {

GridModel::GridModel(TfrmMain& form, QObject* parent)
    : QAbstractTableModel(parent), form_(form), grid_(form.Grid()) {
  form.Grid().SetView(this);
}

GridModel::~GridModel() {
  form_.Grid().SetView(nullptr);
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column();
  const int row = index.row();
  const TGridColumn& column = grid_.Column(col);
  if (column.kind == TColumnKind::kCheck) {
    if (role == Qt::CheckStateRole) return grid_.Checked(col, row) ? Qt::Checked : Qt::Unchecked;
    return {};
  }
  const TMark& mark = grid_.Mark(col, row);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQt(grid_.Cell(col, row));
    case Qt::BackgroundRole:
      if (TRgb colour; MarkColour(mark.kind, colour)) {
        return QColor(colour.red, colour.green, colour.blue);
      }
      if (column.shaded) return QApplication::palette().button();
      return {};
    case Qt::ToolTipRole: {
      const std::string tip = grid_.Tip(col, row);
      return tip.empty() ? QVariant() : QVariant(ToQt(tip));
    }
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section >= 0 &&
      section < kGridColumns) {
    return ToQt(ui_text::ColumnTip(section));
  }
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal && section >= 0 && section < kGridColumns) {
    return ToQt(grid_.Column(section).caption);
  }
  if (orientation == Qt::Vertical) return section + 1;
  return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable;
  if (grid_.Enabled()) f |= Qt::ItemIsEnabled;
  const TGridColumn& column = grid_.Column(index.column());
  if (!column.editable) return f;
  if (column.kind == TColumnKind::kCheck) return f | Qt::ItemIsUserCheckable;
  return f | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid()) return false;
  const int col = index.column();
  const int row = index.row();
  if (role == Qt::CheckStateRole) {
    const bool checked = value.toInt() == Qt::Checked;
    QTimer::singleShot(0, this,
                       [this, col, row, checked] { form_.CheckSelected(col, row, checked); });
    return true;
  }
  if (role != Qt::EditRole && role != kSelectedRowsRole) return false;
  const auto text = FromQt(value.toString());
  if (!text) {
    QTimer::singleShot(0, this, [this] { form_.RefuseTypedText(); });
    return false;
  }
  if (role == kSelectedRowsRole) {
    QTimer::singleShot(0, this,
                       [this, col, row, gbk = *text] { form_.EditSelected(col, row, gbk); });
  } else {
    QTimer::singleShot(0, this, [this, col, row, gbk = *text] { form_.EditCell(col, row, gbk); });
  }
  return true;
}

void GridModel::RowsAboutToBeInserted(int first, int last) {
  changingRows_ = true;
  beginInsertRows(QModelIndex(), first, last);
}

void GridModel::RowsInserted() {
  endInsertRows();
  changingRows_ = false;
  // The view moved its selection down with the rows; the grid's stays.
  emit gridSelectionChanged();
}

void GridModel::RowsAboutToBeRemoved(int first, int last) {
  changingRows_ = true;
  beginRemoveRows(QModelIndex(), first, last);
}

void GridModel::RowsRemoved() {
  endRemoveRows();
  changingRows_ = false;
}

void GridModel::CellChanged(int col, int row) {
  const QModelIndex at = index(row, col);
  emit dataChanged(at, at);
}

void GridModel::ColumnChanged(int col) {
  emit columnVisibilityChanged(col, grid_.Column(col).visible);
}

void GridModel::CurrentCellChanged(int col, int row) {
  emit currentCellChanged(col, row);
}

void GridModel::SelectionChanged() {
  emit gridSelectionChanged();
}

void GridModel::EnabledChanged(bool enabled) {
  emit enabledChanged(enabled);
  if (grid_.RowCount() > 0)
    emit dataChanged(index(0, 0), index(grid_.RowCount() - 1, kGridColumns - 1));
}

void GridModel::ScrollToColumn(int col) {
  emit scrollToColumn(col);
}

void GridModel::Repaint() {
  emit repaintRequested();
}

}  // namespace qtui
