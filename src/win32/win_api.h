// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows API as the front end uses it: <windows.h> without its rarely
// used parts and without the min/max macros, and the common controls.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <shellapi.h>

// The forms' views have an operation named PostMessage; the front end calls
// the wide function by its own name, PostMessageW.
#undef PostMessage
