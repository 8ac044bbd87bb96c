// SPDX-License-Identifier: GPL-3.0-or-later
// Times one run of the desktop program as an owner makes it: the real main
// window on a display, the product line chosen in the start-up window, the
// files added, then the time from the click on "开始加歌" to "用户加歌完成"
// (the save hint answered "elsewhere", the folder given, songs already in
// the folder replaced).
//   gui_copy_driver OUT_FOLDER FILE...     prints "gui_seconds S"
// Run by bench/gui_copy.sh on a virtual display.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "qt/app_setup.h"
#include "qt/main_window.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
#include "ui/ui_texts.h"

namespace {

using Clock = std::chrono::steady_clock;

// The message boxes and the folder browser, answered at once; the moment
// "用户加歌完成" is shown is kept.
class TimingPrompts final : public qtui::StandardPrompts {
 public:
  QString folder;
  Clock::time_point done{};
  void Message(QWidget*, const QString&, const QString& text, int) override {
    if (text.startsWith(qtui::ToQt(ui_text::DoneText()))) done = Clock::now();
    if (done == Clock::time_point{}) std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  }
  int Ask(QWidget*, const QString&, const QString&, const QStringList& buttons) override {
    // Songs already in the folder (an earlier round): replaced.
    return buttons.size() == 3 ? 1 : 0;
  }
  QString Folder(QWidget*, const QString&, const QString&) override { return folder; }
};

// Clicks the button of each modal dialog as soon as it shows.
void AnswerDialogs() {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    for (const char* name : {"btnOru", "RzButton2"}) {
      if (auto* button = modal->findChild<QPushButton*>(name)) {
        button->click();
        return;
      }
    }
  });
  timer->start(1);
}

}  // namespace

int main(int argc, char** argv) {
  qtui::PreferChineseLocale();
  QApplication app(argc, argv);
  qtui::SetUpApplication(app);
  if (argc < 3) {
    std::fprintf(stderr, "usage: gui_copy_driver OUT_FOLDER FILE...\n");
    return 2;
  }
  TimingPrompts prompts;
  prompts.folder = QString::fromLocal8Bit(argv[1]);
  AnswerDialogs();
  qtui::MainWindow window(prompts);
  if (!window.Start()) return 1;
  window.showMaximized();
  TStringList files;
  for (int i = 2; i < argc; ++i) {
    files.push_back(qtui::FromQt(QString::fromLocal8Bit(argv[i])).value_or(""));
  }
  window.form().AddDroppedFiles(files);
  QCoreApplication::processEvents();

  const Clock::time_point start = Clock::now();
  window.button(TMainButton::kComplete)->click();
  if (prompts.done == Clock::time_point{}) {
    std::fprintf(stderr, "the run did not end with the message that it is done\n");
    return 1;
  }
  std::printf("gui_seconds %.3f\n", std::chrono::duration<double>(prompts.done - start).count());
  return 0;
}
