// SPDX-License-Identifier: GPL-3.0-or-later
// Shows every window of the Windows desktop program in turn, with songs in
// the grid, and at each asks the script that started it for a picture of the
// screen: it writes FOLDER\NAME.ready and waits, its windows still
// answering, until FOLDER\NAME.done appears.
//   addsongs-win32-screenshots.exe FOLDER SONGS_FOLDER

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "formats/product_lines.h"
#include "ui/ui_texts.h"
#include "win32/app_setup.h"
#include "win32/dialogs.h"
#include "win32/grid_view.h"
#include "win32/main_window.h"
#include "win32/prompts.h"
#include "win32/win_text.h"

namespace {

namespace fs = std::filesystem;
using w32ui::Wide;

fs::path shots;

void Pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Waits until the script took the picture of the screen as it is now.
void Shot(const std::string& name) {
  Pump(400);
  std::ofstream(shots / (name + ".ready")).put('\n');
  for (int i = 0; i < 600 && !fs::exists(shots / (name + ".done")); ++i) Pump(50);
}

// The real message boxes and questions; the files and the folder chosen here.
class ShotPrompts final : public w32ui::StandardPrompts {
 public:
  std::vector<std::wstring> files;
  std::vector<std::wstring> OpenFiles(HWND, const std::wstring&, const std::wstring&) override {
    return files;
  }
  std::wstring Folder(HWND, const std::wstring&, const std::wstring&) override { return {}; }
};

void Click(HWND dialog, int id) {
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::unique_ptr<w32ui::MainWindow> Start(ShotPrompts& prompts, const TProductLineInfo& product,
                                         bool shootStartUp) {
  auto window =
      std::make_unique<w32ui::MainWindow>(prompts, nullptr, L"Software\\addsongs-screenshots");
  w32ui::ModalHook() = [&](HWND dialog) {
    if (shootStartUp) Shot("startup");
    Click(dialog, w32ui::kIdProductButton + product.code - 1);
  };
  window->Start();
  ShowWindow(window->hwnd(), SW_SHOWMAXIMIZED);
  w32ui::ModalHook() = [&](HWND dialog) {
    if (shootStartUp) Shot("new-song");
    Click(dialog, w32ui::kIdBtnFile);
  };
  SendMessageW(window->button(TMainButton::kAdd), BM_CLICK, 0, 0);
  w32ui::ModalHook() = nullptr;
  Pump(200);
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) return 2;
  shots = argv[1];
  const fs::path songs = argv[2];
  w32ui::SetUpProcess();
  ShotPrompts prompts;
  for (const auto& entry : fs::directory_iterator(songs))
    prompts.files.push_back(entry.path().wstring());
  std::sort(prompts.files.begin(), prompts.files.end());

  for (const TProductLineInfo& product : ProductLines()) {
    const bool first = product.code == kProductOru;
    auto w = Start(prompts, product, first);
    Shot(std::string("main-") + product.consoleName);
    if (!first) continue;

    // A marked cell, current, with its tip.
    w->form().EditCell(kColSinger, 1, "");
    w->form().Grid().SetCurrent(kColSinger, 1);
    Shot("marked-cell");

    // An editor open on a drop-down cell.
    w->grid().BeginEdit(kColLanguage, 0);
    SendMessageW(w->grid().Editor(), CB_SHOWDROPDOWN, TRUE, 0);
    Shot("drop-down-editor");
    SendMessageW(w->grid().Editor(), CB_SHOWDROPDOWN, FALSE, 0);
    SetFocus(w->grid().hwnd());
    Pump(100);

    TCopyPanel panel;
    panel.visible = true;
    panel.animating = true;
    panel.from = prompts.files.empty() ? "" : w32ui::FromWide(prompts.files[1]).value_or("");
    panel.to = "R:\\vod\\660001.dat";
    panel.percent = 40;
    panel.song = 2;
    panel.songs = 3;
    panel.overall = 55;
    panel.timeLeft = ui_text::TimeLeft(40);
    w->CopyPanelChanged(panel);
    Shot("copy-panel");
    panel.visible = false;
    w->CopyPanelChanged(panel);

    w32ui::ModalHook() = [](HWND dialog) {
      Shot("save-hint");
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    };
    TfrmSaveHint saveHint;
    saveHint.FormCreate();
    w->ShowModal(saveHint);

    w32ui::ModalHook() = [](HWND dialog) {
      Shot("disk-space");
      Click(dialog, w32ui::kIdBitBtn1);
    };
    TfrmDiskFree diskFree;
    diskFree.SetDrive("R:\\");
    diskFree.SetNeedText("1.20G");
    diskFree.SetFreeText("300M");
    w->ShowModal(diskFree);

    w32ui::ModalHook() = [](HWND box) {
      Shot("message-box");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    w->ShowBox(ui_text::NumberErrorCaption(), ui_text::DuplicateAfterEdit("0001"), 1);

    // Every problem of the grid in one message: a number twice, one that is
    // no number, beside the empty singer.
    w->form().Grid().SetCell(kColNumber, 2, w->form().Grid().Cell(kColNumber, 0));
    w->form().Grid().SetCell(kColNumber, 1, "12a4");
    w32ui::ModalHook() = [](HWND box) {
      Shot("problems");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    w->form().btnCompleteClick();

    w32ui::ModalHook() = [](HWND dialog) {
      Shot("question");
      Click(dialog, w32ui::kFirstAnswerId + 1);
    };
    w->Ask({TQuestion::Id::kClearGrid,
            ui_text::ClearCaption(),
            ui_text::ClearQuestion(3),
            {ui_text::YesButton(), ui_text::NoButton()}});
    w32ui::ModalHook() = nullptr;
  }
  LocalFree(argv);
  return 0;
}
