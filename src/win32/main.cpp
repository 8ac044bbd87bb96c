// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs.exe: the Windows desktop program. Shows the start-up window, then
// the main window of the chosen product line, until the user closes it.
#include "media/probe.h"
#include "win32/app_setup.h"
#include "win32/main_window.h"
#include "win32/prompts.h"
#include "win32/settings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  w32ui::SetUpProcess();
  w32ui::StandardPrompts prompts;
  // Looks at every video added, on threads of their own, away from the window's thread.
  const auto probe = media::NewMediaProbe();
  w32ui::MainWindow window(prompts, nullptr, w32ui::kSettingsKey);
  window.form().SetMediaProbe(probe.get(), TMediaQueue::DefaultWorkers());
  if (!window.Start()) return 0;
  ShowWindow(window.hwnd(), SW_SHOWMAXIMIZED);
  UpdateWindow(window.hwnd());
  return w32ui::RunMessageLoop();
}
