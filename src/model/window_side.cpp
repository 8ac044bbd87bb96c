// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/window_side.h"

void ShowMsg(TWindowSide* owner, const std::string& caption, const std::string& text, int kind) {
  if (owner == nullptr || kind < kMsgWarning || kind > kMsgQuestion) return;
  owner->ShowBox(caption, text, kind);
}
