// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/grid_view.h"

#include <algorithm>

#include "ui/grid_rules.h"
#include "ui/mark_colours.h"
#include "ui/ufrmMain.h"
#include "win32/win_text.h"
#include "win32/window.h"

namespace w32ui {
namespace {

// Posted to the list view by its editor: wParam 1 keeps the edit, 0 drops it.
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

  // Why a cell is marked, and a text column's whole text.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = list_;
  tool.uId = reinterpret_cast<UINT_PTR>(list_);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scale(480));
  form_.Grid().SetView(this);
}

GridView::~GridView() {
  form_.Grid().SetView(nullptr);
  if (editor_ != nullptr) DestroyWindow(editor_);
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
  CloseEditor(false);
}

void GridView::RowsInserted() {
  SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid_.RowCount()),
               LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridView::RowsAboutToBeRemoved(int, int) {
  CloseEditor(false);
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

void GridView::EnabledChanged(bool enabled) {
  if (!enabled) CloseEditor(true);
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
    // The list's own selection is not drawn: the current cell is.
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
  }
  if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
    draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    const int col = draw.iSubItem;
    const TGridColumn& column = grid_.Column(col);
    COLORREF back = GetSysColor(COLOR_WINDOW);
    if (column.shaded) back = GetSysColor(COLOR_BTNFACE);
    if (row == currentRow_ && col == currentCol_) back = RGB(204, 228, 247);
    if (TRgb colour; MarkColour(grid_.Mark(col, row).kind, colour)) {
      back = RGB(colour.red, colour.green, colour.blue);
    }
    draw.clrTextBk = back;
    draw.clrText = GetSysColor(grid_.Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
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
    case NM_CLICK:
    case NM_DBLCLK: {
      const auto& at = reinterpret_cast<const NMITEMACTIVATE&>(header);
      LVHITTESTINFO hit = {};
      hit.pt = at.ptAction;
      SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem >= 0) Clicked(hit.iSubItem, hit.iItem, header.code == NM_DBLCLK);
      return true;
    }
    case NM_RETURN:
      BeginEdit(currentCol_, currentRow_);
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (!following_ && change.iItem >= 0 && (change.uNewState & LVIS_FOCUSED) != 0 &&
          change.iItem != currentRow_) {
        form_.Grid().SetCurrent(currentCol_, change.iItem);
      }
      return true;
    }
    case LVN_BEGINSCROLL:
      CloseEditor(true);
      return true;
    case LVN_KEYDOWN: {
      const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
      if (key.wVKey == VK_DELETE) {
        form_.N1Click();
      } else if (key.wVKey == 'Z' && GetKeyState(VK_CONTROL) < 0) {
        form_.UndoDelete();  // 撤销删除
      } else if (key.wVKey == VK_F2) {
        BeginEdit(currentCol_, currentRow_);
      } else if (key.wVKey == VK_LEFT) {
        MoveCurrent(-1);
      } else if (key.wVKey == VK_RIGHT) {
        MoveCurrent(+1);
      } else if (key.wVKey == VK_SPACE && currentRow_ >= 0) {
        Clicked(currentCol_, currentRow_, false);
      }
      return true;
    }
    default:
      return false;
  }
}

void GridView::MoveCurrent(int step) {
  if (currentRow_ < 0) return;
  for (int col = currentCol_ + step; col >= 0 && col < kGridColumns; col += step) {
    if (grid_.Column(col).visible) {
      form_.Grid().SetCurrent(col, currentRow_);
      return;
    }
  }
}

void GridView::Clicked(int col, int row, bool twice) {
  if (!grid_.Enabled()) return;
  if (col != currentCol_ || row != currentRow_) form_.Grid().SetCurrent(col, row);
  if (!twice) form_.lvListCellClick(col, row);
  const TGridColumn& column = grid_.Column(col);
  if (!column.editable) return;
  if (column.kind == TColumnKind::kCheck) {
    form_.CheckCell(col, row, !grid_.Checked(col, row));
  } else if (twice) {
    BeginEdit(col, row);
  }
}

void GridView::BeginEdit(int col, int row) {
  if (row < 0 || row >= grid_.RowCount() || col < 0 || col >= kGridColumns) return;
  const TGridColumn& column = grid_.Column(col);
  if (!column.editable || !column.visible || column.kind == TColumnKind::kCheck) return;
  if (!grid_.Enabled()) return;
  CloseEditor(true);
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
  SetWindowSubclass(editorText_, EditorProc, 2, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(editorText_, EM_SETSEL, 0, -1);
  SetFocus(editorText_);
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

void GridView::CloseEditor(bool commit) {
  if (editor_ == nullptr) return;
  const int col = editCol_;
  const int row = editRow_;
  const std::wstring text = TextOf(editorText_);
  RemoveWindowSubclass(editorText_, EditorProc, 2);
  HWND editor = editor_;
  editor_ = editorText_ = nullptr;
  editCol_ = editRow_ = -1;
  const bool hadFocus = GetFocus() == editor || IsChild(editor, GetFocus());
  DestroyWindow(editor);
  if (hadFocus) SetFocus(list_);
  if (!commit || row >= grid_.RowCount()) return;
  const std::optional<std::string> gbk = FromWide(text);
  if (!gbk) {
    form_.RefuseTypedText();
    return;
  }
  // The integer column's editor is a plain box: the grid says what it leaves.
  const bool spin = grid_.Column(col).kind == TColumnKind::kInteger;
  form_.EditCell(col, row, spin ? grid_.SpinText(col, row, *gbk) : *gbk);
}

LRESULT CALLBACK GridView::EditorProc(HWND editor, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DefSubclassProc(editor, message, wparam, lparam);
    case WM_KEYDOWN:
      if (wparam == VK_RETURN || wparam == VK_ESCAPE || wparam == VK_TAB) {
        const bool dropped =
            self->editor_ != editor && SendMessageW(self->editor_, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (dropped && wparam != VK_TAB) break;  // the open list takes Enter and Escape first
        PostMessageW(self->list_, kEditorDone, wparam != VK_ESCAPE, 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\r' || wparam == 27 || wparam == L'\t') return 0;
      break;
    case WM_KILLFOCUS: {
      const auto next = reinterpret_cast<HWND>(wparam);
      if (next != self->editor_ && !IsChild(self->editor_, next)) {
        PostMessageW(self->list_, kEditorDone, 1, 0);
      }
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(editor, message, wparam, lparam);
}

LRESULT CALLBACK GridView::ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
  auto* self = reinterpret_cast<GridView*>(data);
  switch (message) {
    case kEditorDone:
      self->CloseEditor(wparam != 0);
      return 0;
    case WM_CHAR:
      if (wparam == 0x1A) return 0;  // Ctrl+Z's character: the key itself undid the delete
      // A character typed on a cell opens its editor with the character in
      // it, in place of the text.
      if (wparam >= 0x20 && wparam != 0x7F && self->currentRow_ >= 0) {
        self->BeginEdit(self->currentCol_, self->currentRow_);
        if (self->editorText_ != nullptr) {
          SendMessageW(self->editorText_, WM_CHAR, wparam, lparam);
          return 0;
        }
      }
      break;
    case WM_COMMAND:
      if (self->editor_ != nullptr && HIWORD(wparam) == EN_CHANGE) self->FilterDigits();
      if (self->editor_ != nullptr && HIWORD(wparam) == CBN_EDITCHANGE) self->FilterDigits();
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      self->CloseEditor(true);
      break;
    case WM_MOUSEMOVE: {
      LVHITTESTINFO hit = {};
      hit.pt = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
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
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(list, &at);
        self->tipText_ = self->TipAt(at);
        info->lpszText = self->tipText_.data();
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
