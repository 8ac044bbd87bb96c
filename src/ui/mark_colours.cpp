// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mark_colours.h"

bool MarkColour(TCellMark kind, TRgb& colour) {
  switch (kind) {
    case TCellMark::kNone:
      return false;
    case TCellMark::kMissing:  // must be filled: red
      colour = {255, 214, 214};
      return true;
    case TCellMark::kDuplicate:  // the song twice: orange
      colour = {255, 226, 180};
      return true;
    case TCellMark::kInvalid:  // a run refuses it: red, as an empty mandatory cell
      colour = {255, 214, 214};
      return true;
    case TCellMark::kDoubtful:  // to be looked at again: yellow
      colour = {255, 248, 190};
      return true;
    default:
      colour = {232, 220, 255};
      return true;
  }
}
