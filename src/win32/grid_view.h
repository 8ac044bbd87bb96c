// SPDX-License-Identifier: GPL-3.0-or-later
// The song grid of the main window as a report-style list view over the
// form's grid (TGrid): the list asks for each cell's text (owner data), a
// custom draw shades column 0, fills marked cells with the forms' colours,
// draws the check boxes and a focus rectangle on the current cell, and a
// tooltip tells why a cell is marked. A cell is edited in place, with an
// editor of the column's kind: a line, a line of digits, an integer (kept to
// the column's range) or a drop-down with editable text. Edits go to the
// form, which applies its rules; the grid holds none of its own.
#pragma once

#include "win32/win_api.h"

#include <string>

#include "ui/grid.h"

class TfrmMain;

namespace w32ui {

class GridView final : public IGridView {
 public:
  // A list view, child of parent with the id; connects itself to the grid.
  GridView(HWND parent, int id, TfrmMain& form);
  ~GridView() override;
  GridView(const GridView&) = delete;
  GridView& operator=(const GridView&) = delete;

  HWND hwnd() const { return list_; }
  // A notification of the list view, forwarded by its parent: true when
  // handled, with the result.
  bool OnNotify(const NMHDR& header, LRESULT& result);
  // Opens the cell's editor (nothing for a read-only or check-box cell).
  void BeginEdit(int col, int row);
  // The open editor (a line or a drop-down), or null.
  HWND Editor() const { return editor_; }
  // The tooltip at a point of the list (its client coordinates): why the
  // cell there is marked, then a text cell's whole text; empty for none.
  std::wstring TipAt(POINT at);
  // The row height and the columns' widths follow the window's DPI.
  void DpiChanged();
  // The last column takes the room the others leave (the list was resized).
  void StretchLastColumn();

  // IGridView
  void RowsAboutToBeInserted(int first, int last) override;
  void RowsInserted() override;
  void RowsAboutToBeRemoved(int first, int last) override;
  void RowsRemoved() override;
  void CellChanged(int col, int row) override;
  void ColumnChanged(int col) override;
  void CurrentCellChanged(int col, int row) override;
  void EnabledChanged(bool enabled) override;
  void ScrollToColumn(int col) override;
  void Repaint() override;

 private:
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR self);
  static LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR self);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void DrawChecksAndCurrent(HDC dc, int row);
  void CloseEditor(bool commit);
  void FilterDigits();
  void MoveCurrent(int step);
  void Clicked(int col, int row, bool twice);
  int Scale(int pixels) const;

  TfrmMain& form_;
  const TGrid& grid_;
  HWND list_ = nullptr;
  HWND tip_ = nullptr;
  HWND editor_ = nullptr;      // the editor's window (the combo box itself for a drop-down)
  HWND editorText_ = nullptr;  // where its text is typed
  HIMAGELIST rowHeight_ = nullptr;
  int editCol_ = -1, editRow_ = -1;
  int currentCol_ = 0, currentRow_ = -1;
  int tipCol_ = -1, tipRow_ = -1;
  std::wstring tipText_;
  std::wstring cellText_;   // the text a cell was last asked for
  bool following_ = false;  // the form moves the current cell: do not echo it back
  bool filtering_ = false;
};

}  // namespace w32ui
