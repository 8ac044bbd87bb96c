// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_progress.h"

#include <algorithm>

void TRunProgress::StartPhase(int songs, std::int64_t allBytes, TClock::time_point now) {
  *this = TRunProgress();
  songs_ = songs;
  allBytes_ = std::max<std::int64_t>(allBytes, 0);
  start_ = now;
}

void TRunProgress::StartFile(std::int64_t bytes) {
  bytesBefore_ += fileBytes_;
  fileBytes_ = std::max<std::int64_t>(bytes, 0);
  ++file_;
}

std::int64_t TRunProgress::Done(int percent) const {
  return bytesBefore_ + fileBytes_ * std::clamp(percent, 0, 100) / 100;
}

int TRunProgress::Overall(int percent) const {
  if (allBytes_ > 0)
    return static_cast<int>(std::min<std::int64_t>(Done(percent) * 100 / allBytes_, 100));
  if (songs_ <= 0 || file_ <= 0) return 0;
  return std::min((file_ - 1) * 100 / songs_, 100);
}

std::optional<int> TRunProgress::SecondsLeft(int percent, TClock::time_point now) const {
  const std::int64_t done = Done(percent);
  const auto elapsed = now - start_;
  if (done <= 0 || elapsed < std::chrono::seconds(1)) return std::nullopt;
  const double rest = static_cast<double>(std::max<std::int64_t>(allBytes_ - done, 0));
  const double seconds =
      std::chrono::duration<double>(elapsed).count() * rest / static_cast<double>(done);
  return static_cast<int>(seconds + 0.5);
}
