// SPDX-License-Identifier: GPL-3.0-or-later
// How a marked cell of the grid looks: the background every front end fills
// it with, by the mark's kind, so that the windows agree and a kind added to
// TCellMark is drawn everywhere without a front end knowing it.
#pragma once

#include <cstdint>

#include "ui/grid.h"

struct TRgb {
  std::uint8_t red = 255, green = 255, blue = 255;
  bool operator==(const TRgb&) const = default;
};

// The background of a cell with the mark; nothing for kNone (the column's own).
// A kind without a colour of its own is drawn in a common light violet.
bool MarkColour(TCellMark kind, TRgb& colour);
