// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_report.h"

#include "model/messages.h"
#include "model/window_side.h"
#include "text/gbk.h"
#include "text/uPublic.h"
#include "ui/ui_texts.h"

namespace {

bool Flag(const std::vector<bool>& flags, std::size_t i) {
  return i < flags.size() && flags[i];
}

void AddNumber(std::string& to, const std::string& number) {
  to += (to.empty() ? "" : " ") + number;
}

// What the run did besides copying: songs it found on the stick already,
// files it removed; "" when neither.
std::string Besides(const TRunOutcome& outcome) {
  std::string text;
  auto line = [&text](const std::string& more) { text += "\r\n" + more; };
  if (!outcome.alreadyThere.empty()) {
    std::string songs;
    for (const std::string& song : outcome.alreadyThere)
      songs += (songs.empty() ? std::string() : Gbk(u8"；")) + song;
    line(ui_text::AlreadyThereLine(songs));
  }
  if (!outcome.removed.empty()) {
    line(ui_text::RemovedLine(static_cast<int>(outcome.removed.size()),
                              FormatDiskSize(outcome.removedBytes)));
  }
  if (!outcome.notRemoved.empty()) {
    std::string numbers;
    for (const std::string& number : outcome.notRemoved) AddNumber(numbers, number);
    line(ui_text::NotRemovedLine(numbers));
  }
  return text;
}

// A run that stopped: which songs are listed now, which were copied but are
// not listed (not read back) and which were not copied.
TRunReport StoppedReport(const TRunOutcome& outcome, const std::vector<TReportedSong>& songs,
                         bool verified) {
  if (outcome.failed < 0 && !outcome.changed && !outcome.listShortened && outcome.removed.empty()) {
    // Stopped before a file on the target was touched.
    return {TRunResult::kFailed, ui_text::FailedCaption(), outcome.message, kMsgError};
  }
  ui_text::TCopyReport report;
  for (std::size_t i = 0; i < songs.size(); ++i) {
    if (!songs[i].copied) continue;  // kept as it was
    if (!Flag(outcome.complete, i)) {
      AddNumber(report.notCopied, songs[i].number);
    } else if (!outcome.vodWritten || (verified && !Flag(outcome.checked, i))) {
      AddNumber(report.unlisted, songs[i].number);
    } else {
      AddNumber(report.listed, songs[i].number);
    }
  }
  report.cancelled = outcome.cancelled;
  report.checking = outcome.checking;
  report.reason = outcome.message;
  if (outcome.failed >= 0 && static_cast<std::size_t>(outcome.failed) < songs.size()) {
    const TReportedSong& failed = songs[static_cast<std::size_t>(outcome.failed)];
    report.song = failed.number + " " + failed.title;
  }
  using TList = ui_text::TCopyReport::TList;
  report.list = outcome.vodWritten         ? TList::kCompleteSongs
                : outcome.listShortened    ? TList::kShortened
                : !outcome.removed.empty() ? TList::kWithoutRemoved
                                           : TList::kUnchanged;
  return {TRunResult::kFailed, ui_text::FailedCaption(),
          ui_text::CopyFailureReport(report) + Besides(outcome),
          report.cancelled ? kMsgWarning : kMsgError};
}

}  // namespace

TRunReport ReportOf(const TRunOutcome& outcome, const std::vector<TReportedSong>& songs,
                    bool verified, bool onUsb) {
  using TEnd = TRunOutcome::TEnd;
  switch (outcome.end) {
    case TEnd::kDone: {
      const std::string pull = onUsb ? "\r\n" + ui_text::StickCanBeRemoved() : "";
      return {TRunResult::kDone, ui_text::DoneCaption(),
              ui_text::DoneText() + Besides(outcome) + pull, kMsgInformation};
    }
    case TEnd::kLowSpace:
      return {TRunResult::kLowSpace, "", "", 0};
    case TEnd::kRefused:
      // Refused before anything was written.
      return {TRunResult::kRefused, ui_text::FailedCaption(), outcome.message, kMsgError};
    case TEnd::kDiffers:
      // Written and flushed, but the stick did not keep it: the list did
      // not take the new songs.
      return {TRunResult::kFailed, msg::ReadBackFailedCaption(), outcome.message, kMsgError};
    case TEnd::kUnreadable:
      return {TRunResult::kFailed, msg::StickGoneCaption(), outcome.message, kMsgError};
    case TEnd::kStopped:
      break;
  }
  return StoppedReport(outcome, songs, verified);
}
