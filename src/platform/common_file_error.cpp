#include "platform/file_error.h"

#include <cerrno>

#include "text/gbk.h"

namespace platform {

std::string QuotedPath(const std::string& path) {
  return '"' + gbk::Printable(path) + '"';
}

FileError::FileError(int error, const std::string& gbkWhat)
    : FileError(std::error_code(error, std::generic_category()), gbkWhat) {}

FileError::FileError(std::error_code code, const std::string& gbkWhat)
    : std::system_error(code), text_(gbkWhat + ": " + ReasonText(code)) {
  if (const std::string chinese = ChineseReason(code); !chinese.empty()) {
    text_ = chinese + "\r\n" + text_;
  }
}

std::string ChineseReason(const std::error_code& code) {
  switch (PortableErrno(code)) {
    case EROFS:
      return Gbk(u8"U盘只读或写保护");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return Gbk(u8"磁盘空间已满");
    case EACCES:
    case EPERM:
      return Gbk(u8"没有读写这个文件或文件夹的权限");
    case ENOENT:
    case ENOTDIR:
      return Gbk(u8"找不到这个文件或文件夹");
    case EIO:
    case ENODEV:
    case ENXIO:
    case ENOTCONN:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
      return Gbk(u8"U盘已拔出或读写出错");
    case EFBIG:
      return Gbk(u8"文件太大，目标磁盘的文件系统放不下");
    case ELOOP:
      return Gbk(u8"这是一个链接（快捷方式），为了安全不通过它读写");
    default:
      return "";
  }
}

}  // namespace platform
