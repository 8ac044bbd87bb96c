// SPDX-License-Identifier: GPL-3.0-or-later
// Times one run of the Windows desktop program as an owner makes it: the
// real main window, the product line chosen in the start-up window, the
// files added, then the time from the click on "开始加歌" to "用户加歌完成"
// (the save hint answered "elsewhere", the folder given, songs already in
// the folder replaced).
//   win32_gui_copy_driver OUT_FOLDER FILE...     prints "gui_seconds S"
// Run under Wine by bench/win32_gui_copy.sh on a virtual display.
#include <chrono>
#include <cstdio>
#include <string>

#include "ui/ui_texts.h"
#include "win32/app_setup.h"
#include "win32/dialogs.h"
#include "win32/main_window.h"
#include "win32/prompts.h"
#include "win32/win_text.h"

namespace {

using Clock = std::chrono::steady_clock;

// The message boxes and the folder browser, answered at once; the moment
// "用户加歌完成" is shown is kept.
class TimingPrompts final : public w32ui::StandardPrompts {
 public:
  std::wstring folder;
  Clock::time_point done{};
  void Message(HWND, const std::wstring&, const std::wstring& text, int) override {
    if (text.rfind(w32ui::Wide(ui_text::DoneText()), 0) == 0) done = Clock::now();
    if (done == Clock::time_point{}) std::fprintf(stderr, "%s\n", w32ui::Utf8(text).c_str());
  }
  int Ask(HWND, const std::wstring&, const std::wstring&,
          const std::vector<std::wstring>& buttons) override {
    // Songs already in the folder (an earlier round): replaced.
    return buttons.size() == 3 ? 1 : 0;
  }
  std::wstring Folder(HWND, const std::wstring&, const std::wstring&) override { return folder; }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: win32_gui_copy_driver OUT_FOLDER FILE...\n");
    return 2;
  }
  w32ui::SetUpProcess();
  TimingPrompts prompts;
  prompts.folder = argv[1];
  // The start-up window's first product line, the save hint's "elsewhere".
  w32ui::ModalHook() = [](HWND dialog) {
    for (int id : {int(w32ui::kIdProductButton), int(w32ui::kIdRzButton2)}) {
      if (HWND button = GetDlgItem(dialog, id)) {
        PostMessageW(button, BM_CLICK, 0, 0);
        return;
      }
    }
  };
  w32ui::MainWindow window(prompts, nullptr, L"Software\\addsongs-bench");
  if (!window.Start()) return 1;
  ShowWindow(window.hwnd(), SW_SHOWMAXIMIZED);
  TStringList files;
  for (int i = 2; i < argc; ++i) files.push_back(w32ui::FromWide(argv[i]).value_or(""));
  window.form().AddDroppedFiles(files);
  window.ProcessMessages();

  const Clock::time_point start = Clock::now();
  SendMessageW(window.button(TMainButton::kComplete), BM_CLICK, 0, 0);
  if (prompts.done == Clock::time_point{}) {
    std::fprintf(stderr, "the run did not end with the message that it is done\n");
    return 1;
  }
  std::printf("gui_seconds %.3f\n", std::chrono::duration<double>(prompts.done - start).count());
  return 0;
}
