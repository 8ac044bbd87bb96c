// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the add-songs run ("开始加歌") with its callbacks and the
// copy panel.
#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "model/errors.h"
#include "model/messages.h"
#include "platform/env.h"
#include "run/target_dir.h"
#include "ui/product_columns.h"
#include "ui/ufrmMain.h"
#include "ui/ufrmRestoreList.h"
#include "ui/ui_texts.h"

// The copy panel follows the run, and its 取消 stops it.
class TfrmMain::TCopyPanelRun final : public IRunObserver {
 public:
  explicit TCopyPanelRun(TfrmMain& form) : form_(form) {}
  void CopyStarted(int, int, const std::string& source, const std::string& dest) override {
    form_.ShowCopyFile(source, dest);
  }
  void CheckStarted(int index, int count, const std::string& path, std::int64_t bytes,
                    std::int64_t allBytes) override {
    form_.ShowReadBackFile(path, index, count, bytes, allBytes);
  }
  void Progress(int percent) override { form_.PostNotify(WM_COPYPROGRESS, percent); }
  bool Cancelled() override {
    form_.PumpMessages();
    return std::exchange(form_.cancelRequested_, false);
  }

 private:
  TfrmMain& form_;
};

void TfrmMain::btnCompleteClick() {
  if (Busy() || FSongList == nullptr) return;
  // No video goes onto the stick before it was looked at.
  AwaitMedia();
  {
    TBusy busy(*this);
    // What the run changes in the grid (renumbered songs, repeats left out)
    // the owner can undo; what it wrote stays.
    TUndoStep step(*this, ui_text::RunStep());
    FLastRun = TRunResult::kRefused;
    Guarded([&] {
      if (!GridReadyForRun()) return;
      // The target is held (and locked) from here to the end of the run.
      struct TargetHeld {
        TBaseSong& list;
        ~TargetHeld() { list.CloseTarget(); }
      } held{*FSongList};
      const std::optional<bool> onUsb = ChooseTarget();
      if (onUsb) CopyAndReport(*onUsb);
    });
    copying_ = false;
  }
  if (closeAfterRun_) {
    // Asked once: the window closes without asking again.
    closeAfterRun_ = false;
    closeNow_ = true;
    view_.CloseWindow();
    return;
  }
  LookAtStick();
}

bool TfrmMain::GridReadyForRun() {
  if (NewSongCount() > kMaxSongs) {
    ShowMsg(this, ui_text::RunErrorCaption(), ui_text::TooManySongs(), kMsgError);
    return false;
  }
  if (!ListHasRoom()) return false;
  FSongList->FReplacedLines.clear();
  FSongList->FOnTarget.clear();
  FSongList->FRemove.clear();
  // Every song must be complete before the owner is asked where to.
  if (!NoProblems()) return false;
  GridToSongs();
  if (!SongsComplete() || !DuplicatesAccepted()) return false;
  FSongList->FNeedSize = FTotalSize;
  return lvList.RowCount() > 0;
}

bool TfrmMain::NoProblems() {
  MarkAllRows();
  struct TProblem {
    int row, col;
    std::string what;
  };
  std::vector<TProblem> problems;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (const TMark& mark = lvList.Mark(kColNumber, row); mark.kind == TCellMark::kInvalid) {
      problems.push_back({row, kColNumber, mark.tip});
    }
    if (!lvList.Unchanged(row)) {
      for (const int col : EmptyColumns(row))
        problems.push_back({row, col, ui_text::EmptyProblem()});
    }
    const std::string video = Trim(lvList.Cell(kColVideo, row));
    if (!video.empty() && env_->FileSize(video) < 0) {
      problems.push_back({row, kColVideo, ui_text::NoVideoProblem()});
    }
  }
  if (problems.empty()) return true;
  constexpr std::size_t kShown = 20;
  std::string lines;
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) {
    const TProblem& p = problems[i];
    lines += ui_text::ProblemLine(p.row + 1, Trim(lvList.Cell(kColNumber, p.row)),
                                  lvList.Column(p.col).caption, p.what) +
             "\r\n";
  }
  const int more = static_cast<int>(problems.size() > kShown ? problems.size() - kShown : 0);
  ShowMsg(this, ui_text::ProblemsCaption(), ui_text::ProblemsText(lines, more), kMsgError);
  lvList.SetCurrent(problems.front().col, problems.front().row);
  return false;
}

std::optional<bool> TfrmMain::ChooseTarget() {
  std::uint8_t toUsb = 0;
  {
    TDialogUse hint(frmSaveHint);
    hint->FormCreate();
    view_.ShowModal(*hint);
    if (hint->FCancelled) return std::nullopt;  // closed: nothing is written anywhere
    toUsb = hint->FToUsb;
  }
  // Without the USB disk the owner is told so before choosing a folder.
  const bool noUsb = toUsb == 1 && FSongList->FindUsbVodDir().empty();
  const TBaseSong::TPrepared prepared = FSongList->PrepareTarget(toUsb == 1, [this, noUsb] {
    if (noUsb) ShowMsg(this, msg::FindUsbCaption(), msg::NoUsbDisk(), kMsgWarning);
    return ChooseSaveFolder();
  });
  if (prepared.result == 6) {
    ShowMsg(this, msg::SaveFailedCaption(), prepared.message, kMsgError);
  }
  if (prepared.result != 0) return std::nullopt;
  // The songs go onto the USB disk when its folder is the target (also
  // when the owner chose it through the folder browser).
  const std::string usb = FSongList->FindUsbVodDir();
  const bool onUsb = !usb.empty() && LowerAscii(usb) == LowerAscii(FSongList->FTargetDir);
  runTarget_ = FSongList->FTargetDir;
  if (!onUsb) lastTarget_ = runTarget_;
  if (!SettleExistingSongs()) return std::nullopt;
  if (onUsb) view_.UsbDiskChosen(ExtractFolder(usb.substr(0, usb.size() - 1)));
  return onUsb;
}

void TfrmMain::CopyAndReport(bool onUsb) {
  SetControlsEnabled(false);
  copying_ = true;
  cancelRequested_ = false;
  Panel = TCopyPanel();
  Panel.songs = FSongList->SongsToCopy();  // the panel counts only the songs copied
  std::int64_t runBytes = 0;
  for (int i = 0; i < FSongList->FCount; ++i) {
    if (!FSongList->CopiesSong(i)) continue;
    runBytes += std::max<std::int64_t>(env_->FileSize(FSongList->GetSong(i)->VideoFile), 0);
  }
  progress_.StartPhase(Panel.songs, runBytes, TRunProgress::TClock::now());
  TCopyPanelRun panel(*this);
  const TRunOutcome outcome = FSongList->CopyToTarget(panel, verifyCopies_);
  copying_ = false;
  Panel.visible = false;
  Panel.animating = false;
  ChangePanel();
  SetControlsEnabled(true);
  ReportRun(outcome, onUsb);
}

bool TfrmMain::SongsComplete() {
  FSongList->FLines.clear();
  try {
    FSongList->BuildLines();
  } catch (const TSongRefused& refused) {
    const int row = refused.index;
    const int col = ColumnOfField(refused.field);
    std::string text = msg::TextOf(refused) + "\r\n" +
                       ui_text::SongWhere(row + 1, Trim(lvList.Cell(kColNumber, row)),
                                          ExtractName(Trim(lvList.Cell(kColVideo, row))));
    if (col >= 0) text += ui_text::EmptyColumn(lvList.Column(col).caption);
    ShowMsg(this, msg::SaveFailedCaption(), text, kMsgError);
    lvList.SetCurrent(col >= 0 ? col : kColTitle, row);
    return false;
  }
  FSongList->FLines.clear();
  return true;
}

void TfrmMain::GridToSongs() {
  FSongList->ClearSongs();
  for (int row = 0; row < lvList.RowCount(); ++row) {
    PumpMessages();
    const auto record = product_->RowToRecord(lvList, row, *FSongList);
    // A loaded song the owner left as it was goes back as its own line.
    const TRowOrigin* origin = lvList.Origin(row);
    FSongList->PutSong(record.get(), lvList.Unchanged(row) ? origin->line : std::string());
  }
}

TStringList TfrmMain::ListLines() {
  GridToSongs();
  FSongList->FLines.clear();
  FSongList->BuildLines();
  return std::exchange(FSongList->FLines, {});
}

void TfrmMain::SetControlsEnabled(bool enabled) {
  view_.SetButtonEnabled(TMainButton::kAdd, enabled);
  view_.SetButtonEnabled(TMainButton::kComplete, enabled);
  view_.SetButtonEnabled(TMainButton::kClose, enabled);
  view_.SetButtonEnabled(TMainButton::kRestore, enabled);
  lvList.SetEnabled(enabled);
}

void TfrmMain::CancelCopy() {
  if (!copying_ || FSongList == nullptr) return;
  Panel.cancelling = true;
  ChangePanel();
  cancelRequested_ = true;
}

void TfrmMain::ReportRun(const TRunOutcome& outcome, bool onUsb) {
  std::vector<TReportedSong> songs;
  for (int i = 0; i < FSongList->FCount; ++i) {
    const TBaseSongData& song = *FSongList->GetSong(i);
    songs.push_back({song.SongNo, song.SongName, FSongList->CopiesSong(i)});
  }
  const TRunReport report = ReportOf(outcome, songs, verifyCopies_, onUsb);
  // Files the run removed are gone: nothing to remove or keep of them again.
  std::set<std::string>& keptFiles = keptFiles_[runTarget_];
  for (const std::string& number : outcome.removed) {
    deletedNumbers_.erase(number);
    removedByRun_.insert(number);
    keptFiles.erase(number);
  }
  FLastRun = report.result;
  if (report.result == TRunResult::kDone) uncopied_ = false;
  if (report.result == TRunResult::kLowSpace) {
    ShowLowSpace(outcome.drive, outcome.need, outcome.free);
  } else {
    ShowMsg(this, report.caption, report.text, report.kind);
  }
}

void TfrmMain::btnRestoreClick() {
  if (Busy() || FSongList == nullptr) return;
  TBusy busy(*this);
  Guarded([&] {
    // The stick: the USB disk's vod folder, or the folder the owner chooses.
    std::string target = FSongList->FindUsbVodDir();
    if (target.empty()) target = ChooseSaveFolder();
    if (target.empty()) return;
    TfrmRestoreList restore(
        env_, [this](const TQuestion& q) { return view_.Ask(q); },
        [this](const std::string& c, const std::string& t, int k) { ShowMsg(this, c, t, k); });
    restore.Offer(target);
  });
}

// ---- Callbacks of the run ----

std::string TfrmMain::ChooseSaveFolder() {
  const auto chosen = view_.ChooseFolder(ui_text::ChooseFolderPrompt(), StickStart());
  if (!chosen || chosen->empty()) return "";
  const char separator = env_->PathSeparator();
  if (IsVodFolder(*env_, *chosen)) {
    // The stick's own vod folder: its songs are there, never in vod/vod.
    const TQuestion question{TQuestion::Id::kVodFolderChosen,
                             ui_text::ChooseFolderPrompt(),
                             ui_text::VodFolderChosenQuestion(),
                             {ui_text::StoreHereButton(), ui_text::CancelButton()}};
    if (view_.Ask(question) != 0) return "";
    const bool ends = !chosen->empty() && (chosen->back() == '/' || chosen->back() == '\\');
    return ends ? *chosen : *chosen + separator;
  }
  // Made by the copy, once every check passed: a refused run makes nothing.
  return VodFolderIn(*chosen, separator);
}

void TfrmMain::ShowCopyFile(const std::string& source, const std::string& dest) {
  if (!Panel.visible) {
    Panel.percent = 0;
    Panel.visible = true;
  }
  Panel.animating = true;
  Panel.from = source;
  Panel.to = dest;
  ++Panel.song;
  progress_.StartFile(source.empty() ? 0 : env_->FileSize(source));
  FollowRunProgress(0);
  ChangePanel();
  PumpMessages();
}

void TfrmMain::ShowReadBackFile(const std::string& path, int index, int count, std::int64_t bytes,
                                std::int64_t allBytes) {
  if (!Panel.checking) {
    // The check is a phase of its own: its files, bar and time left. After
    // a cancel it checks what was copied, so that the list can name it.
    Panel.checking = true;
    Panel.cancelling = false;
    Panel.songs = count;
    progress_.StartPhase(count, allBytes, TRunProgress::TClock::now());
  }
  Panel.visible = true;
  Panel.animating = true;
  Panel.from = path;
  Panel.to.clear();
  Panel.song = index + 1;
  Panel.percent = 0;
  progress_.StartFile(bytes);
  FollowRunProgress(0);
  ChangePanel();
  PumpMessages();
}

void TfrmMain::WMCopyProgress(std::int64_t percent) {
  if (!copying_) return;  // a late message of a run that has ended
  // The panel changes only when what it shows does: at most a hundred times
  // a file and once a second for the time left, never once per chunk.
  const TCopyPanel before = Panel;
  Panel.percent = static_cast<int>(percent);
  FollowRunProgress(Panel.percent);
  if (Panel.percent != before.percent || Panel.overall != before.overall ||
      Panel.timeLeft != before.timeLeft) {
    ChangePanel();
  }
}

void TfrmMain::FollowRunProgress(int percent) {
  Panel.overall = progress_.Overall(percent);
  const auto seconds = progress_.SecondsLeft(percent, TRunProgress::TClock::now());
  Panel.timeLeft = seconds ? ui_text::TimeLeft(*seconds) : std::string();
}

void TfrmMain::ShowLowSpace(const std::string& drive, const std::string& need,
                            const std::string& free) {
  TDialogUse dialog(frmDiskFree);
  dialog->SetDrive(drive);
  dialog->SetNeedText(need);
  dialog->SetFreeText(free);
  view_.ShowModal(*dialog);
}

void TfrmMain::ChangePanel() {
  view_.CopyPanelChanged(Panel);
}
