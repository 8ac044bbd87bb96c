// The one error type that carries a message for the user.
#pragma once

#include <stdexcept>
#include <string>

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
