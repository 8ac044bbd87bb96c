// What the POSIX files of platform/ share: native paths, the error they
// throw, and the file objects over a descriptor. Not for use outside
// platform/.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/env.h"

namespace platform::posix {

// The native form of a GBK path, or nothing when it has none: bytes that are
// not GBK, or a NUL byte, which would cut the name short at the system call.
std::optional<std::string> NativePath(const std::string& path);

[[noreturn]] void Fail(int error, const std::string& what);

// The native path for an operation that throws; a path with no native form
// fails like a name the system refuses.
std::string NativeOrThrow(const std::string& path, const std::string& action);

// The file objects over an open descriptor, which they own. path (GBK) names
// the file in errors.
std::unique_ptr<SequentialFile> NewSequentialFile(int fd, std::string path);
std::unique_ptr<WritableFile> NewWritableFile(int fd, std::string path);

// Refuses (FileError, closing fd) a descriptor that is not a regular file:
// a folder, a pipe, a device.
void RequireRegular(int fd, const std::string& path);

// A folder over an open descriptor of it, which it owns; path is GBK and
// ends with '/'.
std::unique_ptr<Folder> NewFolder(int fd, std::string path);

}  // namespace platform::posix
