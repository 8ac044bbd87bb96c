// SPDX-License-Identifier: GPL-3.0-or-later
// What the owner is told when a run ends: from the run's outcome and the
// songs it was given, the result, the caption, the text and the box's kind.
// A pure function: it shows nothing (the main form shows it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "run/run.h"

// How the last run ended, for a front end that reports it (the console's
// exit status).
enum class TRunResult : std::uint8_t {
  kNone,      // no run yet
  kRefused,   // a check refused the grid, or the user cancelled the target
  kLowSpace,  // the target disk is too small; nothing changed there
  kFailed,    // the copy failed or was cancelled; the user was told what is where
  kDone,      // every song and vod.txt are on the target
};

// A song of the run as the report names it (GBK).
struct TReportedSong {
  std::string number;  // "0003"
  std::string title;
  bool copied = false;  // the run copies its video (false: kept as it was)
};

struct TRunReport {
  TRunResult result = TRunResult::kNone;
  // For kLowSpace the form shows its own dialog with outcome's sizes, and
  // these are empty.
  std::string caption, text;
  int kind = 0;  // kMsgInformation, kMsgWarning or kMsgError
};

// The report of outcome for songs (in the run's order). verified: the run
// read back what it wrote, so that a song not read back is not listed as
// safe. onUsb: the target was the USB disk (the done text tells that the
// stick can be pulled).
TRunReport ReportOf(const TRunOutcome& outcome, const std::vector<TReportedSong>& songs,
                    bool verified, bool onUsb);
