// SPDX-License-Identifier: GPL-3.0-or-later
// What every start of the desktop program sets up: names (for the
// settings), the window icon and the font the windows were drawn for.
#pragma once

class QApplication;

namespace qtui {

// Before the application is made: where the desktop names no language
// (LANG unset, "C" or "POSIX"), LANG becomes zh_CN.UTF-8 where that locale is
// installed, else C.UTF-8 where that is, else stays. Qt's own texts are made
// Chinese by SetUpApplication either way.
void PreferChineseLocale();

// SimSun at 14 pixels where installed; otherwise the first installed Chinese
// font of a list of common ones.
void SetUpApplication(QApplication& app);

}  // namespace qtui
