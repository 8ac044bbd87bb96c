// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the run's question about the songs caught twice.
#include <algorithm>

#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

bool TfrmMain::DuplicatesAccepted() {
  const std::string lines = marks_.DuplicateLines();
  if (lines.empty()) return true;
  const TQuestion question{
      TQuestion::Id::kDuplicates,
      ui_text::DuplicatesCaption(),
      ui_text::DuplicatesQuestion(lines),
      {ui_text::GoOnButton(), ui_text::SkipDuplicatesButton(), ui_text::CancelButton()}};
  switch (view_.Ask(question)) {
    case 0:
      return true;
    case 1:
      SkipRepeats();
      GridToSongs();
      return SongsComplete();
    default:
      return false;
  }
}

void TfrmMain::SkipRepeats() {
  const std::vector<TTwinOf> twins = marks_.Twins();
  auto isNew = [this](int row) { return !Trim(lvList.Cell(kColVideo, row)).empty(); };
  // A new song that repeats a loaded one, or a new one before it, stays out;
  // the first of the new ones stays in, and loaded songs are on the stick.
  std::vector<int> repeats;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (!isNew(row)) continue;
    const TTwinOf& twin = twins[static_cast<std::size_t>(row)];
    for (const int other : {twin.song, twin.video}) {
      if (other >= 0 && (!isNew(other) || other < row)) {
        repeats.push_back(row);
        break;
      }
    }
  }
  if (repeats.empty()) return;
  RememberDeleted(repeats);
  for (auto row = repeats.rbegin(); row != repeats.rend(); ++row) lvList.DeleteRow(*row);
  marks_.Duplicates();
  marks_.Numbers();
  lvList.Repaint();
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
}
