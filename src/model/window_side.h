// SPDX-License-Identifier: GPL-3.0-or-later
// What the song list and the text helpers need from a window, without knowing
// any toolkit. The main window implements it (Qt: a posted event and
// processEvents), the console implements it on the terminal, tests implement
// it with a queue they can inspect.
#pragma once

#include <cstdint>
#include <string>

// Window notifications, plain numbers (not offsets from a user-message base).
enum : unsigned {
  WM_LOADDONE = 2048,      // lParam 0: a vod.txt has been loaded
  WM_SONGCOUNT = 2049,     // lParam: number of songs now held
  WM_COPYPROGRESS = 2050,  // lParam: percent 0-100 of the current file copied
  WM_MEDIAFACTS = 2051,    // lParam 0: what videos hold was found (ui/media_queue.h)
};

// Kinds of message box, the icon shown with one OK button.
enum : int { kMsgWarning = 0, kMsgError = 1, kMsgInformation = 2, kMsgQuestion = 3 };

class TWindowSide {
 public:
  virtual ~TWindowSide() = default;

  // Queues the message (2048-2050) with its long parameter; wParam is always 0.
  // It is handled later, on the same thread, not during this call.
  virtual void PostNotify(unsigned message, std::int64_t lparam) = 0;

  // Lets the message loop run once, so that the window repaints and queued
  // messages are handled during a long loop.
  virtual void PumpMessages() = 0;

  // Shows a modal box with the caption, the text (both GBK), one OK button and
  // the icon of kind 0-3. Callers never pass another kind (ShowMsg filters).
  virtual void ShowBox(const std::string& caption, const std::string& text, int kind) = 0;
};

// Shows a modal message box owned by the window: caption, text, one OK button
// and the icon of kind 0 warning, 1 error, 2 information, 3 question. Any other
// kind, or no window, shows nothing.
void ShowMsg(TWindowSide* owner, const std::string& caption, const std::string& text, int kind);
