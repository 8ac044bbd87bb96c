// SPDX-License-Identifier: GPL-3.0-or-later
// The song list's own error that carries a message for the user.
#pragma once

#include <string>
#include <utility>

#include "run/errors.h"

// Raised when building the lines of vod.txt refuses a song: index is the
// song's slot (the grid's row in a run), field the record field it is about
// ("Singer"; "" when the whole line is refused).
class TSongRefused : public TUserError {
 public:
  TSongRefused(const std::string& gbkMessage, int index, std::string field)
      : TUserError(gbkMessage), index(index), field(std::move(field)) {}
  const int index;
  const std::string field;
};
