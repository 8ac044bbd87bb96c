// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_marks.h"

#include <map>

#include "text/uPublic.h"
#include "ui/ui_texts.h"

void TGridMarks::Missing(int row, const std::set<int>& empty) {
  for (int col = 0; col < kGridColumns; ++col) {
    if (empty.count(col) != 0) {
      grid_.SetMark(col, row, TCellMark::kMissing, ui_text::MissingTip());
    } else if (grid_.Mark(col, row).kind == TCellMark::kMissing) {
      grid_.SetMark(col, row, TCellMark::kNone);
    }
  }
}

void TGridMarks::Doubtful(int col, int row, const std::string& tip) {
  const TCellMark kind = grid_.Mark(col, row).kind;
  if (kind == TCellMark::kMissing) return;  // an empty cell says more
  if (!tip.empty()) {
    grid_.SetMark(col, row, TCellMark::kDoubtful, tip);
  } else if (kind == TCellMark::kDoubtful) {
    grid_.SetMark(col, row, TCellMark::kNone);
  }
}

void TGridMarks::Numbers() {
  std::map<std::string, int> first;  // number -> the first row that has it
  for (int row = 0; row < grid_.RowCount(); ++row) {
    first.emplace(Trim(grid_.Cell(kColNumber, row)), row);
  }
  for (int row = 0; row < grid_.RowCount(); ++row) {
    const TCellMark kind = grid_.Mark(kColNumber, row).kind;
    if (kind == TCellMark::kMissing) continue;
    const std::string number = Trim(grid_.Cell(kColNumber, row));
    std::string tip;
    if (!IsSongNumber(number)) {
      tip = ui_text::NotANumberProblem();
    } else if (const int other = first[number]; other != row) {
      tip = ui_text::NumberTwiceProblem(other + 1);
    } else {
      // The first of a number that is twice is told by the others' tips;
      // its own names the next row with it.
      for (int later = row + 1; later < grid_.RowCount(); ++later) {
        if (Trim(grid_.Cell(kColNumber, later)) == number) {
          tip = ui_text::NumberTwiceProblem(later + 1);
          break;
        }
      }
    }
    if (!tip.empty()) {
      grid_.SetMark(kColNumber, row, TCellMark::kInvalid, tip);
    } else if (kind == TCellMark::kInvalid) {
      grid_.SetMark(kColNumber, row, TCellMark::kNone);
    }
  }
}

std::vector<TTwinOf> TGridMarks::Twins() const {
  std::vector<TSongOfRow> rows;
  for (int row = 0; row < grid_.RowCount(); ++row) {
    rows.push_back(
        {grid_.Cell(kColTitle, row), grid_.Cell(kColSinger, row), grid_.Cell(kColVideo, row)});
  }
  return FindTwins(rows, sizeOf_);
}

void TGridMarks::Duplicates() {
  const std::vector<TTwinOf> twins = Twins();
  auto mark = [&](int col, int row, int other, std::string (*tipOf)(int, const std::string&)) {
    const TCellMark kind = grid_.Mark(col, row).kind;
    if (kind == TCellMark::kMissing) return;
    if (other >= 0) {
      grid_.SetMark(col, row, TCellMark::kDuplicate,
                    tipOf(other + 1, Trim(grid_.Cell(kColNumber, other))));
    } else if (kind == TCellMark::kDuplicate) {
      grid_.SetMark(col, row, TCellMark::kNone);
    }
  };
  for (int row = 0; row < grid_.RowCount(); ++row) {
    const TTwinOf& twin = twins[static_cast<std::size_t>(row)];
    mark(kColTitle, row, twin.song, ui_text::SameSongTip);
    mark(kColSinger, row, twin.song, ui_text::SameSongTip);
    mark(kColVideo, row, twin.video, ui_text::SameVideoTip);
  }
}

std::string TGridMarks::DuplicateLines() const {
  const std::vector<TTwinOf> twins = Twins();
  std::string lines;
  for (int row = 0; row < grid_.RowCount(); ++row) {
    const TTwinOf& twin = twins[static_cast<std::size_t>(row)];
    const int other = twin.song >= 0 ? twin.song : twin.video;
    // Each pair once: told at its later row.
    if (other < 0 || other > row) continue;
    lines += ui_text::DuplicateLine(row + 1, Trim(grid_.Cell(kColNumber, row)),
                                    Trim(grid_.Cell(kColTitle, row)),
                                    Trim(grid_.Cell(kColSinger, row)), other + 1) +
             "\r\n";
  }
  return lines;
}
