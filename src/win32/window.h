// SPDX-License-Identifier: GPL-3.0-or-later
// What every window of the desktop program shares: one window class whose
// procedure hands each message to the C++ object of the window, child
// controls placed in pixels of a 96-dpi screen and scaled to the window's
// DPI, the program's Chinese font, and the modal loop the dialogs run in
// (with a hook that lets tests answer a dialog as a user would).
#pragma once

#include "win32/win_api.h"

#include <functional>
#include <string>

namespace w32ui {

// The DPI of the window (96 before Windows 10's per-monitor calls exist).
int DpiOf(HWND window);
// pixels of a 96-dpi screen at dpi.
int Scaled(int pixels, int dpi);

// The program's font at the pixel height (of a 96-dpi screen) for dpi; made
// once per size and kept for the program's life.
HFONT UiFont(int pixels, int dpi);
// The face name it uses: the system's message font on a Chinese Windows,
// else the first installed of a list of Chinese fonts.
const std::wstring& UiFaceName();

// A window of the program: a C++ object owns its HWND and sees its messages.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return DpiOf(hwnd_); }
  int S(int pixels) const { return Scaled(pixels, dpi()); }

 protected:
  // Creates the window of the program's class; x, y, width, height are
  // already in the screen's pixels.
  void Create(DWORD exStyle, DWORD style, const std::wstring& title, int x, int y, int width,
              int height, HWND parent);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // A child control of class kind with the text, at a place given in
  // 96-dpi pixels, with the program's font of that size.
  HWND Control(const wchar_t* kind, const std::wstring& text, DWORD style, int x, int y, int width,
               int height, int id, int fontPixels = 14);
  // Moves a child to a place given in 96-dpi pixels.
  void Place(HWND child, int x, int y, int width, int height) const;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

// A modal dialog of the program: shown over its owner, which is disabled
// until Close. Escape and the close box call OnCancel.
class Dialog : public Window {
 public:
  // Shows the window (made by the subclass) and runs the message loop until
  // Close; the owner is usable again afterwards.
  void Run(HWND owner);
  void EndModal() { done_ = true; }
  bool running() const { return !done_; }

 protected:
  // Creates the dialog window with a client area of the size (96-dpi
  // pixels), centred on the owner's screen.
  void CreateDialogWindow(HWND owner, const std::wstring& title, int clientWidth, int clientHeight,
                          bool closeBox);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // A button or another control was used.
  virtual void OnCommand(int id, int code, HWND control) = 0;
  // Escape, Alt+F4 or the close box: by default the dialog closes.
  virtual void OnCancel() { EndModal(); }

 private:
  bool done_ = true;
};

// Called with each modal window of the program (dialogs, message boxes,
// questions) once it is shown, before the user can act in it: tests set it
// to answer the window through its controls. Empty in the program.
std::function<void(HWND)>& ModalHook();
// Runs the hook for window, when one is set.
void RunModalHook(HWND window);

// The text of a window (a control's caption, an editor's text).
std::wstring TextOf(HWND window);

}  // namespace w32ui
