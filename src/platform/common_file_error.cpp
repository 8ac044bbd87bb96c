#include "platform/file_error.h"

#include "text/gbk.h"

namespace platform {

std::string QuotedPath(const std::string& path) {
  return '"' + gbk::Printable(path) + '"';
}

FileError::FileError(int error, const std::string& gbkWhat)
    : FileError(std::error_code(error, std::generic_category()), gbkWhat) {}

FileError::FileError(std::error_code code, const std::string& gbkWhat)
    : std::system_error(code), text_(gbkWhat + ": " + ReasonText(code)) {}

}  // namespace platform
