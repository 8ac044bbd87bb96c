// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: adding songs from video files through the new-song
// dialog or by dropping them onto the grid.
#include <algorithm>
#include <set>

#include "model/messages.h"
#include "platform/env.h"
#include "ui/grid_rules.h"
#include "ui/product_columns.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"
#include "ui/videos_to_add.h"

void TfrmMain::btnAddClick() {
  if (Busy() || FSongList == nullptr) return;
  TBusy busy(*this);
  TUndoStep step(*this, ui_text::AddStep());
  Guarded([&] {
    TDialogUse dialog(frmAddNewSong);
    dialog->FormCreate();
    FollowGridNumbers();
    // One number is taken only to be proposed; the dialog's number resets
    // the counter, so the first file gets it.
    dialog->FNumber = FSongList->NextSongNo().substr(2, 4);
    dialog->FFolder = FSongList->FSourceDir;
    dialog->FNameOrder = nameOrder_;
    view_.ShowModal(*dialog);
    nameOrder_ = dialog->FNameOrder;
    FSongList->SetStartNumber(dialog->FNumber);
    FSongList->FSourceDir = dialog->FFolder;
    const TStringList files = VideosToAdd(dialog->FFiles);
    if (!RoomForRows(static_cast<int>(files.size()))) return;
    for (const auto& file : files) {
      PumpMessages();
      AddSongFile(file);
    }
  });
  // Files left out: told at once, or with those the probes refuse, once they are done.
  TellRefusedFiles();
}

void TfrmMain::AddDroppedFiles(const TStringList& dropped) {
  if (Busy() || FSongList == nullptr || !lvList.Enabled() || dropped.empty()) return;
  TBusy busy(*this);
  TUndoStep step(*this, ui_text::AddStep());
  Guarded([&] {
    const TStringList files = VideosToAdd(dropped);
    if (files.empty() || !RoomForRows(static_cast<int>(files.size()))) return;
    // The number "添加歌曲" would propose, kept as the user would keep it.
    FollowGridNumbers();
    FSongList->SetStartNumber(FSongList->NextSongNo().substr(2, 4));
    FSongList->FSourceDir = ExtractFolder(files.back());
    for (const auto& file : files) {
      PumpMessages();
      AddSongFile(file);
    }
  });
  TellRefusedFiles();
}

TStringList TfrmMain::VideosToAdd(const TStringList& chosen) {
  std::set<std::string> taken;
  for (int row = 0; row < lvList.RowCount(); ++row) taken.insert(lvList.Cell(kColVideo, row));
  const TVideosToAdd videos = ::VideosToAdd(chosen, taken, nameOrder_, kLargestVideo, *env_);
  refusedFiles_ += videos.refused;
  return videos.files;
}

void TfrmMain::FollowGridNumbers() {
  FSongList->FNextNo = ProposedNo();
}

std::int32_t TfrmMain::ProposedNo() const {
  // The counter keeps what the owner typed last (and "0000" after clearing);
  // songs in the grid with higher numbers, loaded ones among them, and the
  // stick's list move it on.
  std::int32_t next = FSongList->FNextNo;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (IsSongNumber(number)) next = std::max(next, 660000 + StrToInt(number) + 1);
  }
  if (stickLook_.highest >= 0 && !stickLook_.view.trouble) {
    next = std::max(next, 660000 + stickLook_.highest + 1);
  }
  return next;
}

void TfrmMain::AddSongFile(const std::string& path) {
  if (FSongList == nullptr) return;
  TBaseSongData names;
  ParseSongFileName(path, names, nameOrder_);
  lvList.AppendRows(1);
  const int row = lvList.RowCount() - 1;
  try {
    lvList.SetCell(kColFolder, row, "66");
    lvList.SetCell(kColNumber, row, FSongList->NextSongNo().substr(2, 4));
    // The title rule fills pinyin, strokes and word count from the title.
    lvList.SetCell(kColTitle, row, names.SongName);
    lvList.SetCell(kColSinger, row, names.Singer);
    product_->WriteNewRow(lvList, row, *FSongList);
    lvList.SetCell(kColVideo, row, path);
  } catch (const std::exception&) {
    // A row that cannot be filled goes again; its number stays taken.
    lvList.DeleteRow(row);
    marks_.Duplicates();
    return;
  }
  uncopied_ = true;
  if (media_ && media_->Active()) {
    if (Shows(kColMedia)) typeFromFile_.insert(path);
    media_->Add(path);
  }
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
}
