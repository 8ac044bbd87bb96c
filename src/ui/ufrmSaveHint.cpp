// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ufrmSaveHint.h"

#include "ui/ui_texts.h"

TfrmSaveHint::TfrmSaveHint()
    : Caption(ui_text::SaveHintCaption()),
      Label1(ui_text::SaveHintQuestion()),
      RzButton1(ui_text::SaveToUsbButton()),
      RzButton2(ui_text::SaveElsewhereButton()) {}

void TfrmSaveHint::RzButton1Click() {
  FToUsb = 1;
  FCancelled = false;
  if (view_ != nullptr) view_->Close();
}

void TfrmSaveHint::RzButton2Click() {
  FToUsb = 0;
  FCancelled = false;
  if (view_ != nullptr) view_->Close();
}
