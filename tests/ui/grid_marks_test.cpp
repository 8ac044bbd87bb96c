// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_marks.h"

#include <gtest/gtest.h>

namespace {

struct GridMarks : ::testing::Test {
  TGrid grid;
  TGridMarks marks{grid, [](const std::string&) { return std::int64_t{-1}; }};
  GridMarks() { grid.AppendRows(3); }
  TCellMark Kind(int col, int row) const { return grid.Mark(col, row).kind; }
};

TEST_F(GridMarks, AMissingMarkIsNeverCoveredAndGoesWhenTheCellIsFilled) {
  marks.Missing(0, {kColTitle});
  marks.Doubtful(kColTitle, 0, "tip");
  EXPECT_EQ(Kind(kColTitle, 0), TCellMark::kMissing);
  grid.SetCell(kColTitle, 1, "a");
  grid.SetCell(kColTitle, 2, "a");
  grid.SetCell(kColTitle, 0, "a");
  marks.Duplicates();
  EXPECT_EQ(Kind(kColTitle, 0), TCellMark::kMissing) << "a duplicate does not cover it";
  EXPECT_EQ(Kind(kColTitle, 1), TCellMark::kDuplicate);
  marks.Missing(0, {});
  EXPECT_EQ(Kind(kColTitle, 0), TCellMark::kNone);
  marks.Duplicates();
  EXPECT_EQ(Kind(kColTitle, 0), TCellMark::kDuplicate);
}

TEST_F(GridMarks, DoubtAndDuplicatesGoWhenTheirCauseGoesAndLeaveOtherMarks) {
  marks.Doubtful(kColPinyin, 0, "guessed");
  EXPECT_EQ(grid.Mark(kColPinyin, 0).tip, "guessed");
  marks.Doubtful(kColPinyin, 0, "");
  EXPECT_EQ(Kind(kColPinyin, 0), TCellMark::kNone);

  grid.SetCell(kColTitle, 0, "a");
  grid.SetCell(kColTitle, 2, "a");
  marks.Duplicates();
  EXPECT_EQ(Kind(kColTitle, 2), TCellMark::kDuplicate);
  EXPECT_NE(marks.DuplicateLines(), "");
  marks.Doubtful(kColTitle, 1, "other");  // a mark that is no duplicate's
  grid.SetCell(kColTitle, 2, "b");
  marks.Duplicates();
  EXPECT_EQ(Kind(kColTitle, 0), TCellMark::kNone);
  EXPECT_EQ(Kind(kColTitle, 2), TCellMark::kNone);
  EXPECT_EQ(Kind(kColTitle, 1), TCellMark::kDoubtful);
  EXPECT_EQ(marks.DuplicateLines(), "");
}

}  // namespace
