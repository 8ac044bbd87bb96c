// SPDX-License-Identifier: GPL-3.0-or-later
// The errors of a run on its target that carry a message for the user. A
// run reports its end as an outcome (run/run.h); these travel between its
// steps.
#pragma once

#include <stdexcept>
#include <string>

// A step failed in a way the user must be told about; what() is the Chinese
// text for the user, in GBK.
class TUserError : public std::runtime_error {
 public:
  explicit TUserError(const std::string& gbkMessage) : std::runtime_error(gbkMessage) {}
};

// The owner asked the copy or the check to stop; what() says so (GBK).
class TCopyCancelled : public TUserError {
 public:
  using TUserError::TUserError;
};

// Files a run wrote came back from the disk other than written (differ: the
// stick kept other bytes, as a counterfeit one does), or could not be read
// back (the stick was pulled or reports errors); what() tells the owner
// which (GBK).
class TReadBackFailed : public TUserError {
 public:
  TReadBackFailed(const std::string& gbkMessage, bool differ)
      : TUserError(gbkMessage), differ(differ) {}
  const bool differ;
};

// A run is refused before anything is written to its target (the target in
// use, too few file entries, a file too large for it).
class TTargetRefused : public TUserError {
 public:
  using TUserError::TUserError;
};
