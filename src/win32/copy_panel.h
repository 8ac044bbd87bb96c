// SPDX-License-Identifier: GPL-3.0-or-later
// The copy panel of the main window: a title strip, the system's file-copy
// animation (drawn by hand where the system has none), "从" and "到" with the
// two paths, the file's bar, the song being copied (then read back) of how
// many with the time left, the run's bar, and a button to stop. It draws a
// TCopyPanel; the form decides its contents. Only what changed is redrawn,
// so a copy that reports every chunk costs the window little.
#pragma once

#include <functional>

#include "ui/views.h"
#include "win32/window.h"

namespace w32ui {

// The controls' ids, by which tests find them.
enum CopyPanelControl : int {
  kIdPanelTitle = 600,
  kIdPanelFrom = 601,
  kIdPanelTo = 602,
  kIdPanelBar = 603,      // the current file
  kIdPanelSong = 604,     // "第 i/n 首" and the time left
  kIdPanelOverall = 605,  // the whole run
  kIdPanelCancel = 606,
  kIdPanelAnimation = 607,
};

class CopyPanel final : public Window {
 public:
  // A hidden child of parent; onCancel runs when "取消" is clicked.
  CopyPanel(HWND parent, std::function<void()> onCancel);
  ~CopyPanel() override;
  // Shows the panel's state (not its visibility: the window places it).
  void Show(const TCopyPanel& panel);
  // Its size in the screen's pixels.
  SIZE Size() const;
  // Whether the system's animation plays (false: the drawn one).
  bool SystemAnimation() const { return systemAnimation_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void SetText(HWND control, const std::wstring& text);
  void Animate(bool running);
  void PaintDrawnAnimation(HDC dc, const RECT& area) const;

  std::function<void()> onCancel_;
  HWND title_ = nullptr, animation_ = nullptr, from_ = nullptr, to_ = nullptr;
  HWND bar_ = nullptr, song_ = nullptr, overall_ = nullptr, cancel_ = nullptr;
  HBRUSH titleBrush_ = nullptr;
  bool systemAnimation_ = false;
  bool animating_ = false;
  int frame_ = 0;
  int percent_ = -1, overallPercent_ = -1;
  bool cancelEnabled_ = true;
};

}  // namespace w32ui
