// SPDX-License-Identifier: GPL-3.0-or-later
// What every start of the Windows desktop program (and of its window tests)
// sets up before the first window: the common controls and COM for the shell's
// dialogs.
#pragma once

namespace w32ui {

void SetUpProcess();

}  // namespace w32ui
