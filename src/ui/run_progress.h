// SPDX-License-Identifier: GPL-3.0-or-later
// How far a run is and how long the rest will take, from the bytes of its
// files: the copy panel's overall bar and "剩余约 N 分钟". A pure class: it
// is told the files and the time, and reads no clock and no file itself.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

class TRunProgress {
 public:
  using TClock = std::chrono::steady_clock;

  // A phase begins (the copy, or the read-back after it): songs files of
  // allBytes bytes in all, from now.
  void StartPhase(int songs, std::int64_t allBytes, TClock::time_point now);
  // The next file of the phase begins; it has bytes bytes (0 when unknown).
  void StartFile(std::int64_t bytes);

  // The whole phase in percent (0-100) when the current file is percent
  // done: by bytes, or by files where the phase has no bytes.
  int Overall(int percent) const;
  // The seconds the rest of the phase takes at the pace so far, rounded;
  // nullopt until a second has passed and some bytes are done.
  std::optional<int> SecondsLeft(int percent, TClock::time_point now) const;

 private:
  std::int64_t Done(int percent) const;

  int songs_ = 0;
  int file_ = 0;  // the current file, 1-based; 0 before the first
  std::int64_t allBytes_ = 0;
  std::int64_t bytesBefore_ = 0;  // of the files before the current one
  std::int64_t fileBytes_ = 0;    // of the current file
  TClock::time_point start_;
};
