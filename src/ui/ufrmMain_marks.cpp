// The main window: marks of songs caught twice and of doubtful derived
// cells, and the run's question about the songs caught twice.
#include "platform/env.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

std::vector<TTwinOf> TfrmMain::Twins() const {
  std::vector<TSongOfRow> rows;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    rows.push_back(
        {lvList.Cell(kColTitle, row), lvList.Cell(kColSinger, row), lvList.Cell(kColVideo, row)});
  }
  return FindTwins(rows, [this](const std::string& path) { return env_->FileSize(path); });
}

void TfrmMain::MarkDuplicates() {
  const std::vector<TTwinOf> twins = Twins();
  auto mark = [&](int col, int row, int other, std::string (*tipOf)(int, const std::string&)) {
    const TCellMark kind = lvList.Mark(col, row).kind;
    if (kind == TCellMark::kMissing) return;
    if (other >= 0) {
      lvList.SetMark(col, row, TCellMark::kDuplicate,
                     tipOf(other + 1, Trim(lvList.Cell(kColNumber, other))));
    } else if (kind == TCellMark::kDuplicate) {
      lvList.SetMark(col, row, TCellMark::kNone);
    }
  };
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const TTwinOf& twin = twins[static_cast<std::size_t>(row)];
    mark(kColTitle, row, twin.song, ui_text::SameSongTip);
    mark(kColSinger, row, twin.song, ui_text::SameSongTip);
    mark(kColVideo, row, twin.video, ui_text::SameVideoTip);
  }
}

void TfrmMain::MarkDoubtful(int col, int row, const std::string& tip) {
  const TCellMark kind = lvList.Mark(col, row).kind;
  if (kind == TCellMark::kMissing) return;  // an empty cell says more
  if (!tip.empty()) {
    lvList.SetMark(col, row, TCellMark::kDoubtful, tip);
  } else if (kind == TCellMark::kDoubtful) {
    lvList.SetMark(col, row, TCellMark::kNone);
  }
}

bool TfrmMain::DuplicatesAccepted() {
  const std::vector<TTwinOf> twins = Twins();
  std::string lines;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    const TTwinOf& twin = twins[static_cast<std::size_t>(row)];
    const int other = twin.song >= 0 ? twin.song : twin.video;
    if (other < 0) continue;
    lines += ui_text::DuplicateLine(row + 1, Trim(lvList.Cell(kColNumber, row)),
                                    Trim(lvList.Cell(kColTitle, row)),
                                    Trim(lvList.Cell(kColSinger, row)), other + 1) +
             "\r\n";
  }
  if (lines.empty()) return true;
  const TQuestion question{TQuestion::Id::kDuplicates,
                           ui_text::DuplicatesCaption(),
                           ui_text::DuplicatesQuestion(lines),
                           {ui_text::GoOnButton(), ui_text::CancelButton()}};
  return view_.Ask(question) == 0;
}
