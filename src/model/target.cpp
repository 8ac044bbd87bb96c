// SPDX-License-Identifier: GPL-3.0-or-later
// The song list's side of a run: the target folder and the songs and lines
// it hands to the run (run/run.h), which writes them.
#include <utility>

#include "model/errors.h"
#include "model/messages.h"
#include "model/uclsSong.h"
#include "platform/env.h"
#include "run/copy.h"
#include "run/target_dir.h"

namespace {
bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}
}  // namespace

// The window side of a run without an observer of its own: progress posted
// to the window, its loop let run, RequestCancel heard.
class TBaseSong::TWindowRun final : public IRunObserver {
 public:
  TWindowRun(TBaseSong& list, TFileCopyProc onFileCopy = nullptr)
      : list_(list), onFileCopy_(std::move(onFileCopy)) {}
  void CopyStarted(int, int, const std::string& source, const std::string& dest) override {
    if (onFileCopy_) onFileCopy_(source, dest);
  }
  void CheckStarted(int, int, const std::string&, std::int64_t, std::int64_t) override {}
  void Progress(int percent) override { list_.Notify(WM_COPYPROGRESS, percent); }
  bool Cancelled() override {
    list_.PumpMessages();
    return std::exchange(list_.FCancelRequested, false);
  }

 private:
  TBaseSong& list_;
  TFileCopyProc onFileCopy_;
};

std::string TBaseSong::FindUsbVodDir() {
  return UsbVodFolder(*Env());
}

TBaseSong::TPrepared TBaseSong::PrepareTarget(bool useUsb, const TDirProc& dirProc) {
  CloseTarget();
  FTargetDir = useUsb ? FindUsbVodDir() : std::string();
  if (FTargetDir.empty() && dirProc) FTargetDir = dirProc();
  if (FTargetDir.empty()) return {1, ""};
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();
  try {
    FTarget = NewTarget(FTargetDir);
    FTarget->Inspect();
    FTargetDir = FTarget->Path();
  } catch (const std::exception& error) {
    CloseTarget();
    return {6, msg::TextOf(error)};
  }
  return MakeLines();
}

TBaseSong::TPrepared TBaseSong::MakeLines() {
  FLines.clear();
  try {
    return {static_cast<std::uint8_t>(BuildLines()), ""};
  } catch (const std::exception& error) {
    return {6, msg::TextOf(error)};
  }
}

void TBaseSong::CloseTarget() {
  FTarget.reset();
}

std::unique_ptr<TTargetDir> TBaseSong::NewTarget(const std::string& path) {
  return std::make_unique<TTargetDir>(*env_, path,
                                      [this](const std::string& line) { return SongNoOf(line); });
}

TRunPlan TBaseSong::Plan(bool verify) const {
  TRunPlan plan;
  for (int i = 0; i < FCount; ++i) {
    const TBaseSongData& song = *const_cast<TBaseSong*>(this)->GetSong(i);
    TRunSong run{song.SongNo, song.SongName, song.VideoFile};
    run.onTarget = !song.VideoFile.empty() && FOnTarget.count(song.SongNo) != 0;
    plan.songs.push_back(run);
  }
  plan.remove = FRemove;
  plan.lines = FLines;
  plan.encode = [this](const TStringList& lines) { return EncodeVod(lines); };
  plan.keptLines = FKeptLines;
  plan.replacedLines = FReplacedLines;
  plan.needSize = FNeedSize;
  plan.verify = verify;
  return plan;
}

TRunOutcome TBaseSong::CopyToTarget(bool verify) {
  TWindowRun window(*this);
  return CopyToTarget(window, verify);
}

TRunOutcome TBaseSong::CopyToTarget(IRunObserver& observer, bool verify) {
  FCancelRequested = false;
  // A run of songs all kept from the list (the owner deleted some) copies
  // nothing and needs no source folder.
  bool copies = FCount == 0;
  for (int i = 0; i < FCount; ++i) copies = copies || !GetSong(i)->VideoFile.empty();
  if ((copies && FSourceDir.empty()) || FTargetDir.empty()) {
    TRunOutcome refused;
    refused.end = TRunOutcome::TEnd::kRefused;
    refused.message = msg::BadSongDirs();
    return refused;
  }
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();
  if (!FSourceDir.empty() && !EndsWithSeparator(FSourceDir)) {
    FSourceDir += Env()->PathSeparator();
  }
  // The target is held for this copy only; another call looks at it anew.
  struct Release {
    TBaseSong& list;
    ~Release() { list.CloseTarget(); }
  } release{*this};
  if (!FTarget || FTarget->Path() != FTargetDir) {
    try {
      FTarget = NewTarget(FTargetDir);
      FTarget->Inspect();
      FTargetDir = FTarget->Path();
    } catch (const std::exception& error) {
      TRunOutcome refused;
      refused.end = TRunOutcome::TEnd::kRefused;
      refused.message = msg::TextOf(error);
      return refused;
    }
  }
  const TRunOutcome outcome = RunOnto(*Env(), *FTarget, Plan(verify), observer,
                                      [this](const std::string& line) { return SongNoOf(line); });
  FKnownLists.insert(FKnownLists.end(), outcome.listsWritten.begin(), outcome.listsWritten.end());
  if (outcome.end == TRunOutcome::TEnd::kDone) FTargetDir.clear();
  return outcome;
}

std::int64_t TBaseSong::RoomNeeded(std::int64_t unit) {
  return ::RoomNeeded(*Env(), *FTarget, Plan(true), unit,
                      [this](const std::string& line) { return SongNoOf(line); });
}

bool TBaseSong::CopiesSong(int i) const {
  const TBaseSongData& song = *const_cast<TBaseSong*>(this)->GetSong(i);
  return !song.VideoFile.empty() && FOnTarget.count(song.SongNo) == 0;
}

int TBaseSong::SongsToCopy() const {
  return SongsCopied(Plan(true).songs);
}

void TBaseSong::CopyIntoFolder(const std::string& targetDir, const TFileCopyProc& onFileCopy) {
  TWindowRun window(*this, onFileCopy);
  std::unique_ptr<TTargetDir> own;
  TTargetDir* target = FTarget.get();
  if (target == nullptr || target->Path() != targetDir) {
    // Called on its own: the folder is looked at, made and held for this copy.
    own = NewTarget(targetDir);
    own->Inspect();
    target = own.get();
  }
  TRunOutcome outcome;
  std::vector<TWrittenFile> written;
  CopySongs(*Env(), *target, target->Path(), Plan(false).songs, window, outcome, written);
}
