// SPDX-License-Identifier: GPL-3.0-or-later
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
    : FileError(code, gbkWhat, "") {}

FileError::FileError(std::error_code code, const std::string& gbkWhat,
                     const std::string& gbkSentence)
    : std::system_error(code) {
  std::string sentence = gbkSentence.empty() ? ChineseReason(code) : gbkSentence;
  if (sentence.empty()) sentence = Gbk(u8"读写文件时出错");
  text_ = sentence + Gbk(u8"（系统信息：") + gbkWhat + ": " + ReasonText(code) + Gbk(u8"）");
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
    case ENODEV:
    case ENXIO:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
      return Gbk(u8"U盘已拔出");
    case EIO:
      return Gbk(u8"U盘读写出错（U盘可能已拔出或已损坏）");
    case ENOTCONN:
      return Gbk(u8"U盘已断开（已拔出）");
    case EFBIG:
      return Gbk(u8"文件太大，U盘的文件系统放不下（FAT32 格式的U盘放不下 4G 以上的文件）");
    case ELOOP:
      return Gbk(u8"这是一个链接（快捷方式），为了安全不通过它读写");
    default:
      return "";
  }
}

std::string ChineseReasonOnFat(const std::error_code& code) {
  if (PortableErrno(code) == EPERM)
    return Gbk(u8"U盘拒绝写入：U盘可能已满，或文件太大（FAT 格式）");
  return ChineseReason(code);
}

}  // namespace platform
