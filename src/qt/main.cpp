// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs: the desktop program. Shows the start-up window, then the main
// window of the chosen product line, until the user closes it.
#include <QApplication>

#include "media/probe.h"
#include "qt/app_setup.h"
#include "qt/main_window.h"
#include "qt/prompts.h"

int main(int argc, char** argv) {
  qtui::PreferChineseLocale();
  QApplication app(argc, argv);
  qtui::SetUpApplication(app);
  qtui::StandardPrompts prompts;
  // Looks at every video added, on threads of their own, away from the window's thread.
  const auto probe = media::NewMediaProbe();
  qtui::MainWindow window(prompts);
  window.form().SetMediaProbe(probe.get(), TMediaQueue::DefaultWorkers());
  if (!window.Start()) return 0;
  window.showMaximized();
  return QApplication::exec();
}
