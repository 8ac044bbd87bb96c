// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/window_side.h"

#include <gtest/gtest.h>

#include "support/fake_window.h"

namespace {

TEST(ShowMsg, ShowsKindsZeroToThreeAndNothingElse) {
  FakeWindow window;
  for (int kind = -1; kind <= 4; ++kind) ShowMsg(&window, "cap", "text", kind);
  ASSERT_EQ(window.boxes.size(), 4u);
  for (int kind = 0; kind < 4; ++kind) {
    EXPECT_EQ(window.boxes[static_cast<std::size_t>(kind)], (ShownBox{"cap", "text", kind}));
  }
  ShowMsg(nullptr, "cap", "text", 0);  // no window: nothing, no crash
}

}  // namespace
