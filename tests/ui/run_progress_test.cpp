// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_progress.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;
using TClock = TRunProgress::TClock;

TEST(RunProgress, OverallByBytesOrByFilesAndTimeLeftAtThePaceSoFar) {
  const TClock::time_point t0{};
  const struct {
    const char* what;
    int songs;
    std::int64_t allBytes;
    std::int64_t files[3];  // bytes of the files started, -1 for none
    int percent;            // of the last file started
    TClock::duration after;
    int overall;
    std::optional<int> left;
  } cases[] = {
      {"nothing started", 2, 1000, {-1, -1, -1}, 0, 0s, 0, std::nullopt},
      {"half the first file in 2 s", 2, 1000, {500, -1, -1}, 50, 2s, 25, 6},
      {"second file begun", 2, 1000, {500, 500, -1}, 0, 5s, 50, 5},
      {"under a second: no pace yet", 2, 1000, {500, 500, -1}, 0, 900ms, 50, std::nullopt},
      {"all done", 2, 1000, {500, 500, -1}, 100, 10s, 100, 0},
      {"no bytes: by files", 4, 0, {0, 0, 0}, 50, 3s, 50, std::nullopt},
      {"a file larger than told", 1, 100, {400, -1, -1}, 100, 2s, 100, 0},
      {"a percent out of range", 1, 1000, {1000, -1, -1}, 250, 2s, 100, 0},
  };
  for (const auto& c : cases) {
    TRunProgress progress;
    progress.StartPhase(c.songs, c.allBytes, t0);
    for (std::int64_t bytes : c.files) {
      if (bytes >= 0) progress.StartFile(bytes);
    }
    EXPECT_EQ(progress.Overall(c.percent), c.overall) << c.what;
    EXPECT_EQ(progress.SecondsLeft(c.percent, t0 + c.after), c.left) << c.what;
  }
}

TEST(RunProgress, ANewPhaseForgetsTheLastOne) {
  const TClock::time_point t0{};
  TRunProgress progress;
  progress.StartPhase(1, 100, t0);
  progress.StartFile(100);
  progress.StartPhase(2, 400, t0 + 60s);  // the read-back after the copy
  progress.StartFile(200);
  EXPECT_EQ(progress.Overall(50), 25);
  EXPECT_EQ(progress.SecondsLeft(50, t0 + 61s), 3);
}

}  // namespace
