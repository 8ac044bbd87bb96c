// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/window.h"

#include <map>
#include <utility>
#include <vector>

namespace w32ui {
namespace {

const wchar_t* const kClassName = L"AddSongsWindow";

void RegisterOnce(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool Installed(const wchar_t* face) {
  LOGFONTW font = {};
  font.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &font, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

}  // namespace

int DpiOf(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr && window != nullptr) {
    const UINT dpi = getDpi(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int Scaled(int pixels, int dpi) {
  return MulDiv(pixels, dpi, 96);
}

const std::wstring& UiFaceName() {
  static const std::wstring face = [] {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE) {
      NONCLIENTMETRICSW metrics = {};
      metrics.cbSize = sizeof metrics;
      if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return std::wstring(metrics.lfMessageFont.lfFaceName);
      }
    }
    for (const wchar_t* name :
         {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Zen Hei", L"Noto Sans CJK SC"}) {
      if (Installed(name)) return std::wstring(name);
    }
    return std::wstring(L"MS Shell Dlg 2");
  }();
  return face;
}

HFONT UiFont(int pixels, int dpi) {
  static std::map<std::pair<int, int>, HFONT> fonts;
  HFONT& font = fonts[{pixels, dpi}];
  if (font == nullptr) {
    LOGFONTW lf = {};
    lf.lfHeight = -Scaled(pixels, dpi);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(lf.lfFaceName, UiFaceName().c_str(), LF_FACESIZE - 1);
    font = CreateFontIndirectW(&lf);
  }
  return font;
}

Window::~Window() {
  if (hwnd_ != nullptr) {
    // Messages of the dying window go to the default procedure: the object
    // is no longer whole.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND window = std::exchange(hwnd_, nullptr);
    DestroyWindow(window);
  }
}

void Window::Create(DWORD exStyle, DWORD style, const std::wstring& title, int x, int y, int width,
                    int height, HWND parent) {
  RegisterOnce(Procedure);
  CreateWindowExW(exStyle, kClassName, title.c_str(), style, x, y, width, height, parent, nullptr,
                  GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return self->OnMessage(message, wparam, lparam);
}

LRESULT Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

HWND Window::Control(const wchar_t* kind, const std::wstring& text, DWORD style, int x, int y,
                     int width, int height, int id, int fontPixels) {
  HWND control = CreateWindowExW(
      0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, S(x), S(y), S(width), S(height), hwnd_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(fontPixels, dpi())), TRUE);
  return control;
}

void Window::Place(HWND child, int x, int y, int width, int height) const {
  MoveWindow(child, S(x), S(y), S(width), S(height), TRUE);
}

// ---- Dialogs ----

void Dialog::CreateDialogWindow(HWND owner, const std::wstring& title, int clientWidth,
                                int clientHeight, bool closeBox) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (closeBox ? WS_SYSMENU : 0);
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  Create(exStyle, style, title, 0, 0, 100, 100, owner);
  RECT frame = {0, 0, S(clientWidth), S(clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // In the middle of its owner, or of the screen while the owner is not
  // shown (the start-up window).
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd_, MONITOR_DEFAULTTOPRIMARY),
                  &monitor);
  RECT area = monitor.rcWork;
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Dialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDCANCEL && lparam == 0) {
        OnCancel();
      } else {
        OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      }
      return 0;
    case WM_CLOSE:
      OnCancel();
      return 0;
    default:
      return Window::OnMessage(message, wparam, lparam);
  }
}

void Dialog::Run(HWND owner) {
  done_ = false;
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  HWND focus = GetFocus();  // where the dialog put it before it showed
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (focus == nullptr || !IsChild(hwnd_, focus)) focus = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (focus != nullptr) SetFocus(focus);
  RunModalHook(hwnd_);
  MSG msg;
  while (!done_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  done_ = true;
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  ShowWindow(hwnd_, SW_HIDE);
}

std::function<void(HWND)>& ModalHook() {
  static std::function<void(HWND)> hook;
  return hook;
}

void RunModalHook(HWND window) {
  if (ModalHook()) {
    const auto hook = ModalHook();  // the hook may replace itself
    hook(window);
  }
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace w32ui
