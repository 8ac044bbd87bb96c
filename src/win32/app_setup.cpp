// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/app_setup.h"

#include <objbase.h>

#include "win32/win_api.h"

namespace w32ui {

void SetUpProcess() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS |
                   ICC_STANDARD_CLASSES | ICC_TAB_CLASSES;
  InitCommonControlsEx(&controls);
  // The folder browser's new style wants COM in a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace w32ui
