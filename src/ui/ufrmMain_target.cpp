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
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace {
std::string Joined(const std::vector<std::string>& numbers) {
  std::string text;
  for (const auto& n : numbers) text += (text.empty() ? "" : " ") + n;
  return text;
}

std::string FourDigits(int number) {
  std::string text = std::to_string(number % 10000);
  return std::string(4 - text.size(), '0') + text;
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
  std::set<std::string> own = keptFiles;  // numbers of files a list or the owner accounts for
  for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
    if (IsBlank(there.vod.lines[i])) continue;
    if (listUnknown) ++listed;
    if (there.vod.IsGbk(i)) own.insert(FSongList->SongNoOf(there.vod.lines[i]));
  }
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (Trim(lvList.Cell(kColVideo, row)).empty())
      own.insert("66" + Trim(lvList.Cell(kColNumber, row)));
  }
  std::vector<std::string> strays;  // .dat files of songs no list names
  for (const auto& number : there.datNumbers) {
    if (own.count(number) == 0) strays.push_back(number);
  }

  if (there.fromPart) {
    // A run that stopped half way left its list only under the temporary
    // name: that is the stick's list now.
    ShowMsg(this, ui_text::ExistingSongsCaption(),
            ui_text::ListFromPart(target.Path(), there.listName, there.partName), kMsgInformation);
  }
  if (listed > 0 || !strays.empty()) {
    const TQuestion question{
        TQuestion::Id::kExistingSongs,
        ui_text::ExistingSongsCaption(),
        ui_text::ExistingSongs(target.Path(), listed, static_cast<int>(strays.size())),
        {ui_text::KeepSongsButton(), ui_text::ReplaceSongsButton(), ui_text::CancelButton()}};
    int answer = view_.Ask(question);
    if (answer == 1 && listed > 0) {
      // The list's songs leave it: asked once more, keeping them by default.
      const TQuestion sure{
          TQuestion::Id::kConfirmReplace,
          ui_text::ConfirmReplaceCaption(),
          ui_text::ConfirmReplace(listed),
          {ui_text::KeepSongsButton(), ui_text::ReplaceSongsButton(), ui_text::CancelButton()}};
      answer = view_.Ask(sure);
    }
    switch (answer) {
      case 0:
        if (listed > 0 && !KeepTargetList()) return false;
        keptFiles.insert(strays.begin(), strays.end());
        break;
      case 1:
        // Replacing: should the run not complete, the old songs no new file
        // took the place of stay listed.
        for (std::size_t i = 0; listUnknown && i < there.vod.lines.size(); ++i) {
          if (IsBlank(there.vod.lines[i])) continue;
          const std::string number =
              there.vod.IsGbk(i) ? FSongList->SongNoOf(there.vod.lines[i]) : "";
          FSongList->FReplacedLines.emplace_back(number, there.vod.FileLine(i));
        }
        return true;
      default:
        return false;
    }
  }
  return KeepFilesOfKeptSongs(keptFiles);
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
  lvList.Repaint();
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
  return true;
}

bool TfrmMain::KeepFilesOfKeptSongs(const std::set<std::string>& keptFiles) {
  // No new song may take the place of a kept song's file: kept files that
  // no list names, and the files of the loaded songs.
  std::set<std::string> kept = keptFiles;
  int highest = -1;
  for (const auto& number : keptFiles) highest = std::max(highest, StrToInt(number.substr(2)));
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (IsSongNumber(number)) highest = std::max(highest, StrToInt(number));
    if (Trim(lvList.Cell(kColVideo, row)).empty()) kept.insert("66" + number);
  }
  std::vector<std::string> clashes;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (!Trim(lvList.Cell(kColVideo, row)).empty() && kept.count("66" + number) != 0) {
      clashes.push_back(number);
    }
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
      if (Trim(lvList.Cell(kColVideo, row)).empty()) continue;
      lvList.SetCell(kColNumber, row, FourDigits(next++));
    }
    FSongList->FNextNo = 660000 + next;
    changedByRun_ = true;
  }
  if (!changedByRun_) return true;
  changedByRun_ = false;
  GridToSongs();
  const TBaseSong::TPrepared lines = FSongList->MakeLines();
  if (lines.result == 6) ShowMsg(this, msg::SaveFailedCaption(), lines.message, kMsgError);
  return lines.result == 0;
}
