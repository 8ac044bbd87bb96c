// SPDX-License-Identifier: GPL-3.0-or-later
// The save-hint dialog: do the songs go onto the USB disk or elsewhere?
#pragma once

#include <cstdint>
#include <string>

#include "ui/views.h"

class TfrmSaveHint {
 public:
  TfrmSaveHint();
  void SetView(IDialogView* view) { view_ = view; }

  std::uint8_t FToUsb = 0;  // 1: the USB disk; 0: elsewhere
  // The window was closed without a button (its close box, Escape): the
  // run is cancelled, nothing is written.
  bool FCancelled = false;

  std::string Caption, Label1, RzButton1, RzButton2;

  void FormCreate() {
    FToUsb = 0;
    FCancelled = true;  // until a button answers
  }
  void RzButton1Click();  // "我要将歌曲存入U盘": FToUsb := 1, close
  void RzButton2Click();  // "我要将歌曲存入其它地方": FToUsb := 0, close

 private:
  IDialogView* view_ = nullptr;
};
