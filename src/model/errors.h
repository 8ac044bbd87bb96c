// The errors of the song list and its run that carry a message for the user.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// Raised inside the song list when a step fails in a way the user must be
// told about; what() is the Chinese text for the user, in GBK. The operation
// that drives the step catches it and shows it (or lets the window do so).
class TUserError : public std::runtime_error {
 public:
  explicit TUserError(const std::string& gbkMessage) : std::runtime_error(gbkMessage) {}
};

// Raised by the copy when the user asked it to stop; what() says so (GBK).
class TCopyCancelled : public TUserError {
 public:
  using TUserError::TUserError;
};

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

// Raised when files a run wrote came back from the disk other than written
// (differ: the stick kept other bytes, as a counterfeit one does), or could
// not be read back (the stick was pulled or reports errors); what() tells
// the owner which (GBK).
class TReadBackFailed : public TUserError {
 public:
  TReadBackFailed(const std::string& gbkMessage, bool differ)
      : TUserError(gbkMessage), differ(differ) {}
  const bool differ;
};

// Raised when a run is refused before anything is written to its target
// (the target in use, too few file entries, a file too large for it).
class TTargetRefused : public TUserError {
 public:
  using TUserError::TUserError;
};
