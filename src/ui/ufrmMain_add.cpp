// The main window: adding songs from video files through the new-song dialog.
#include <algorithm>

#include "platform/env.h"
#include "ui/line_columns.h"
#include "ui/ufrmMain.h"

void TfrmMain::btnAddClick() {
  if (Busy() || FSongList == nullptr) return;
  TBusy busy(*this);
  Guarded([&] {
    TDialogUse dialog(frmAddNewSong);
    dialog->FormCreate();
    FollowGridNumbers();
    // One number is taken only to be proposed; the dialog's number resets
    // the counter, so the first file gets it.
    dialog->FNumber = FSongList->NextSongNo().substr(2, 4);
    dialog->FFolder = FSongList->FSourceDir;
    view_.ShowModal(*dialog);
    FSongList->SetStartNumber(dialog->FNumber);
    FSongList->FSourceDir = dialog->FFolder;
    for (int i = 0; i < dialog->FileCount(); ++i) {
      PumpMessages();
      AddSongFile(dialog->GetFile(i));
    }
  });
}

void TfrmMain::AddDroppedFiles(const TStringList& files) {
  if (Busy() || FSongList == nullptr || !lvList.Enabled() || files.empty()) return;
  TBusy busy(*this);
  Guarded([&] {
    // The number "添加歌曲" would propose, kept as the user would keep it.
    FollowGridNumbers();
    FSongList->SetStartNumber(FSongList->NextSongNo().substr(2, 4));
    FSongList->FSourceDir = ExtractFolder(files.back());
    for (const auto& file : files) {
      PumpMessages();
      AddSongFile(file);
    }
  });
}

void TfrmMain::FollowGridNumbers() {
  // The counter keeps what the owner typed last (and "0000" after clearing);
  // songs in the grid with higher numbers, loaded ones among them, move it on.
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (!IsSongNumber(number)) continue;
    FSongList->FNextNo = std::max(FSongList->FNextNo, 660000 + StrToInt(number) + 1);
  }
}

void TfrmMain::AddSongFile(const std::string& path) {
  if (FSongList == nullptr) return;
  TBaseSongData names;
  ParseSongFileName(path, names);
  lvList.AppendRows(1);
  const int row = lvList.RowCount() - 1;
  try {
    lvList.SetCell(kColFolder, row, "66");
    lvList.SetCell(kColNumber, row, FSongList->NextSongNo().substr(2, 4));
    // The title rule fills pinyin, strokes and word count from the title.
    lvList.SetCell(kColTitle, row, names.SongName);
    lvList.SetCell(kColSinger, row, names.Singer);
    lines_->WriteNewRow(lvList, row, *FSongList);
    lvList.SetCell(kColVideo, row, path);
  } catch (const std::exception&) {
    // A row that cannot be filled goes again; its number stays taken.
    lvList.DeleteRow(row);
    return;
  }
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
}
