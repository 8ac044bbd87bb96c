// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/prompts.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "ui/views.h"
#include "win32/win_text.h"
#include "win32/window.h"

namespace w32ui {

HWND FolderTree(HWND browser) {
  HWND tree = nullptr;
  EnumChildWindows(
      browser,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        if (wcscmp(kind, WC_TREEVIEWW) != 0) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tree));
  return tree;
}

namespace {

// A message box plays the modal hook once its own loop runs: a thread-local
// CBT hook sees the box's activation and a one-shot thread timer, handled
// by the box's loop, hands the box to the modal hook.
HHOOK boxHook = nullptr;
HWND shownBox = nullptr;
void CALLBACK BoxShown(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (shownBox != nullptr) RunModalHook(std::exchange(shownBox, nullptr));
}
LRESULT CALLBACK BoxActivated(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && boxHook != nullptr) {
    UnhookWindowsHookEx(std::exchange(boxHook, nullptr));
    shownBox = reinterpret_cast<HWND>(wparam);
    SetTimer(nullptr, 0, 10, BoxShown);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

int Box(HWND owner, const std::wstring& caption, const std::wstring& text, UINT type) {
  if (ModalHook()) boxHook = SetWindowsHookExW(WH_CBT, BoxActivated, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, text.c_str(), caption.c_str(), type);
  if (boxHook != nullptr) UnhookWindowsHookEx(std::exchange(boxHook, nullptr));
  shownBox = nullptr;
  return answer;
}

// The question: the question icon, the text, and a row of the question's
// buttons at the bottom right, the first the default.
class QuestionDialog final : public Dialog {
 public:
  QuestionDialog(HWND owner, const std::wstring& caption, const std::wstring& text,
                 const std::vector<std::wstring>& buttons) {
    // Measure the text at the program's font to size the dialog.
    HDC dc = GetDC(owner);
    const int dpi = DpiOf(owner);
    HGDIOBJ old = SelectObject(dc, UiFont(14, dpi));
    RECT textRect = {0, 0, Scaled(420, dpi), 0};
    DrawTextW(dc, text.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE captionSize = {};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &captionSize);
    std::vector<int> widths;
    for (const std::wstring& b : buttons) {
      SIZE size = {};
      GetTextExtentPoint32W(dc, b.c_str(), static_cast<int>(b.size()), &size);
      widths.push_back(std::max(75, MulDiv(size.cx, 96, dpi) + 24));
    }
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    const int textW = MulDiv(textRect.right, 96, dpi) + 4;
    const int textH = std::max(32, MulDiv(textRect.bottom, 96, dpi) + 4);
    int buttonsW = 0;
    for (int w : widths) buttonsW += w + 8;
    const int width =
        std::max({70 + textW + 16, buttonsW + 16, MulDiv(captionSize.cx, 96, dpi) + 90, 260});
    const int height = 16 + textH + 16 + 25 + 12;
    CreateDialogWindow(owner, caption, width, height, true);
    HWND icon = Control(L"Static", L"", SS_ICON, 16, 16, 32, 32, -1);
    SendMessageW(
        icon, STM_SETICON,
        reinterpret_cast<WPARAM>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION))), 0);
    Control(L"Static", text, SS_NOPREFIX, 64, 16, textW, textH, -1);
    int x = width - 8;
    for (std::size_t i = buttons.size(); i-- > 0;) {
      x -= widths[i] + 8;
      HWND button =
          Control(L"Button", buttons[i], WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                  x, height - 12 - 25, widths[i], 25, kFirstAnswerId + static_cast<int>(i));
      if (i == 0) first_ = button;
    }
    count_ = static_cast<int>(buttons.size());
  }
  int Answer(HWND owner) {
    if (first_ != nullptr) SetFocus(first_);
    Run(owner);
    return answer_;
  }

 private:
  void OnCommand(int id, int, HWND) override {
    if (id == IDOK) id = kFirstAnswerId;  // Enter: the default
    if (id >= kFirstAnswerId && id < kFirstAnswerId + count_) {
      answer_ = id - kFirstAnswerId;
      EndModal();
    }
  }
  void OnCancel() override {
    answer_ = count_ > 0 ? count_ - 1 : -1;  // Escape: the cancelling button
    EndModal();
  }

  HWND first_ = nullptr;
  int count_ = 0;
  int answer_ = -1;
};

// The selected folder scrolled into view: with the new dialog style,
// Windows 7 on select the start folder but leave the tree scrolled to the
// Desktop at its top, so the browser looked as if it started there.
void ShowSelectedFolder(HWND browser) {
  HWND tree = FolderTree(browser);
  if (tree == nullptr) return;
  HTREEITEM selected = TreeView_GetSelection(tree);
  if (selected != nullptr) TreeView_EnsureVisible(tree, selected);
}

int CALLBACK BrowseStarted(HWND window, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED && folder != 0) {
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, folder);
    ShowSelectedFolder(window);
  }
  // The tree fills in after the first selection; seen again then.
  if (message == BFFM_SELCHANGED && folder != 0) ShowSelectedFolder(window);
  if (message == BFFM_INITIALIZED) RunModalHook(window);
  return 0;
}

}  // namespace

void StandardPrompts::Message(HWND owner, const std::wstring& caption, const std::wstring& text,
                              int kind) {
  static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION};
  if (kind < 0 || kind > 3) return;
  Box(owner, caption, text, MB_OK | icons[kind]);
}

void StandardPrompts::Notice(HWND owner, const std::wstring& caption, const std::wstring& text) {
  Box(owner, caption, text, MB_OK);
}

int StandardPrompts::Ask(HWND owner, const std::wstring& caption, const std::wstring& text,
                         const std::vector<std::wstring>& buttons) {
  QuestionDialog dialog(owner, caption, text, buttons);
  return dialog.Answer(owner);
}

int AskQuestion(IPrompts& prompts, HWND owner, const TQuestion& question) {
  std::vector<std::wstring> buttons;
  for (const std::string& b : question.buttons) buttons.push_back(Wide(b));
  return prompts.Ask(owner, Wide(question.caption), Wide(question.text), buttons);
}

std::wstring DialogFilter(const std::wstring& formsFilter) {
  std::wstring out;
  std::size_t start = 0;
  while (start <= formsFilter.size()) {
    std::size_t end = formsFilter.find(L';', start);
    if (end == std::wstring::npos) end = formsFilter.size();
    const std::wstring entry = formsFilter.substr(start, end - start);
    const std::size_t bar = entry.find(L'|');
    if (bar != std::wstring::npos) {
      std::wstring patterns = entry.substr(bar + 1);
      std::replace(patterns.begin(), patterns.end(), L' ', L';');
      out += entry.substr(0, bar) + L'\0' + patterns + L'\0';
    }
    start = end + 1;
  }
  return out + L'\0';
}

std::wstring DefaultExtension(const std::wstring& formsFilter) {
  const std::size_t bar = formsFilter.find(L'|');
  if (bar == std::wstring::npos) return {};
  const std::size_t dot = formsFilter.find(L"*.", bar);
  if (dot != bar + 1) return {};
  const std::size_t end = formsFilter.find_first_of(L" ;", dot);
  std::wstring extension =
      formsFilter.substr(dot + 2, end == std::wstring::npos ? end : end - dot - 2);
  return extension.find_first_of(L"*?") == std::wstring::npos ? extension : std::wstring();
}

namespace {
// Shows the system's open or save dialog over owner, filling buffer with
// what was chosen (as GetOpenFileNameW gives it); false when the user
// cancelled.
bool ShowFileDialog(HWND owner, const wchar_t* title, const std::wstring& folder,
                    const std::wstring& filter, DWORD flags, bool save, std::wstring& buffer) {
  const std::wstring filters = DialogFilter(filter);
  const std::wstring extension = DefaultExtension(filter);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | flags;
  if (!save) return GetOpenFileNameW(&ofn) != 0;
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  return GetSaveFileNameW(&ofn) != 0;
}
}  // namespace

std::wstring StandardPrompts::OpenFile(HWND owner, const std::wstring& title,
                                       const std::wstring& folder, const std::wstring& filter) {
  std::wstring buffer(4096, L'\0');
  if (!ShowFileDialog(owner, title.c_str(), folder, filter, OFN_FILEMUSTEXIST, false, buffer)) {
    return {};
  }
  return std::wstring(buffer.c_str());
}

std::vector<std::wstring> StandardPrompts::OpenFiles(HWND owner, const std::wstring& folder,
                                                     const std::wstring& filter) {
  // 99 songs of long names fit with room to spare.
  std::wstring buffer(1 << 16, L'\0');
  if (!ShowFileDialog(owner, nullptr, folder, filter, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                      false, buffer)) {
    return {};
  }
  // One file: its full path. Several: the folder, then each name, each
  // ended by a NUL, the list by two.
  std::vector<std::wstring> parts;
  for (const wchar_t* p = buffer.c_str(); *p != L'\0'; p += wcslen(p) + 1) parts.emplace_back(p);
  if (parts.size() <= 1) return parts;
  std::wstring dir = parts.front();
  if (dir.back() != L'\\') dir += L'\\';
  std::vector<std::wstring> files;
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(dir + parts[i]);
  return files;
}

std::wstring StandardPrompts::SaveFile(HWND owner, const std::wstring& title,
                                       const std::wstring& folder, const std::wstring& filter,
                                       const std::wstring& name) {
  std::wstring buffer(4096, L'\0');
  std::copy_n(name.begin(), std::min(name.size(), buffer.size() - 1), buffer.begin());
  if (!ShowFileDialog(owner, title.c_str(), folder, filter,
                      OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN, true, buffer)) {
    return {};
  }
  return std::wstring(buffer.c_str());
}

std::wstring StandardPrompts::Folder(HWND owner, const std::wstring& prompt,
                                     const std::wstring& folder) {
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseStarted;
  info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (chosen == nullptr) return {};
  wchar_t path[MAX_PATH * 4] = {};
  const bool ok = SHGetPathFromIDListEx(chosen, path, MAX_PATH * 4, GPFIDL_DEFAULT) != FALSE;
  CoTaskMemFree(chosen);
  return ok ? std::wstring(path) : std::wstring();
}

}  // namespace w32ui
