// SPDX-License-Identifier: GPL-3.0-or-later
#include "stroke/OruStroke.h"

#include <algorithm>
#include <iterator>

namespace {

// Consecutive code points first..last that all have the same stroke count.
struct StrokeRun {
  std::uint16_t first;
  std::uint16_t last;
  std::uint8_t strokes;
};

#include "stroke_table.inc"

constexpr bool RunsAreSortedAndDisjoint() {
  for (std::size_t i = 0; i < std::size(kStrokeRuns); ++i) {
    if (kStrokeRuns[i].first > kStrokeRuns[i].last) return false;
    if (i > 0 && kStrokeRuns[i - 1].last >= kStrokeRuns[i].first) return false;
  }
  return true;
}
static_assert(RunsAreSortedAndDisjoint(), "stroke_table.inc must hold sorted, disjoint runs");

}  // namespace

extern "C" std::int32_t GetStroke_Unicode(std::uint32_t unit) {
  if (unit > 0xFFFF) return 0;
  // The first run that ends at or after the unit; it holds the unit if it starts at or before it.
  const auto* run =
      std::lower_bound(std::begin(kStrokeRuns), std::end(kStrokeRuns), unit,
                       [](const StrokeRun& r, std::uint32_t u) { return r.last < u; });
  if (run == std::end(kStrokeRuns) || run->first > unit) return 0;
  return run->strokes;
}
