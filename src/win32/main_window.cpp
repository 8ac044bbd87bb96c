// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/main_window.h"

#include <shellapi.h>
// After <windows.h>: the device change broadcast's records.
#include <dbt.h>

#include <algorithm>
#include <vector>

#include "model/window_side.h"
#include "ui/settings.h"
#include "ui/ui_texts.h"
#include "win32/copy_panel.h"
#include "win32/dialogs.h"
#include "win32/grid_view.h"
#include "win32/prompts.h"
#include "win32/settings.h"
#include "win32/win_text.h"

namespace w32ui {
namespace {

constexpr int kToolHeight = 38;
// "恢复以前的歌曲列表…", right of the read-back check box.
constexpr int kRestoreLeft = 6 + 3 * 102 + 12 + 200 + 12;
constexpr int kRestoreWidth = 170;
// "拼音首字母：" and its drop-down, right of it.
constexpr int kReadingLabelLeft = kRestoreLeft + kRestoreWidth + 12;
constexpr int kReadingLabelWidth = 86;
constexpr int kReadingLeft = kReadingLabelLeft + kReadingLabelWidth;
constexpr int kReadingWidth = 110;
constexpr int kReadingListHeight = 120;  // the box with its list open
// The stick's strip, below the tool bar and above the grid.
constexpr int kStripHeight = 22;
// How often the form is asked whether USB disks came or went.
constexpr UINT_PTR kUsbTimer = 1;
constexpr UINT kUsbPollMs = 2000;
// Posted on a disk's arrival or removal: the form looks at the stick again.
constexpr UINT kLookAgain = WM_APP + 1;

}  // namespace

MainWindow::MainWindow(IPrompts& prompts, platform::Env* env, std::wstring settingsKey)
    : prompts_(prompts), form_(*this, env), settingsKey_(std::move(settingsKey)) {
  Create(WS_EX_ACCEPTFILES, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Wide(ui_text::ToolCaption()),
         CW_USEDEFAULT, CW_USEDEFAULT, Scaled(1000, DpiOf(nullptr)), Scaled(640, DpiOf(nullptr)),
         nullptr);
  MakeMenus();
  const std::string* names[] = {&ui_text::AddButton(), &ui_text::CompleteButton(),
                                &ui_text::CloseButton()};
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = Control(L"Button", Wide(*names[i]), WS_TABSTOP | BS_PUSHBUTTON, 6 + i * 102, 4,
                          96, 30, kIdBtnAdd + i);
  }
  verify_ = Control(L"Button", Wide(ui_text::VerifySetting()), WS_TABSTOP | BS_AUTOCHECKBOX,
                    6 + 3 * 102 + 12, 4, 200, 30, kIdChkVerify);
  SendMessageW(verify_, BM_SETCHECK, BST_CHECKED, 0);
  buttons_[3] = Control(L"Button", Wide(ui_text::RestoreButton()), WS_TABSTOP | BS_PUSHBUTTON,
                        kRestoreLeft, 4, kRestoreWidth, 30, kIdBtnRestore);
  readingLabel_ =
      Control(L"Static", Wide(ui_text::PinyinReadingLabel()), SS_NOPREFIX | SS_CENTERIMAGE,
              kReadingLabelLeft, 4, kReadingLabelWidth, 30, -1);
  pinyinReading_ = Control(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                           kReadingLeft, 6, kReadingWidth, kReadingListHeight, kIdCbPinyinReading);
  for (TPinyinReading reading : kPinyinReadings) {
    SendMessageW(pinyinReading_, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(ui_text::PinyinReadingName(reading)).c_str()));
  }
  ChoosePinyinReading(form_.PinyinReading());
  strip_ = Control(L"Static", L"", SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS, 6, kToolHeight,
                   400, kStripHeight, kIdStickStrip);

  grid_ = std::make_unique<GridView>(hwnd_, kIdGrid, form_);
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatusBar)),
                            GetModuleHandleW(nullptr), nullptr);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, dpi())), TRUE);
  panes_[0] = Wide(ui_text::FixedPane());
  panes_[1] = Wide(ui_text::InitialCount());
  panel_ = std::make_unique<CopyPanel>(hwnd_, [this] { form_.CancelCopy(); });
  Layout();
}

MainWindow::~MainWindow() {
  // No probe may post to the window while it goes.
  form_.SetMediaProbe(nullptr, 0);
  // The grid's view goes before the form's grid it watches.
  grid_.reset();
  panel_.reset();
}

HWND MainWindow::copyPanelWindow() const {
  return panel_->hwnd();
}

bool MainWindow::Start() {
  LoadSettings();
  form_.FormCreate();
  if (form_.Terminated()) return false;
  TSettings::LoadAfterStart(RegistryStore(settingsKey_), form_);
  // The form looked at the stick as it opened; from now on it is told when
  // USB disks come or go (the timer, and WM_DEVICECHANGE where it comes).
  SetTimer(hwnd_, kUsbTimer, kUsbPollMs, nullptr);
  return true;
}

void MainWindow::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT bar;
  GetWindowRect(status_, &bar);
  const int barHeight = bar.bottom - bar.top;
  // The fixed pane as wide as its text, the count pane and the pane of the
  // current row's video halves of the rest.
  HDC dc = GetDC(status_);
  HGDIOBJ old = SelectObject(dc, UiFont(14, dpi()));
  SIZE fixed = {};
  GetTextExtentPoint32W(dc, panes_[0].c_str(), static_cast<int>(panes_[0].size()), &fixed);
  SelectObject(dc, old);
  ReleaseDC(status_, dc);
  const int first = fixed.cx + S(24);
  const int parts[3] = {first, first + std::max(0, static_cast<int>(client.right) - first) / 2, -1};
  SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  for (int i = 0; i < 3; ++i) SendMessageW(status_, SB_SETTEXTW, i | SBT_OWNERDRAW, i);
  MoveWindow(strip_, S(6), S(kToolHeight), std::max(0L, client.right - S(12)), S(kStripHeight),
             TRUE);
  const int top = S(kToolHeight + kStripHeight);
  MoveWindow(grid_->hwnd(), 0, top, client.right, std::max(0L, client.bottom - top - barHeight),
             TRUE);
  grid_->StretchLastColumn();
  if (panelShown_) PlacePanel();
}

void MainWindow::PlacePanel() {
  // Centred across the window, above its vertical middle.
  RECT client;
  GetClientRect(hwnd_, &client);
  const SIZE size = panel_->Size();
  SetWindowPos(panel_->hwnd(), HWND_TOP, std::max(0L, (client.right - size.cx) / 2),
               std::max(0L, (client.bottom - 2 * size.cy) / 2), size.cx, size.cy, 0);
}

void MainWindow::DrawPane(const DRAWITEMSTRUCT& item) {
  // The fixed and count panes in red, as the Qt program shows them.
  const int pane = static_cast<int>(item.itemID);
  if (pane < 0 || pane > 2) return;
  SetTextColor(item.hDC, pane < 2 ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  HGDIOBJ old = SelectObject(item.hDC, UiFont(14, dpi()));
  RECT r = item.rcItem;
  r.left += S(4);
  DrawTextW(item.hDC, panes_[pane].c_str(), -1, &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(item.hDC, old);
}

// ---- IMainView ----

void MainWindow::SetCaption(const std::string& text) {
  SetWindowTextW(hwnd_, Wide(text).c_str());
}

void MainWindow::SetStatusText(const std::string& text) {
  panes_[1] = Wide(text);
  SendMessageW(status_, SB_SETTEXTW, 1 | SBT_OWNERDRAW, 1);
  UpdateWindow(status_);
}

void MainWindow::SetMediaText(const std::string& text) {
  panes_[2] = Wide(text);
  SendMessageW(status_, SB_SETTEXTW, 2 | SBT_OWNERDRAW, 2);
}

void MainWindow::SetButtonEnabled(TMainButton which, bool enabled) {
  EnableWindow(button(which), enabled);
}

void MainWindow::CopyPanelChanged(const TCopyPanel& panel) {
  if (panel.visible && !panelShown_) {
    panelShown_ = true;
    PlacePanel();
    ShowWindow(panel_->hwnd(), SW_SHOW);
  } else if (!panel.visible && panelShown_) {
    panelShown_ = false;
    ShowWindow(panel_->hwnd(), SW_HIDE);
  }
  // Drawn on the next turn of the message loop, with whatever else changed.
  panel_->Show(panel);
}

void MainWindow::CloseWindow() {
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::PostMessage(unsigned message, std::int64_t lparam) {
  PostMessageW(hwnd_, message, 0, static_cast<LPARAM>(lparam));
}

void MainWindow::ProcessMessages() {
  // Turns come at most every kMessageLoopInterval (ui/views.h).
  const auto now = std::chrono::steady_clock::now();
  if (now - pumped_ < kMessageLoopInterval) return;
  // One pass: what is queued now is dispatched, then the loop goes on.
  MSG msg;
  for (int handled = 0; handled < 256 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  pumped_ = std::chrono::steady_clock::now();
}

void MainWindow::ShowBox(const std::string& caption, const std::string& text, int kind) {
  prompts_.Message(hwnd_, Wide(caption), Wide(text), kind);
}

int MainWindow::Ask(const TQuestion& question) {
  return AskQuestion(prompts_, hwnd_, question);
}

std::optional<std::string> MainWindow::ChooseFolder(const std::string& prompt,
                                                    const std::string& start) {
  const std::wstring folder =
      prompts_.Folder(hwnd_, Wide(prompt), start.empty() ? targetFolder_ : Wide(start));
  if (folder.empty()) return std::nullopt;
  const std::vector<std::string> path = GbkPaths({folder}, prompts_, hwnd_);
  if (path.empty()) return std::nullopt;
  targetFolder_ = folder;
  return path.front();
}

void MainWindow::StickChanged(const TStickView& stick) {
  stripTrouble_ = stick.trouble;
  SetWindowTextW(strip_, Wide(stick.text).c_str());
  InvalidateRect(strip_, nullptr, TRUE);  // the colour, when only it changed
}

void MainWindow::ShowModal(TfrmLogin& form) {
  LoginDialog dialog(form, prompts_, vodFolder_, hwnd_);
  dialog.Run(hwnd_);
}

void MainWindow::ShowModal(TfrmAddNewSong& form) {
  AddSongDialog dialog(form, prompts_, hwnd_);
  form.FormActivate();
  dialog.Run(hwnd_);
}

void MainWindow::ShowModal(TfrmSaveHint& form) {
  SaveHintDialog dialog(form, hwnd_);
  dialog.Run(hwnd_);
}

void MainWindow::ShowModal(TfrmDiskFree& form) {
  DiskFreeDialog dialog(form, hwnd_);
  dialog.Run(hwnd_);
}

void MainWindow::ShowModal(TfrmBatchEdit& form) {
  BatchEditDialog dialog(form, prompts_, hwnd_);
  dialog.Run(hwnd_);
}

std::optional<std::string> MainWindow::ChooseSaveFile(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& name) {
  const std::wstring folder = listFolder_.empty() ? Wide(form_.SourceFolder()) : listFolder_;
  const std::wstring file = prompts_.SaveFile(hwnd_, Wide(title), folder, Wide(filter), Wide(name));
  if (file.empty()) return std::nullopt;
  const std::vector<std::string> path = GbkPaths({file}, prompts_, hwnd_);
  if (path.empty()) return std::nullopt;
  listFolder_ = file.substr(0, file.find_last_of(L"\\/"));
  return path.front();
}

std::optional<std::string> MainWindow::ChooseOpenFile(const std::string& title,
                                                      const std::string& filter) {
  const std::wstring folder = listFolder_.empty() ? Wide(form_.SourceFolder()) : listFolder_;
  const std::wstring file = prompts_.OpenFile(hwnd_, Wide(title), folder, Wide(filter));
  if (file.empty()) return std::nullopt;
  const std::vector<std::string> path = GbkPaths({file}, prompts_, hwnd_);
  if (path.empty()) return std::nullopt;
  listFolder_ = file.substr(0, file.find_last_of(L"\\/"));
  return path.front();
}

void MainWindow::ShowHelp() {
  if (helpShown_) return;
  helpShown_ = true;
  HelpDialog dialog(hwnd_);
  dialog.Run(hwnd_);
  helpShown_ = false;
}

// ---- Window events ----

// A volume came or went: the form looks again once the broadcast is
// answered, since reading the stick here would hold the system's broadcast up.
void MainWindow::OnDeviceChange(WPARAM wparam, LPARAM lparam) {
  if (wparam != DBT_DEVICEARRIVAL && wparam != DBT_DEVICEREMOVECOMPLETE) return;
  const auto* device = reinterpret_cast<const DEV_BROADCAST_HDR*>(lparam);
  if (device == nullptr || device->dbch_devicetype != DBT_DEVTYP_VOLUME) return;
  PostMessageW(hwnd_, kLookAgain, 0, 0);
}

namespace {
// A menu entry's text with its keys after a tab, as menus show them.
std::wstring Entry(const std::string& text, const wchar_t* keys = nullptr) {
  std::wstring entry = Wide(text);
  if (keys != nullptr) entry += std::wstring(L"\t") + keys;
  return entry;
}

void SetEntry(HMENU menu, UINT id, const std::wstring& text, bool enabled) {
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_STATE;
  std::wstring copy = text;
  item.dwTypeData = copy.data();
  item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
  SetMenuItemInfoW(menu, id, FALSE, &item);
}

// The edit commands, as the menu bar's 编辑 and the grid's menu list them.
void AppendEditCommands(HMENU menu) {
  AppendMenuW(menu, MF_STRING, kIdMenuUndo, Entry(ui_text::UndoItem(), L"Ctrl+Z").c_str());
  AppendMenuW(menu, MF_STRING, kIdMenuRedo, Entry(ui_text::RedoItem(), L"Ctrl+Y").c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kIdMenuCopy, Entry(ui_text::CopyItem(), L"Ctrl+C").c_str());
  AppendMenuW(menu, MF_STRING, kIdMenuPaste, Entry(ui_text::PasteItem(), L"Ctrl+V").c_str());
  AppendMenuW(menu, MF_STRING, kIdMenuFillDown, Entry(ui_text::FillDownItem(), L"Ctrl+D").c_str());
  AppendMenuW(menu, MF_STRING, kIdMenuBatchEdit, Entry(ui_text::BatchEditItem()).c_str());
}
}  // namespace

void MainWindow::MakeMenus() {
  editMenu_ = CreatePopupMenu();
  AppendEditCommands(editMenu_);
  AppendMenuW(editMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(editMenu_, MF_STRING, kIdMenuSelectAll,
              Entry(ui_text::SelectAllItem(), L"Ctrl+A").c_str());
  listMenu_ = CreatePopupMenu();
  AppendMenuW(listMenu_, MF_STRING, kIdMenuExport, Entry(ui_text::ExportItem()).c_str());
  AppendMenuW(listMenu_, MF_STRING, kIdMenuImport, Entry(ui_text::ImportItem()).c_str());
  helpMenu_ = CreatePopupMenu();
  AppendMenuW(helpMenu_, MF_STRING, kIdMenuHelp, Entry(ui_text::HelpItem(), L"F1").c_str());
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(editMenu_),
              Wide(ui_text::EditMenu()).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(listMenu_),
              Wide(ui_text::ListMenu()).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(helpMenu_),
              Wide(ui_text::HelpMenu()).c_str());
  SetMenu(hwnd_, bar);
}

void MainWindow::UpdateEditMenu(HMENU menu) const {
  const TGrid& grid = form_.Grid();
  const bool editable = grid.Enabled() && grid.RowCount() > 0;
  SetEntry(menu, kIdMenuUndo, Entry(form_.UndoItemText(), L"Ctrl+Z"),
           grid.Enabled() && form_.CanUndo());
  SetEntry(menu, kIdMenuRedo, Entry(form_.RedoItemText(), L"Ctrl+Y"),
           grid.Enabled() && form_.CanRedo());
  SetEntry(menu, kIdMenuCopy, Entry(ui_text::CopyItem(), L"Ctrl+C"), !form_.CopyText().empty());
  SetEntry(menu, kIdMenuPaste, Entry(ui_text::PasteItem(), L"Ctrl+V"),
           editable && IsClipboardFormatAvailable(CF_UNICODETEXT));
  SetEntry(menu, kIdMenuFillDown, Entry(ui_text::FillDownItem(), L"Ctrl+D"), editable);
  SetEntry(menu, kIdMenuBatchEdit, Entry(ui_text::BatchEditItem()), editable);
}

HMENU MainWindow::GridMenu() const {
  HMENU menu = CreatePopupMenu();
  AppendEditCommands(menu);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kIdMenuDelete, Wide(ui_text::DeleteItem()).c_str());
  AppendMenuW(menu, MF_STRING, kIdMenuClear, Wide(ui_text::ClearItem()).c_str());
  UpdateEditMenu(menu);
  return menu;
}

void MainWindow::ContextMenu(POINT at) {
  if (!form_.Grid().Enabled()) return;
  HMENU menu = GridMenu();
  if (at.x == -1 && at.y == -1) {  // the menu key: at the grid's corner
    RECT r;
    GetWindowRect(grid_->hwnd(), &r);
    at = {r.left + S(20), r.top + S(40)};
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

void MainWindow::DropFiles(HDROP drop) {
  std::vector<std::wstring> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
    files.push_back(name);
  }
  DragFinish(drop);
  if (!form_.Grid().Enabled()) return;
  form_.AddDroppedFiles(GbkPaths(files, prompts_, hwnd_));
}

void MainWindow::OnCommand(WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case kIdBtnAdd:
      form_.btnAddClick();
      break;
    case kIdBtnComplete:
      form_.btnCompleteClick();
      break;
    case kIdBtnCloseMain:
      form_.btnCloseClick();
      break;
    case kIdChkVerify:
      form_.SetVerifyCopies(SendMessageW(verify_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      break;
    case kIdBtnRestore:
      form_.btnRestoreClick();
      break;
    case kIdCbPinyinReading:
      if (HIWORD(wparam) == CBN_SELCHANGE) {
        const auto index = SendMessageW(pinyinReading_, CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < static_cast<LRESULT>(std::size(kPinyinReadings))) {
          form_.SetPinyinReading(kPinyinReadings[index]);
        }
      }
      break;
    case kIdMenuDelete:
      form_.N1Click();
      break;
    case kIdMenuClear:
      form_.N2Click();
      break;
    case kIdMenuUndo:
      form_.Undo();
      break;
    case kIdMenuRedo:
      form_.Redo();
      break;
    case kIdMenuCopy:
      if (!grid_->ToEditor(WM_COPY)) grid_->CopyToClipboard();
      break;
    case kIdMenuPaste:
      if (!grid_->ToEditor(WM_PASTE)) grid_->PasteFromClipboard();
      break;
    case kIdMenuSelectAll:
      if (!grid_->ToEditor(EM_SETSEL, 0, -1)) form_.Grid().SelectAll();
      break;
    case kIdMenuFillDown:
      grid_->CommitEdit();
      form_.FillDown();
      break;
    case kIdMenuBatchEdit:
      grid_->CommitEdit();
      form_.BatchEditClick();
      break;
    case kIdMenuExport:
      grid_->CommitEdit();
      form_.ExportClick();
      break;
    case kIdMenuImport:
      grid_->CommitEdit();
      form_.ImportClick();
      break;
    case kIdMenuHelp:
      ShowHelp();
      break;
    default:
      break;
  }
}

// The window moved to a screen of another DPI: its controls at the new scale.
void MainWindow::OnDpiChanged(WPARAM wparam, LPARAM lparam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lparam);
  SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  const int newDpi = HIWORD(wparam);
  for (int i = 0; i < 3; ++i) {
    MoveWindow(buttons_[i], Scaled(6 + i * 102, newDpi), Scaled(4, newDpi), Scaled(96, newDpi),
               Scaled(30, newDpi), TRUE);
    SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, newDpi)), TRUE);
  }
  MoveWindow(verify_, Scaled(324, newDpi), Scaled(4, newDpi), Scaled(200, newDpi),
             Scaled(30, newDpi), TRUE);
  MoveWindow(buttons_[3], Scaled(kRestoreLeft, newDpi), Scaled(4, newDpi),
             Scaled(kRestoreWidth, newDpi), Scaled(30, newDpi), TRUE);
  SendMessageW(buttons_[3], WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, newDpi)), TRUE);
  MoveWindow(readingLabel_, Scaled(kReadingLabelLeft, newDpi), Scaled(4, newDpi),
             Scaled(kReadingLabelWidth, newDpi), Scaled(30, newDpi), TRUE);
  MoveWindow(pinyinReading_, Scaled(kReadingLeft, newDpi), Scaled(6, newDpi),
             Scaled(kReadingWidth, newDpi), Scaled(kReadingListHeight, newDpi), TRUE);
  for (HWND control : {readingLabel_, pinyinReading_, strip_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, newDpi)), TRUE);
  }
  SendMessageW(verify_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, newDpi)), TRUE);
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(14, newDpi)), TRUE);
  grid_->DpiChanged();
  Layout();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LOADDONE:
    case WM_SONGCOUNT:
    case WM_COPYPROGRESS:
    case WM_MEDIAFACTS:
      form_.HandleMessage(message, static_cast<std::int64_t>(lparam));
      return 0;
    case WM_COMMAND:
      OnCommand(wparam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (grid_ && grid_->OnNotify(*reinterpret_cast<const NMHDR*>(lparam), result)) return result;
      break;
    }
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wparam) == editMenu_) UpdateEditMenu(editMenu_);
      return 0;
    case WM_HELP:
      ShowHelp();
      return TRUE;
    case WM_KEYDOWN:
      if (wparam != VK_F1) break;
      ShowHelp();
      return 0;
    case WM_SETFOCUS:
      // The keys go to the grid, the window's work.
      if (grid_) SetFocus(grid_->hwnd());
      return 0;
    case WM_CONTEXTMENU:
      if (grid_ && reinterpret_cast<HWND>(wparam) == grid_->hwnd()) {
        ContextMenu({static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
        return 0;
      }
      break;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_TIMER:
      if (wparam != kUsbTimer) break;
      form_.PollUsb();
      return 0;
    case WM_DEVICECHANGE:
      OnDeviceChange(wparam, lparam);
      return TRUE;
    case kLookAgain:
      if (!form_.Busy()) form_.LookAtStick();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lparam) == strip_) {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, stripTrouble_ ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem == status_) {
        DrawPane(*item);
        return TRUE;
      }
      break;
    }
    case WM_SIZE:
      if (status_ != nullptr) Layout();
      form_.FormResize();
      return 0;
    case WM_GETMINMAXINFO: {
      // Un-maximised, the buttons, a few rows of the grid, the status bar
      // and the copy panel stay in view.
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = S(480 + 80);
      info->ptMinTrackSize.y = S(260 + 160);
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(wparam, lparam);
      return 0;
    case WM_CLOSE:
      if (closed_ || !form_.FormCloseQuery()) return 0;
      closed_ = true;
      KillTimer(hwnd_, kUsbTimer);
      SaveSettings();
      form_.FormDestroy();
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void MainWindow::LoadSettings() {
  TWindowFolders folders;
  TSettings::LoadBeforeStart(RegistryStore(settingsKey_), form_, folders);
  vodFolder_ = WideOfUtf8(folders.vod);
  targetFolder_ = WideOfUtf8(folders.target);
  // The tool bar shows what the form now holds.
  SendMessageW(verify_, BM_SETCHECK, form_.VerifyCopies() ? BST_CHECKED : BST_UNCHECKED, 0);
  ChoosePinyinReading(form_.PinyinReading());
}

void MainWindow::ChoosePinyinReading(TPinyinReading reading) {
  for (std::size_t i = 0; i < std::size(kPinyinReadings); ++i) {
    if (kPinyinReadings[i] == reading) SendMessageW(pinyinReading_, CB_SETCURSEL, i, 0);
  }
  form_.SetPinyinReading(reading);
}

void MainWindow::SaveSettings() {
  RegistryStore store(settingsKey_);
  TSettings::Save(store, form_, {Utf8(vodFolder_), Utf8(targetFolder_)});
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace w32ui
