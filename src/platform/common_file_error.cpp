#include "platform/file_error.h"

#include "text/gbk.h"

namespace platform {

std::string QuotedPath(const std::string& path) {
  return '"' + gbk::Printable(path) + '"';
}

FileError::FileError(int error, const std::string& gbkWhat)
    : std::system_error(error, std::generic_category()),
      text_(gbkWhat + ": " + ReasonText(error)) {}

}  // namespace platform
