// SPDX-License-Identifier: GPL-3.0-or-later
// The forms' views on a terminal: the console plays the user. It answers
// each dialog from the command line (the product line or the vod.txt to
// open, the start number and the files, USB disk or folder), prints every
// message box and the copy progress, and runs the message queue itself.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/queued_main_view.h"
#include "ui/ufrmMain.h"
#include "ui/views.h"

namespace cli {

// What the command line decided; every path is GBK.
struct TConsoleAnswers {
  // What to do with songs already on the target: ask (the console cannot:
  // the run is refused), keep them and add the new ones, or replace them.
  enum class TExisting : std::uint8_t { kRefuse, kMerge, kReplace };
  std::uint8_t product = 0;        // the product line's button, 0: open loadFile
  std::string loadFile;            // a vod.txt to open in the start-up window
  std::string startNumber;         // typed into the new-song dialog ("" keeps the proposal)
  std::vector<std::string> files;  // chosen in the new-song dialog's file dialog
  bool toUsb = false;              // the save-hint answer
  std::string folder;              // the folder chosen when asked ("" cancels)
  TExisting existing = TExisting::kRefuse;
  std::optional<TNameOrder> nameOrder;  // chosen in the new-song dialog (none: kept)
  bool allowDuplicates = false;         // the run goes on with songs in the grid twice
  bool skipDuplicates = false;          // ... leaving the repeats out
  bool removeUnlisted = false;          // song files no list names on the target go
  int restoreCopy = -1;                 // the earlier list to put back (0: the newest); -1 none
};

class TConsoleView final : public TQueuedMainView,
                           public ILoginView,
                           public IAddNewSongView,
                           public IDiskFreeView {
 public:
  // out receives what a user would see, in UTF-8; progress lines are drawn
  // in place when terminal is set.
  TConsoleView(const TConsoleAnswers& answers, std::ostream& out, bool terminal);
  // The message boxes shown so far (caption, text), for the caller's verdict.
  int BoxCount() const { return boxes_; }

  // IMainView
  void SetCaption(const std::string& text) override;
  void SetStatusText(const std::string& text) override { status_ = text; }
  void SetButtonEnabled(TMainButton, bool) override {}
  void CopyPanelChanged(const TCopyPanel& panel) override;
  void CloseWindow() override {}
  void UsbDiskChosen(const std::string& volume) override;
  // What a window's strip shows of the stick, as a line.
  void StickChanged(const TStickView& stick) override;
  void ShowBox(const std::string& caption, const std::string& text, int kind) override;
  int Ask(const TQuestion& question) override;
  std::optional<std::string> ChooseFolder(const std::string& prompt,
                                          const std::string& start) override;
  void ShowModal(TfrmLogin& form) override;
  void ShowModal(TfrmAddNewSong& form) override;
  void ShowModal(TfrmSaveHint& form) override;
  void ShowModal(TfrmDiskFree& form) override;
  // No console command opens the batch dialog or a file dialog of the main
  // window: the dialog is told and cancelled, nothing is chosen.
  void ShowModal(TfrmBatchEdit& form) override;
  std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter,
                                            const std::string& name) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title,
                                            const std::string& filter) override;

  // The dialogs' views
  void Close() override {}
  std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter,
                                        const std::string& start) override;
  void SetNumberText(const std::string&) override {}
  void FocusNumber() override {}
  void ShowMessage(const std::string& caption, const std::string& text) override;
  std::optional<std::vector<std::string>> ChooseFiles(const std::string& folder,
                                                      const std::string& filter) override;
  void LabelsChanged() override {}

  // The last status line the window showed.
  const std::string& Status() const { return status_; }

 private:
  void Line(const std::string& gbkText);
  void EndProgressLine();

  const TConsoleAnswers& answers_;
  std::ostream& out_;
  bool terminal_;
  std::string status_;
  int boxes_ = 0;
  int shownSong_ = 0;           // the song whose line was printed
  bool shownChecking_ = false;  // ... in the read-back phase
  bool progressOpen_ = false;   // a progress line waits for its end
  int lastPercent_ = -1;
};

}  // namespace cli
