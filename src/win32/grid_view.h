// SPDX-License-Identifier: GPL-3.0-or-later
// The song grid of the main window as a report-style list view over the
// form's grid (TGrid): the list asks for each cell's text (owner data), a
// custom draw shades column 0 (the rows' header), paints the cells the grid
// has selected, fills marked cells with the forms' colours, draws the check
// boxes and a focus rectangle on the current cell, and tooltips tell why a
// cell is marked and what a column means. The mouse and the keys select
// cells as in a spreadsheet, through the grid's selection calls. A cell is
// edited in place, with an editor of the column's kind: a line, a line of
// digits, an integer (kept to the column's range) or a drop-down with
// editable text. Edits, the clipboard's text, undo and redo go to the form,
// which applies its rules; the grid view holds none of its own.
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
  // The list's column header.
  HWND header() const { return header_; }
  // A notification of the list view, forwarded by its parent: true when
  // handled, with the result.
  bool OnNotify(const NMHDR& header, LRESULT& result);
  // Opens the cell's editor (nothing for a read-only or check-box cell).
  void BeginEdit(int col, int row);
  // The open editor (a line or a drop-down), or null.
  HWND Editor() const { return editor_; }
  // Closes the open editor, its text set in its cell.
  void CommitEdit() { CloseEditor(EditorEnd::kCell); }
  // Hands an editing message (WM_COPY, WM_PASTE, WM_UNDO, EM_SETSEL) to the
  // open editor's text: false when no editor is open.
  bool ToEditor(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  // Puts the selected cells on the clipboard as text (Ctrl+C).
  void CopyToClipboard();
  // The clipboard's text into the grid from the current cell (Ctrl+V).
  void PasteFromClipboard();
  // The tooltip at a point of the list (its client coordinates): why the
  // cell there is marked, then a text cell's whole text; empty for none.
  std::wstring TipAt(POINT at);
  // The tooltip of the column caption at a point of the header (its client
  // coordinates): what the column means; empty for none.
  std::wstring HeaderTipAt(POINT at);
  // Answers a tooltip's TTN_GETDISPINFOW (lparam): tipAt of the cursor in
  // window's client coordinates, kept in tipText_ while the tip shows it.
  void GiveTip(LPARAM lparam, HWND window, std::wstring (GridView::*tipAt)(POINT));
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
  void SelectionChanged() override;
  void EnabledChanged(bool enabled) override;
  void ScrollToColumn(int col) override;
  void Repaint() override;

 private:
  // How an editor ends: dropped, its text set in its cell, set in its cell
  // and the other selected rows of its column, or dropped for the
  // clipboard's block to be pasted into the grid.
  enum class EditorEnd : WPARAM { kDrop, kCell, kSelection, kPasteBlock };

  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                   DWORD_PTR self);
  static LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR self);
  static LRESULT CALLBACK HeaderProc(HWND header, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR self);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void DrawChecksAndCurrent(HDC dc, int row);
  void OpenEditor(int col, int row, bool dropList);
  void CloseEditor(EditorEnd end);
  void FilterDigits();
  // The keys of the grid itself (not of an open editor): true when handled.
  bool KeyDown(WPARAM key);
  // The mouse: a press (left or right button), a move with the left button
  // held, a double click.
  void Pressed(POINT at, WPARAM keys, bool right);
  void Dragged(POINT at);
  void DoubleClicked(POINT at);
  // The cell under a point of the list; false outside the rows.
  bool CellAt(POINT at, int& col, int& row) const;
  // The column whose caption is above the list's x; -1 for none.
  int ColumnAt(int x) const;
  // The end of the selection was moved by the keys: it is scrolled into view.
  void ShowSelectionEnd();
  // Asks the main window for the help (F1).
  void Help();
  int Scale(int pixels) const;

  TfrmMain& form_;
  TGrid& grid_;
  HWND list_ = nullptr;
  HWND header_ = nullptr;
  HWND tip_ = nullptr;
  HWND headerTip_ = nullptr;
  HWND editor_ = nullptr;      // the editor's window (the combo box itself for a drop-down)
  HWND editorText_ = nullptr;  // where its text is typed
  HWND editorList_ = nullptr;  // a drop-down's list
  HIMAGELIST rowHeight_ = nullptr;
  int editCol_ = -1, editRow_ = -1;
  bool chosen_ = false;  // an item of the open list was clicked, or Enter pressed on it
  int currentCol_ = 0, currentRow_ = -1;
  int tipCol_ = -1, tipRow_ = -1;
  int headerTipCol_ = -1;
  std::wstring tipText_;
  std::wstring cellText_;   // the text a cell was last asked for
  bool following_ = false;  // the form moves the current cell: do not echo it back
  bool filtering_ = false;
  bool dragging_ = false;            // the left button is held since a press on a cell
  bool dragsRows_ = false;           // the press was on a row's header: whole rows follow
  int dragCol_ = -1, dragRow_ = -1;  // where the drag was last seen
};

}  // namespace w32ui
