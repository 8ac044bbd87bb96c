// SPDX-License-Identifier: GPL-3.0-or-later
// Test doubles of the forms' views: a main window whose message queue the
// test drains, whose boxes and statuses are recorded, and whose dialogs are
// "shown" by scripts the test sets (each script plays the user in the
// dialog: clicks its buttons, types its number, picks files).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "ui/queued_main_view.h"
#include "ui/uAddNewSong.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ufrmDiskFree.h"
#include "ui/ufrmLogin.h"
#include "ui/ufrmMain.h"
#include "ui/ufrmSaveHint.h"
#include "ui/views.h"

class FakeMainView : public TQueuedMainView,
                     public ILoginView,
                     public IAddNewSongView,
                     public IDiskFreeView,
                     public IBatchEditView {
 public:
  // ---- What the test reads ----
  std::string caption;
  std::string status;
  std::vector<std::string> statuses;  // every status text, in order
  std::string mediaText;              // the status bar's media part
  std::vector<ShownBox> boxes;
  std::vector<TStickView> sticks;              // what the strip showed, in order
  std::vector<std::string> plainMessages;      // of the new-song dialog
  bool enabled[4] = {true, true, true, true};  // add, complete, close, restore
  std::vector<TCopyPanel> panels;              // every copy-panel change
  bool closed = false;
  int numberFocused = 0;
  std::vector<std::string> numberTexts;  // SetNumberText calls

  // ---- What the test scripts ----
  std::function<void(TfrmLogin&)> onLogin;
  std::function<void(TfrmAddNewSong&)> onAddNewSong;
  std::function<void(TfrmSaveHint&)> onSaveHint;
  std::function<void(TfrmDiskFree&)> onDiskFree;
  std::function<void(TfrmBatchEdit&)> onBatchEdit;
  std::optional<std::string> savePath;    // the save-file dialog's answer
  std::optional<std::string> openPath;    // the main window's open-file dialog's answer
  int previews = 0;                       // PreviewChanged calls
  std::optional<std::string> chosenFile;  // the login's open dialog
  std::optional<std::vector<std::string>> chosenFiles;  // the new-song file dialog
  std::optional<std::string> chosenFolder;              // the folder browser
  std::function<void()> onChooseFolder;                 // runs when the browser shows
  std::vector<std::string> foldersOffered;              // the folder each file dialog opened in
  // The button chosen for each question (default: the first); every
  // question asked, in order.
  std::map<TQuestion::Id, int> answers;
  std::vector<TQuestion> questions;
  std::function<void()> onProcess;  // runs on every ProcessMessages, e.g. to cancel mid-copy

  // ---- IMainView ----
  void SetCaption(const std::string& text) override { caption = text; }
  void SetStatusText(const std::string& text) override {
    status = text;
    statuses.push_back(text);
  }
  void SetMediaText(const std::string& text) override { mediaText = text; }
  void SetButtonEnabled(TMainButton button, bool on) override {
    enabled[static_cast<int>(button)] = on;
  }
  void CopyPanelChanged(const TCopyPanel& panel) override { panels.push_back(panel); }
  // As a window's close does: the form is asked whether it may close.
  void CloseWindow() override { closed = Form() == nullptr || Form()->FormCloseQuery(); }
  void StickChanged(const TStickView& stick) override { sticks.push_back(stick); }
  void ProcessMessages() override {
    if (onProcess) {
      const auto hook = onProcess;  // the hook may replace itself
      hook();
    }
    Drain();
  }
  void ShowBox(const std::string& caption_, const std::string& text, int kind) override {
    boxes.push_back({caption_, text, kind});
  }
  int Ask(const TQuestion& question) override {
    questions.push_back(question);
    const auto answer = answers.find(question.id);
    return answer == answers.end() ? 0 : answer->second;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string& start) override {
    foldersOffered.push_back(start);
    if (onChooseFolder) onChooseFolder();
    return chosenFolder;
  }
  void ShowModal(TfrmLogin& f) override {
    f.SetView(this);
    if (onLogin) onLogin(f);
    f.SetView(nullptr);
  }
  void ShowModal(TfrmAddNewSong& f) override {
    f.SetView(this);
    f.FormActivate();
    if (onAddNewSong) onAddNewSong(f);
    f.SetView(nullptr);
  }
  void ShowModal(TfrmSaveHint& f) override {
    f.SetView(static_cast<ILoginView*>(this));
    if (onSaveHint) onSaveHint(f);
    f.SetView(nullptr);
  }
  void ShowModal(TfrmDiskFree& f) override {
    f.SetView(this);
    if (onDiskFree) onDiskFree(f);
    f.SetView(nullptr);
  }
  void ShowModal(TfrmBatchEdit& f) override {
    f.SetView(this);
    if (onBatchEdit) onBatchEdit(f);
    f.SetView(nullptr);
  }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&,
                                            const std::string&) override {
    return savePath;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override {
    return openPath;
  }
  void PreviewChanged() override { ++previews; }

  // ---- The dialogs' views ----
  void Close() override {}
  std::optional<std::string> ChooseFile(const std::string&, const std::string&,
                                        const std::string& start) override {
    foldersOffered.push_back(start);
    return chosenFile;
  }
  void SetNumberText(const std::string& text) override { numberTexts.push_back(text); }
  void FocusNumber() override { ++numberFocused; }
  void ShowMessage(const std::string&, const std::string& text) override {
    plainMessages.push_back(text);
  }
  std::optional<std::vector<std::string>> ChooseFiles(const std::string& folder,
                                                      const std::string&) override {
    foldersOffered.push_back(folder);
    return chosenFiles;
  }
  void LabelsChanged() override {}
};
