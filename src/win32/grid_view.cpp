// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/grid_view.h"

#include <algorithm>
#include <optional>

#include "ui/grid_rules.h"
#include "ui/mark_colours.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"
#include "win32/win_text.h"
#include "win32/window.h"

namespace w32ui {
namespace {

// Posted to the list view by its editor: wParam says how it ends (EditorEnd).
constexpr UINT kEditorDone = WM_APP + 1;
constexpr int kRowHeight = 24;

bool CellRect(HWND list, int col, int row, RECT& rect) {
  rect = {};
  rect.top = col;
  rect.left = LVIR_BOUNDS;
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&rect))) {
    return false;
  }
  if (col == 0) {
    // Column 0's bounds are the whole row's: cut them at its width.
    rect.right = rect.left + static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  }
  return true;
}

bool KeyHeld(int key) {
  return GetKeyState(key) < 0;
}

// Another program may hold the clipboard for a moment.
bool OpenClipboardOf(HWND owner) {
  for (int tries = 0; tries < 10; ++tries) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

std::optional<std::wstring> ClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardOf(owner)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
      text = std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Three fifths of over, two of under.
COLORREF Blend(COLORREF over, COLORREF under) {
  const auto mix = [](int a, int b) { return static_cast<BYTE>((3 * a + 2 * b) / 5); };
  return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
             mix(GetBValue(over), GetBValue(under)));
}

POINT PointOf(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

}  // namespace

GridView::GridView(HWND parent, int id, TfrmMain& form) : form_(form), grid_(form.Grid()) {
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                              LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                          0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, DpiOf(list_))), TRUE);
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& column = grid_.Column(col);
    std::wstring caption = Wide(column.caption);
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.pszText = caption.data();
    lvc.cx = column.visible ? Scale(column.width) : 0;
    lvc.iSubItem = col;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(col),
                 reinterpret_cast<LPARAM>(&lvc));
  }
  DpiChanged();
  // The list's own focus rectangle spans the row; the current cell draws its own.
  SendMessageW(list_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  SetWindowSubclass(list_, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  header_ = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));

  // Why a cell is marked, and a text column's whole text; over the header,
  // what a column means.
  auto addTip = [this](HWND tool) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, Scale(480));
    return tip;
  };
  tip_ = addTip(list_);
  if (header_ != nullptr) {
    SetWindowSubclass(header_, HeaderProc, 3, reinterpret_cast<DWORD_PTR>(this));
    headerTip_ = addTip(header_);
  }
  grid_.SetView(this);
}

GridView::~GridView() {
  grid_.SetView(nullptr);
  if (editor_ != nullptr) DestroyWindow(editor_);
  if (header_ != nullptr) RemoveWindowSubclass(header_, HeaderProc, 3);
  RemoveWindowSubclass(list_, ListProc, 1);
  if (rowHeight_ != nullptr) ImageList_Destroy(rowHeight_);
}

int GridView::Scale(int pixels) const {
  return Scaled(pixels, DpiOf(list_));
}

void GridView::DpiChanged() {
  // The rows are as high as the small images: a one-pixel-wide list of them.
  HIMAGELIST old = rowHeight_;
  rowHeight_ = ImageList_Create(1, Scale(kRowHeight), ILC_COLOR, 1, 0);
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight_));
  if (old != nullptr) ImageList_Destroy(old);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, DpiOf(list_))), TRUE);
  for (int col = 0; col < kGridColumns; ++col) ColumnChanged(col);
}

// ---- The grid changed ----

void GridView::RowsAboutToBeInserted(int, int) {
  CloseEditor(EditorEnd::kDrop);
}

void GridView::RowsInserted() {
  SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid_.RowCount()),
               LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridView::RowsAboutToBeRemoved(int, int) {
  CloseEditor(EditorEnd::kDrop);
}

void GridView::RowsRemoved() {
  SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid_.RowCount()), 0);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridView::CellChanged(int, int row) {
  SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void GridView::ColumnChanged(int col) {
  const TGridColumn& column = grid_.Column(col);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col),
               column.visible ? Scale(column.width) : 0);
  StretchLastColumn();
}

void GridView::StretchLastColumn() {
  constexpr int last = kGridColumns - 1;
  if (!grid_.Column(last).visible) return;
  int others = 0;
  for (int c = 0; c < last; ++c)
    others += static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
  RECT client;
  GetClientRect(list_, &client);
  const int width = std::max<int>(Scale(grid_.Column(last).width), client.right - others);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, last, width);
}

void GridView::CurrentCellChanged(int col, int row) {
  const int before = currentRow_;
  currentCol_ = col;
  currentRow_ = row;
  following_ = true;
  if (row >= 0) {
    LVITEMW item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  following_ = false;
  if (before >= 0) SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(before), before);
  if (row >= 0) SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void GridView::SelectionChanged() {
  InvalidateRect(list_, nullptr, FALSE);
}

void GridView::EnabledChanged(bool enabled) {
  if (!enabled) CloseEditor(EditorEnd::kCell);
  EnableWindow(list_, enabled);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridView::ScrollToColumn(int col) {
  int left = 0;
  for (int c = 0; c < col; ++c)
    left += static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
  const int now = GetScrollPos(list_, SB_HORZ);
  SendMessageW(list_, LVM_SCROLL, static_cast<WPARAM>(left - now), 0);
}

void GridView::Repaint() {
  InvalidateRect(list_, nullptr, FALSE);
  UpdateWindow(list_);
}

// ---- Drawing ----

LRESULT GridView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  const DWORD stage = draw.nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  const int row = static_cast<int>(draw.nmcd.dwItemSpec);
  if (stage == CDDS_ITEMPREPAINT) {
    // The list's own selection is not drawn: the grid's selection is.
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
  }
  if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    const int col = draw.iSubItem;
    const TGridColumn& column = grid_.Column(col);
    const bool enabled = grid_.Enabled();
    COLORREF back = GetSysColor(column.shaded ? COLOR_BTNFACE : COLOR_WINDOW);
    COLORREF text = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (row == currentRow_ && col == currentCol_) back = RGB(204, 228, 247);
    TRgb colour;
    const bool marked = MarkColour(grid_.Mark(col, row).kind, colour);
    if (marked) back = RGB(colour.red, colour.green, colour.blue);
    if (grid_.Selected(col, row)) {
      // A marked cell shows its colour through the selection's.
      back = GetSysColor(enabled ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
      if (marked) back = Blend(back, RGB(colour.red, colour.green, colour.blue));
      text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    draw.clrTextBk = back;
    draw.clrText = text;
    return CDRF_NEWFONT;
  }
  if (stage == CDDS_ITEMPOSTPAINT) {
    DrawChecksAndCurrent(draw.nmcd.hdc, row);
    return CDRF_DODEFAULT;
  }
  return CDRF_DODEFAULT;
}

void GridView::DrawChecksAndCurrent(HDC dc, int row) {
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& column = grid_.Column(col);
    if (column.kind != TColumnKind::kCheck || !column.visible) continue;
    RECT cell;
    if (!CellRect(list_, col, row, cell)) continue;
    const int side = std::min<int>(Scale(13), cell.bottom - cell.top - 2);
    RECT box = {(cell.left + cell.right - side) / 2, (cell.top + cell.bottom - side) / 2, 0, 0};
    box.right = box.left + side;
    box.bottom = box.top + side;
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (grid_.Checked(col, row)) state |= DFCS_CHECKED;
    if (!grid_.Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
  }
  if (row == currentRow_ && currentCol_ >= 0 && currentCol_ < kGridColumns) {
    RECT cell;
    if (CellRect(list_, currentCol_, row, cell)) {
      InflateRect(&cell, -1, -1);
      DrawFocusRect(dc, &cell);
    }
  }
}

std::wstring GridView::TipAt(POINT at) {
  LVHITTESTINFO hit = {};
  hit.pt = at;
  SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  tipCol_ = hit.iItem >= 0 ? hit.iSubItem : -1;
  tipRow_ = hit.iItem;
  if (hit.iItem < 0) return {};
  return Wide(grid_.Tip(hit.iSubItem, hit.iItem));
}

void GridView::GiveTip(LPARAM lparam, HWND window, std::wstring (GridView::*tipAt)(POINT)) {
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(window, &at);
  tipText_ = (this->*tipAt)(at);
  reinterpret_cast<NMTTDISPINFOW*>(lparam)->lpszText = tipText_.data();
}

std::wstring GridView::HeaderTipAt(POINT at) {
  HDHITTESTINFO hit = {};
  hit.pt = at;
  const auto col =
      static_cast<int>(SendMessageW(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  headerTipCol_ = col;
  if (col < 0 || col >= kGridColumns || !grid_.Column(col).visible) return {};
  return Wide(ui_text::ColumnTip(col));
}

// ---- The user ----

bool GridView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != list_) return false;
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
      if ((info.item.mask & LVIF_TEXT) != 0 && info.item.cchTextMax > 0) {
        const int col = info.item.iSubItem;
        const int row = info.item.iItem;
        cellText_ = grid_.Column(col).kind == TColumnKind::kCheck ? std::wstring()
                                                                  : Wide(grid_.Cell(col, row));
        const std::size_t n = std::min<std::size_t>(
            cellText_.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
        std::copy_n(cellText_.c_str(), n, info.item.pszText);
        info.item.pszText[n] = L'\0';
      }
      if ((info.item.mask & LVIF_IMAGE) != 0) info.item.iImage = -1;
      return true;
    }
    case NM_CUSTOMDRAW:
      result =
          CustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (!following_ && change.iItem >= 0 && (change.uNewState & LVIS_FOCUSED) != 0 &&
          change.iItem != currentRow_) {
        grid_.SetCurrent(currentCol_, change.iItem);
      }
      return true;
    }
    case LVN_BEGINSCROLL:
      CloseEditor(EditorEnd::kCell);
      return true;
    default:
      return false;
  }
}

bool GridView::CellAt(POINT at, int& col, int& row) const {
  LVHITTESTINFO hit = {};
  hit.pt = at;
  SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem < 0 || hit.iSubItem < 0 || hit.iSubItem >= kGridColumns) return false;
  col = hit.iSubItem;
  row = hit.iItem;
  return true;
}

int GridView::ColumnAt(int x) const {
  if (header_ == nullptr) return -1;
  POINT at = {x, 1};
  MapWindowPoints(list_, header_, &at, 1);
  at.y = 1;
  HDHITTESTINFO hit = {};
  hit.pt = at;
  return static_cast<int>(SendMessageW(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void GridView::Pressed(POINT at, WPARAM keys, bool right) {
  CloseEditor(EditorEnd::kCell);
  SetFocus(list_);
  int col = 0, row = 0;
  if (!grid_.Enabled() || !CellAt(at, col, row)) return;
  if (right) {
    // The menu acts on the selection: a right click outside it selects the cell.
    if (grid_.Selected(col, row)) return;
    if (col == 0) {
      grid_.ClickRowHeader(row, false, false);
    } else {
      grid_.ClickCell(col, row, false, false);
    }
    return;
  }
  const bool shift = (keys & MK_SHIFT) != 0;
  const bool ctrl = (keys & MK_CONTROL) != 0;
  // Column 0 is the rows' header: a click there takes whole rows.
  if (col == 0) {
    grid_.ClickRowHeader(row, shift, ctrl);
  } else {
    grid_.ClickCell(col, row, shift, ctrl);
  }
  dragging_ = true;
  dragsRows_ = col == 0;
  dragCol_ = col;
  dragRow_ = row;
  SetCapture(list_);
  if (shift || ctrl) return;
  form_.lvListCellClick(grid_.CurrentCol(), grid_.CurrentRow());
  const TGridColumn& column = grid_.Column(col);
  if (col != 0 && column.editable && column.kind == TColumnKind::kCheck) {
    form_.CheckSelected(col, row, !grid_.Checked(col, row));
  }
}

void GridView::Dragged(POINT at) {
  if (!dragging_ || grid_.RowCount() == 0) return;
  // Beyond the rows shown, the next row comes into view and is taken.
  RECT client;
  GetClientRect(list_, &client);
  RECT headerRect = {};
  if (header_ != nullptr) GetWindowRect(header_, &headerRect);
  const int top = headerRect.bottom - headerRect.top;
  const POINT inside = {std::clamp<LONG>(at.x, 0, std::max<LONG>(client.right - 1, 0)),
                        std::clamp<LONG>(at.y, top, std::max<LONG>(client.bottom - 1, top))};
  int col = 0, row = 0;
  if (!CellAt(inside, col, row)) {
    col = ColumnAt(inside.x);
    row = grid_.RowCount() - 1;  // below the last row
    if (col < 0) return;
  }
  if (at.y >= client.bottom && row + 1 < grid_.RowCount()) ++row;
  if (at.y < top && row > 0) --row;
  if (col == dragCol_ && row == dragRow_) return;
  dragCol_ = col;
  dragRow_ = row;
  SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  if (dragsRows_) {
    grid_.ClickRowHeader(row, true, false);
  } else {
    grid_.DragTo(col, row);
  }
}

void GridView::DoubleClicked(POINT at) {
  int col = 0, row = 0;
  if (!grid_.Enabled() || !CellAt(at, col, row)) return;
  if (grid_.Column(col).kind == TColumnKind::kCheck) {
    // A check box takes the second click as a click of its own.
    Pressed(at, 0, false);
    return;
  }
  OpenEditor(col, row, true);
}

void GridView::ShowSelectionEnd() {
  const int row = grid_.Selection().EndRow();
  if (row >= 0 && row < grid_.RowCount()) {
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
}

void GridView::Help() {
  HELPINFO info = {};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = GetDlgCtrlID(list_);
  info.hItemHandle = list_;
  GetCursorPos(&info.MousePos);
  SendMessageW(GetParent(list_), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

bool GridView::KeyDown(WPARAM key) {
  const bool ctrl = KeyHeld(VK_CONTROL);
  const bool shift = KeyHeld(VK_SHIFT);
  if (ctrl) {
    switch (key) {
      case 'A':
        grid_.SelectAll();
        return true;
      case 'C':
        CopyToClipboard();
        return true;
      case 'V':
        PasteFromClipboard();
        return true;
      case 'Z':
        if (shift) {
          form_.Redo();
        } else {
          form_.Undo();
        }
        return true;
      case 'Y':
        form_.Redo();
        return true;
      case 'D':
        form_.FillDown();
        return true;
      default:
        break;
    }
  }
  const int page = std::max(1, static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)));
  int dcol = 0, drow = 0;
  switch (key) {
    case VK_UP:
      drow = -1;
      break;
    case VK_DOWN:
      drow = 1;
      break;
    case VK_LEFT:
      dcol = -1;
      break;
    case VK_RIGHT:
      dcol = 1;
      break;
    case VK_PRIOR:
      drow = -page;
      break;
    case VK_NEXT:
      drow = page;
      break;
    case VK_HOME:
      drow = -grid_.RowCount();
      break;
    case VK_END:
      drow = grid_.RowCount();
      break;
    case VK_DELETE:
      form_.N1Click();
      return true;
    case VK_F2:
    case VK_RETURN:
      OpenEditor(currentCol_, currentRow_, true);
      return true;
    case VK_F1:
      Help();
      return true;
    case VK_SPACE:
      if (currentRow_ >= 0 && grid_.Column(currentCol_).kind == TColumnKind::kCheck &&
          grid_.Column(currentCol_).editable && grid_.Enabled()) {
        // The selected rows' check boxes take the current one's new state.
        form_.CheckSelected(currentCol_, currentRow_, !grid_.Checked(currentCol_, currentRow_));
        return true;
      }
      return false;
    default:
      return false;
  }
  grid_.MoveBy(dcol, drow, shift);
  if (shift) ShowSelectionEnd();
  return true;
}

void GridView::CopyToClipboard() {
  const std::wstring text = WideOfUtf8(form_.CopyText());
  if (text.empty() || !OpenClipboardOf(list_)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (memory != nullptr) {
    auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
}

void GridView::PasteFromClipboard() {
  if (const std::optional<std::wstring> text = ClipboardText(list_)) form_.Paste(Utf8(*text));
}

bool GridView::ToEditor(UINT message, WPARAM wparam, LPARAM lparam) {
  if (editorText_ == nullptr) return false;
  SendMessageW(editorText_, message, wparam, lparam);
  return true;
}

void GridView::BeginEdit(int col, int row) {
  OpenEditor(col, row, false);
}

void GridView::OpenEditor(int col, int row, bool dropList) {
  if (row < 0 || row >= grid_.RowCount() || col < 0 || col >= kGridColumns) return;
  const TGridColumn& column = grid_.Column(col);
  if (!column.editable || !column.visible || column.kind == TColumnKind::kCheck) return;
  if (!grid_.Enabled()) return;
  CloseEditor(EditorEnd::kCell);
  // The track lists are the row's own, as for a click on the cell.
  form_.lvListCellClick(col, row);
  SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT cell;
  if (!CellRect(list_, col, row, cell)) return;
  const std::wstring text = Wide(grid_.Cell(col, row));
  HFONT font = UiFont(14, DpiOf(list_));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (column.kind == TColumnKind::kDropDown) {
    editor_ = CreateWindowExW(0, WC_COMBOBOXW, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              cell.left, cell.top - 1, cell.right - cell.left, Scale(240), list_,
                              nullptr, instance, nullptr);
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (const std::string& name : column.items) {
      SendMessageW(editor_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    }
    SendMessageW(editor_, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(column.dropDownCount, 1)),
                 0);
    const LRESULT at = SendMessageW(editor_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (at != CB_ERR) {
      SendMessageW(editor_, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    } else {
      SetWindowTextW(editor_, text.c_str());
    }
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(editor_, &info);
    editorText_ = info.hwndItem != nullptr ? info.hwndItem : editor_;
    // A click on an item of the open list chooses it.
    if (info.hwndList != nullptr) {
      SetWindowSubclass(info.hwndList, EditorProc, 2, reinterpret_cast<DWORD_PTR>(this));
    }
    editorList_ = info.hwndList;
  } else {
    const DWORD digits = column.kind == TColumnKind::kInteger ? ES_NUMBER : 0;
    editor_ = CreateWindowExW(0, WC_EDITW, text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | digits,
                              cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                              list_, nullptr, instance, nullptr);
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    editorText_ = editor_;
  }
  editCol_ = col;
  editRow_ = row;
  chosen_ = false;
  SetWindowSubclass(editorText_, EditorProc, 2, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(editorText_, EM_SETSEL, 0, -1);
  SetFocus(editorText_);
  // Opened to choose: the drop-down shows its list at once.
  if (dropList && column.kind == TColumnKind::kDropDown) {
    SendMessageW(editor_, CB_SHOWDROPDOWN, TRUE, 0);
  }
}

void GridView::FilterDigits() {
  // A column of digits keeps what its rule keeps of typed or pasted text.
  const TGridColumn& column = grid_.Column(editCol_);
  if (!column.digitsOnly || filtering_) return;
  const std::string typed = FromWide(TextOf(editorText_)).value_or("");
  const std::string kept = KeepDigits(typed, column.maxLength);
  if (kept == typed) return;
  filtering_ = true;
  SetWindowTextW(editorText_, Wide(kept).c_str());
  SendMessageW(editorText_, EM_SETSEL, kept.size(), kept.size());
  filtering_ = false;
}

void GridView::CloseEditor(EditorEnd end) {
  if (editor_ == nullptr) return;
  const int col = editCol_;
  const int row = editRow_;
  const std::wstring text = TextOf(editorText_);
  RemoveWindowSubclass(editorText_, EditorProc, 2);
  if (editorList_ != nullptr) RemoveWindowSubclass(editorList_, EditorProc, 2);
  HWND editor = editor_;
  editor_ = editorText_ = editorList_ = nullptr;
  editCol_ = editRow_ = -1;
  const bool hadFocus = GetFocus() == editor || IsChild(editor, GetFocus());
  DestroyWindow(editor);
  if (hadFocus) SetFocus(list_);
  if (end == EditorEnd::kDrop || end == EditorEnd::kPasteBlock || row >= grid_.RowCount()) return;
  const std::optional<std::string> gbk = FromWide(text);
  if (!gbk) {
    form_.RefuseTypedText();
    return;
  }
  // The integer column's editor is a plain box: the grid says what it leaves.
  const bool spin = grid_.Column(col).kind == TColumnKind::kInteger;
  const std::string value = spin ? grid_.SpinText(col, row, *gbk) : *gbk;
  if (end == EditorEnd::kSelection) {
    form_.EditSelected(col, row, value);
  } else {
    form_.EditCell(col, row, value);
  }
}

LRESULT CALLBACK GridView::EditorProc(HWND editor, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  const auto done = [self](EditorEnd end) {
    PostMessageW(self->list_, kEditorDone, static_cast<WPARAM>(end), 0);
  };
  if (editor == self->editorList_) {
    // The drop-down's list: a click released on one of its items.
    if (message == WM_LBUTTONUP) {
      RECT client;
      GetClientRect(editor, &client);
      if (PtInRect(&client, PointOf(lparam))) self->chosen_ = true;
    }
    return DefSubclassProc(editor, message, wparam, lparam);
  }
  const bool dropDown = self->editor_ != editor;
  const bool dropped = dropDown && SendMessageW(self->editor_, CB_GETDROPPEDSTATE, 0, 0) != 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DefSubclassProc(editor, message, wparam, lparam);
    case WM_KEYDOWN:
      if (wparam == VK_F1) {
        self->Help();
        return 0;
      }
      if (wparam == VK_RETURN || wparam == VK_ESCAPE || wparam == VK_TAB) {
        if (dropped && wparam != VK_TAB) {
          // The open list takes Enter and Escape first; Enter chooses its item.
          self->chosen_ = wparam == VK_RETURN;
          break;
        }
        if (wparam == VK_ESCAPE) {
          done(EditorEnd::kDrop);
        } else if (wparam == VK_RETURN && (dropDown || KeyHeld(VK_CONTROL))) {
          // Ctrl+Enter, or a drop-down's choice: every selected row of the column.
          done(EditorEnd::kSelection);
        } else {
          done(EditorEnd::kCell);
        }
        return 0;
      }
      break;
    case WM_CHAR:
      if ((wparam == L'\r' || wparam == 27) && dropped) {
        self->chosen_ = self->chosen_ || wparam == L'\r';
        break;
      }
      // Enter, Ctrl+Enter, Escape and Tab ended the edit as keys.
      if (wparam == L'\r' || wparam == L'\n' || wparam == 27 || wparam == L'\t') return 0;
      break;
    case WM_PASTE: {
      // A spreadsheet's block goes into the grid, not into the one cell.
      const std::optional<std::wstring> text = ClipboardText(editor);
      if (text && text->find_first_of(L"\t\r\n") != std::wstring::npos) {
        done(EditorEnd::kPasteBlock);
        return 0;
      }
      break;
    }
    case WM_KILLFOCUS: {
      const auto next = reinterpret_cast<HWND>(wparam);
      if (next != self->editor_ && !IsChild(self->editor_, next)) done(EditorEnd::kCell);
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(editor, message, wparam, lparam);
}

LRESULT CALLBACK GridView::HeaderProc(HWND header, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  if (message == WM_MOUSEMOVE) {
    HDHITTESTINFO hit = {};
    hit.pt = PointOf(lparam);
    const auto col =
        static_cast<int>(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (col != self->headerTipCol_) {
      self->headerTipCol_ = col;
      SendMessageW(self->headerTip_, TTM_POP, 0, 0);
    }
  } else if (message == WM_NOTIFY) {
    const auto* notice = reinterpret_cast<const NMHDR*>(lparam);
    if (notice->hwndFrom == self->headerTip_ && notice->code == TTN_GETDISPINFOW) {
      self->GiveTip(lparam, header, &GridView::HeaderTipAt);
      return 0;
    }
  }
  return DefSubclassProc(header, message, wparam, lparam);
}

LRESULT CALLBACK GridView::ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  switch (message) {
    case kEditorDone: {
      const auto end = static_cast<EditorEnd>(wparam);
      self->CloseEditor(end);
      if (end == EditorEnd::kPasteBlock) self->PasteFromClipboard();
      return 0;
    }
    case WM_KEYDOWN:
      if (self->KeyDown(wparam)) return 0;
      break;
    case WM_CHAR:
      // The control keys' characters: their keys did what they do.
      if (wparam < 0x20) return 0;
      // A character typed on a cell opens its editor with the character in
      // it, in place of the text.
      if (wparam != 0x7F && self->currentRow_ >= 0) {
        self->OpenEditor(self->currentCol_, self->currentRow_, false);
        if (self->editorText_ != nullptr) {
          SendMessageW(self->editorText_, WM_CHAR, wparam, lparam);
          return 0;
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // The grid selects as a spreadsheet does, not as the list would.
      self->Pressed(PointOf(lparam), wparam, message == WM_RBUTTONDOWN);
      return 0;
    case WM_LBUTTONDBLCLK:
      self->DoubleClicked(PointOf(lparam));
      return 0;
    case WM_LBUTTONUP:
      if (self->dragging_) {
        self->dragging_ = false;
        ReleaseCapture();
      }
      return 0;
    case WM_RBUTTONUP: {
      POINT at = PointOf(lparam);
      ClientToScreen(list, &at);
      SendMessageW(GetParent(list), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                   MAKELPARAM(at.x, at.y));
      return 0;
    }
    case WM_CAPTURECHANGED:
      self->dragging_ = false;
      break;
    case WM_COMMAND:
      if (self->editor_ != nullptr) {
        const UINT code = HIWORD(wparam);
        if (code == EN_CHANGE || code == CBN_EDITCHANGE) self->FilterDigits();
        if (code == CBN_DROPDOWN) self->chosen_ = false;
        // An item of the open list chosen (clicked, or Enter): the edit ends.
        if (code == CBN_SELENDOK && self->chosen_ &&
            reinterpret_cast<HWND>(lparam) == self->editor_) {
          self->chosen_ = false;
          PostMessageW(list, kEditorDone, static_cast<WPARAM>(EditorEnd::kSelection), 0);
        }
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      self->CloseEditor(EditorEnd::kCell);
      break;
    case WM_MOUSEMOVE: {
      if (self->dragging_ && (wparam & MK_LBUTTON) != 0) self->Dragged(PointOf(lparam));
      LVHITTESTINFO hit = {};
      hit.pt = PointOf(lparam);
      SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      const int col = hit.iItem >= 0 ? hit.iSubItem : -1;
      if (col != self->tipCol_ || hit.iItem != self->tipRow_) {
        self->tipCol_ = col;
        self->tipRow_ = hit.iItem;
        SendMessageW(self->tip_, TTM_POP, 0, 0);
      }
      break;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      const bool resizing = header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA ||
                            header->code == HDN_DIVIDERDBLCLICKW ||
                            header->code == HDN_DIVIDERDBLCLICKA;
      if (resizing) {
        // A hidden column is one of no width: its divider stays where it is.
        const int col = reinterpret_cast<const NMHEADERW*>(lparam)->iItem;
        if (col >= 0 && col < kGridColumns && !self->grid_.Column(col).visible) return TRUE;
      }
      if (header->hwndFrom == self->tip_ && header->code == TTN_GETDISPINFOW) {
        self->GiveTip(lparam, list, &GridView::TipAt);
        return 0;
      }
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

}  // namespace w32ui
