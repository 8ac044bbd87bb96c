// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of mark is drawn apart: from an unmarked cell and from the others.
#include <gtest/gtest.h>

#include <vector>

#include "ui/mark_colours.h"

namespace {

TEST(MarkColours, EachMarkHasItsOwnColourAndNoMarkHasNone) {
  TRgb colour;
  EXPECT_FALSE(MarkColour(TCellMark::kNone, colour));
  const TCellMark kinds[] = {TCellMark::kMissing, TCellMark::kDuplicate, TCellMark::kDoubtful};
  std::vector<TRgb> seen;
  for (TCellMark kind : kinds) {
    ASSERT_TRUE(MarkColour(kind, colour)) << int(kind);
    EXPECT_NE(colour, TRgb{}) << "white is an unmarked cell";
    for (const TRgb& other : seen) EXPECT_NE(colour, other) << int(kind);
    seen.push_back(colour);
  }
  // A kind this table does not know yet is still drawn marked.
  EXPECT_TRUE(MarkColour(static_cast<TCellMark>(200), colour));
  EXPECT_NE(colour, TRgb{});
}

}  // namespace
