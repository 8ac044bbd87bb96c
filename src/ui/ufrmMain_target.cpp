// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: a run meets the songs already on its target. They are
// never replaced without asking: the owner keeps them (the new songs go
// after them, and none takes the place of a kept song's file), replaces
// them, or cancels, and nothing is written until then.
#include <algorithm>
#include <set>

#include "formats/product_lines.h"
#include "model/messages.h"
#include "run/target_dir.h"
#include "ui/load_report.h"
#include "ui/product_columns.h"
#include "ui/stick_view.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace {
std::string Joined(const std::vector<std::string>& numbers) {
  std::string text;
  for (const auto& n : numbers) text += (text.empty() ? "" : " ") + n;
  return text;
}
}  // namespace

bool TfrmMain::SettleExistingSongs() {
  changedByRun_ = false;
  const TTargetDir& target = *FSongList->Target();
  const TTargetDir::TContents& there = target.Contents();
  std::set<std::string>& keptFiles = keptFiles_[target.Path()];
  // A list this window loaded or wrote holds no song the grid lacks (the
  // owner may have deleted some: they go, as in any run).
  const auto& known = FSongList->FKnownLists;
  const bool listUnknown =
      there.hasVodTxt && std::find(known.begin(), known.end(), there.vod.print) == known.end();
  int listed = 0;
  std::set<std::string> named;  // the numbers the list names
  for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
    if (IsBlank(there.vod.lines[i])) continue;
    if (listUnknown) ++listed;
    if (there.vod.IsGbk(i)) named.insert(FSongList->SongNoOf(there.vod.lines[i]));
  }
  if (there.fromPart) {
    // A run that stopped half way left its list only under the temporary
    // name: that is the stick's list now.
    ShowMsg(this, ui_text::ExistingSongsCaption(),
            ui_text::ListFromPart(target.Path(), there.listName, there.partName), kMsgInformation);
  }
  bool replacing = false;
  if (listed > 0) {
    switch (AskKeepOrReplace(listed)) {
      case 0:
        if (!KeepTargetList()) return false;
        break;
      case 1:
        // Replacing: should the run not complete, the old songs no new file
        // took the place of stay listed.
        for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
          if (IsBlank(there.vod.lines[i])) continue;
          const std::string number =
              there.vod.IsGbk(i) ? FSongList->SongNoOf(there.vod.lines[i]) : "";
          FSongList->FReplacedLines.emplace_back(number, there.vod.FileLine(i));
        }
        replacing = true;
        break;
      default:
        return false;
    }
  }
  std::set<std::string> rowNumbers;
  std::set<std::string> own = keptFiles;  // numbers of files a list or the owner accounts for
  own.insert(named.begin(), named.end());
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = "66" + Trim(lvList.Cell(kColNumber, row));
    rowNumbers.insert(number);
    if (Trim(lvList.Cell(kColVideo, row)).empty()) own.insert(number);
  }
  // Files a run that did not end left; when the list is replaced its own
  // files with the same bytes are the new songs' too.
  FindSongsOnTarget(named, listUnknown && !replacing);
  own.insert(FSongList->FOnTarget.begin(), FSongList->FOnTarget.end());
  // Songs the owner deleted from the list this window knows leave the stick.
  if (!listUnknown) {
    for (const std::string& number : deletedNumbers_) {
      if (named.count(number) != 0 && rowNumbers.count(number) == 0 &&
          there.dats.count(number) != 0) {
        FSongList->FRemove.push_back(number);
      }
    }
  }
  std::vector<std::string> strays;  // .dat files of songs no list names
  for (const auto& number : there.datNumbers) {
    if (own.count(number) == 0) strays.push_back(number);
  }

  if (!strays.empty() && !AskAboutStrays(strays, keptFiles)) return false;
  if (replacing) return RebuildRunLines();
  return KeepFilesOfKeptSongs(keptFiles);
}

int TfrmMain::AskKeepOrReplace(int listed) {
  const std::string& path = FSongList->Target()->Path();
  const TQuestion question{
      TQuestion::Id::kExistingSongs,
      ui_text::ExistingSongsCaption(),
      ui_text::ExistingSongs(path, listed, 0),
      {ui_text::KeepSongsButton(), ui_text::ReplaceSongsButton(), ui_text::CancelButton()}};
  const int answer = view_.Ask(question);
  if (answer != 1) return answer;
  // The list's songs leave it: asked once more, keeping them by default.
  const TQuestion sure{
      TQuestion::Id::kConfirmReplace,
      ui_text::ConfirmReplaceCaption(),
      ui_text::ConfirmReplace(listed),
      {ui_text::KeepSongsButton(), ui_text::ReplaceSongsButton(), ui_text::CancelButton()}};
  return view_.Ask(sure);
}

void TfrmMain::FindSongsOnTarget(const std::set<std::string>& named, bool theirs) {
  const TTargetDir& target = *FSongList->Target();
  const auto& dats = target.Contents().dats;
  std::set<std::string>& found = FSongList->FOnTarget;
  std::set<std::string> numbers;  // the grid's
  for (int row = 0; row < lvList.RowCount(); ++row) {
    numbers.insert("66" + Trim(lvList.Cell(kColNumber, row)));
  }
  std::vector<int> unmatched;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    PumpMessages();
    const std::string video = Trim(lvList.Cell(kColVideo, row));
    const std::string number = "66" + Trim(lvList.Cell(kColNumber, row));
    if (video.empty()) continue;
    // A file of another list's song is that song's, whatever it holds.
    const bool listed = theirs && named.count(number) != 0;
    if (!listed && dats.count(number) != 0 && SameSongFile(*env_, target, number, video)) {
      found.insert(number);
    } else {
      unmatched.push_back(row);
    }
  }
  // A run that stopped before its list named them left files under the
  // numbers it had given: a new song whose bytes one of them holds takes its
  // number, so nothing there is copied again or renumbered.
  for (const int row : unmatched) {
    const std::int64_t size = env_->FileSize(Trim(lvList.Cell(kColVideo, row)));
    for (const auto& [number, entry] : dats) {
      if (entry.size != size || named.count(number) != 0 || numbers.count(number) != 0) continue;
      if (!SameSongFile(*env_, target, number, Trim(lvList.Cell(kColVideo, row)))) continue;
      numbers.insert(number);
      found.insert(number);
      lvList.SetCell(kColNumber, row, number.substr(2));
      changedByRun_ = true;
      break;
    }
  }
}

bool TfrmMain::AskAboutStrays(const std::vector<std::string>& strays,
                              std::set<std::string>& keptFiles) {
  const auto& dats = FSongList->Target()->Contents().dats;
  std::int64_t bytes = 0;
  for (const std::string& number : strays) bytes += dats.at(number).size;
  const TQuestion question{
      TQuestion::Id::kCleanStrays,
      ui_text::CleanStraysCaption(),
      ui_text::CleanStraysQuestion(static_cast<int>(strays.size()), FormatDiskSize(bytes)),
      {ui_text::KeepFilesButton(), ui_text::CleanFilesButton(), ui_text::CancelButton()}};
  switch (view_.Ask(question)) {
    case 0:
      keptFiles.insert(strays.begin(), strays.end());
      return true;
    case 1:
      FSongList->FRemove.insert(FSongList->FRemove.end(), strays.begin(), strays.end());
      return true;
    default:
      return false;
  }
}

bool TfrmMain::KeepTargetList() {
  const TTargetDir& target = *FSongList->Target();
  const std::string vodFile = target.Path() + "vod.txt";
  // Keeping the list is loading it, as "打开vod.txt文档" does.
  const TVodText& vod = target.Contents().vod;
  const TProductLineInfo* found = RecognizeVodText(vod);
  if (found != nullptr && found->code != FSongList->FProductLine) {
    ShowMsg(this, ui_text::ExistingSongsCaption(), ui_text::OtherProductLine(vodFile, found->name),
            kMsgWarning);
    return false;
  }
  FSongList->LoadVodText(vod, false);
  const bool goOn = AcceptLoad(
      *FSongList, vodFile, [this](const TQuestion& q) { return view_.Ask(q); },
      [this](const std::string& c, const std::string& t, int k) { ShowMsg(this, c, t, k); });
  // The records were the grid's; what the run goes on with is rebuilt below.
  changedByRun_ = true;
  if (!goOn) return false;
  // The kept songs come first, the new ones after them.
  for (int i = 0; i < FSongList->FCount; ++i) InsertLoadedRow(i, i);
  MarkAllRows();
  lvList.Repaint();
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
  // The stick's songs and the new ones in one list.
  return ListHasRoom();
}

bool TfrmMain::KeepFilesOfKeptSongs(const std::set<std::string>& keptFiles) {
  // No new song may take the place of a kept song's file: kept files that
  // no list names, and the files of the loaded songs.
  // The files a run that did not end left are kept too: their songs keep
  // their numbers.
  std::set<std::string> kept = keptFiles;
  const std::set<std::string>& onTarget = FSongList->FOnTarget;
  kept.insert(onTarget.begin(), onTarget.end());
  auto copies = [&](int row) {
    return !Trim(lvList.Cell(kColVideo, row)).empty() &&
           onTarget.count("66" + Trim(lvList.Cell(kColNumber, row))) == 0;
  };
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (!copies(row)) kept.insert("66" + Trim(lvList.Cell(kColNumber, row)));
  }
  // New songs that clash are numbered on from the highest number kept.
  int highest = -1;
  for (const auto& number : kept) {
    if (IsSongNumber(number.substr(2))) highest = std::max(highest, StrToInt(number.substr(2)));
  }
  std::vector<std::string> clashes;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (copies(row) && kept.count("66" + number) != 0) clashes.push_back(number);
  }
  if (!clashes.empty()) {
    const TQuestion question{TQuestion::Id::kRenumber,
                             ui_text::RenumberCaption(),
                             ui_text::RenumberQuestion(Joined(clashes), FourDigits(highest + 1)),
                             {ui_text::RenumberButton(), ui_text::CancelButton()}};
    if (view_.Ask(question) != 0) return false;
    // The new songs, in grid order, numbered on from the highest number.
    int next = highest + 1;
    for (int row = 0; row < lvList.RowCount(); ++row) {
      if (copies(row)) lvList.SetCell(kColNumber, row, FourDigits(next++));
    }
    FSongList->FNextNo = 660000 + next;
    changedByRun_ = true;
  }
  return RebuildRunLines();
}

bool TfrmMain::RebuildRunLines() {
  if (!changedByRun_) return true;
  changedByRun_ = false;
  GridToSongs();
  const TBaseSong::TPrepared lines = FSongList->MakeLines();
  if (lines.result == 6) ShowMsg(this, msg::SaveFailedCaption(), lines.message, kMsgError);
  return lines.result == 0;
}
