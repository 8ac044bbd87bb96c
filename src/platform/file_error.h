// SPDX-License-Identifier: GPL-3.0-or-later
// The error of a file or folder operation.
#pragma once

#include <string>
#include <system_error>

namespace platform {

// code() is the operating system's error; what() is GBK text, like every
// text of the core: a Chinese sentence for the owner, then the system's own
// words in full-width parentheses (the action, the path as the caller gave it
// and the system's reason turned into GBK), e.g.
//   U盘只读或写保护（系统信息：cannot create "/media/usb/新歌/vod.txt.part": Read-only file
//   system）
// so that an owner who reads Chinese learns what happened, and a message box
// shows a Chinese folder name as the user wrote it. The sentence is
// ChineseReason(code), or 读写文件时出错 for a reason that has none, unless
// the caller, knowing more of where it happened, gives its own.
class FileError : public std::system_error {
 public:
  // gbkWhat is the action and the path; the reason, ReasonText(code), is
  // added here. An int is an errno value (std::generic_category()); a
  // system's own error numbers (Windows' GetLastError) come as a
  // std::error_code of std::system_category().
  FileError(int error, const std::string& gbkWhat);
  FileError(std::error_code code, const std::string& gbkWhat);
  // The same with the owner's sentence given (GBK); "" takes the one above.
  FileError(std::error_code code, const std::string& gbkWhat, const std::string& gbkSentence);
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// The operating system's reason for an error code, as GBK text (each
// system's implementation turns its own text into GBK): the C library's
// words for an errno value, and on Windows FormatMessageW's words, in the
// user's language, for a GetLastError number. A reason that has no GBK form
// reads "error N".
std::string ReasonText(const std::error_code& code);

// The errno value (EROFS, ENOSPC ...) that stands for an error code: the
// value itself for an errno, and on Windows the nearest errno for the
// system's own numbers (ERROR_WRITE_PROTECT is EROFS ...); 0 for none.
int PortableErrno(const std::error_code& code);

// The owner's words, in GBK, for the common reasons a file operation fails:
// read-only or write-protected, no space, no permission, not found, the
// stick pulled out or disconnected, an I/O error, a file too large for the
// file system, a link where a file or folder was expected. "" for any other
// reason.
std::string ChineseReason(const std::error_code& code);

// The owner's words for an error on a FAT or exFAT volume. Some of their
// drivers (Linux's fusefat) refuse a write with EPERM when the volume is full
// or the file larger than it takes, and FAT keeps no permissions that could
// refuse it: EPERM reads as a full stick there. ChineseReason(code) for any
// other reason.
std::string ChineseReasonOnFat(const std::error_code& code);

// A path for a message, in double quotes. A name that is not GBK has its
// bytes outside printable ASCII written as \xNN, so the message stays text.
std::string QuotedPath(const std::string& path);

}  // namespace platform
