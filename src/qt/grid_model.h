// SPDX-License-Identifier: GPL-3.0-or-later
// The song grid of the main form as a Qt table model. It shows TGrid's
// cells (GBK, through our codec) and hands the user's edits to the form,
// which applies its rules; it holds no rule of its own. Model columns are
// the grid's columns, one for one (hidden ones stay in place).
#pragma once

#include <QAbstractTableModel>

#include "ui/grid.h"

class TfrmMain;

namespace qtui {

class GridModel final : public QAbstractTableModel, public IGridView {
  Q_OBJECT

 public:
  // The model of form.Grid(); it connects itself to the grid.
  explicit GridModel(TfrmMain& form, QObject* parent = nullptr);
  ~GridModel() override;

  // setData with this role: the value goes to every selected row
  // (TfrmMain::EditSelected), as a drop-down's choice or Ctrl+Enter does.
  static constexpr int kSelectedRowsRole = Qt::UserRole + 1;

  // True while the grid inserts or removes rows: the view's selection and
  // current cell move by themselves then and are not the user's.
  bool ChangingRows() const { return changingRows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The user's edit: handed to the form on the next turn of the event loop,
  // so that the editor has closed before the form's rules (and any message
  // box they show) run. Text with no GBK form is refused with a message.
  // A check box toggled goes to every selected row holding it.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // IGridView: the grid changed.
  void RowsAboutToBeInserted(int first, int last) override;
  void RowsInserted() override;
  void RowsAboutToBeRemoved(int first, int last) override;
  void RowsRemoved() override;
  void CellChanged(int col, int row) override;
  void ColumnChanged(int col) override;
  void CurrentCellChanged(int col, int row) override;
  void SelectionChanged() override;
  void EnabledChanged(bool enabled) override;
  void ScrollToColumn(int col) override;
  void Repaint() override;

 signals:
  void columnVisibilityChanged(int column, bool visible);
  void currentCellChanged(int column, int row);
  // The grid's selection changed (or rows came in under it): the view shows it.
  void gridSelectionChanged();
  void enabledChanged(bool enabled);
  void scrollToColumn(int column);
  void repaintRequested();

 private:
  TfrmMain& form_;
  const TGrid& grid_;
  bool changingRows_ = false;
};

}  // namespace qtui
