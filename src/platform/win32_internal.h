// SPDX-License-Identifier: GPL-3.0-or-later
// What the Win32 files of platform/ share: wide paths, the errors they throw,
// an owned handle and the file objects over one. <windows.h> stays in the
// .cpp files: a handle is a void* and an error number an unsigned long here,
// as they are there. Not for use outside platform/.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace platform::win32 {

using RawHandle = void*;  // HANDLE

// The UTF-16 form of a GBK path, or nothing when it has none: bytes that are
// not GBK, or a NUL byte, which would cut the name short at the system call.
std::optional<std::wstring> WidePath(const std::string& path);

// A name the system gave, as GBK; nothing when it has no GBK form.
std::optional<std::string> GbkName(std::wstring_view wide);

// Throws FileError for a GetLastError number (DWORD).
[[noreturn]] void Fail(unsigned long error, const std::string& what);
[[noreturn]] void FailLastError(const std::string& what);
// The same for an operation on a FAT or exFAT volume when onFat, whose
// sentence is ChineseReasonOnFat's.
[[noreturn]] void Fail(unsigned long error, const std::string& what, bool onFat);
[[noreturn]] void FailLastError(const std::string& what, bool onFat);

// The wide path for an operation that throws; a path with no wide form fails
// like a name the system refuses.
std::wstring WideOrThrow(const std::string& path, const std::string& action);

// Closes a handle when it goes out of scope.
class Handle {
 public:
  static RawHandle Invalid() { return reinterpret_cast<RawHandle>(std::intptr_t{-1}); }

  Handle() = default;
  explicit Handle(RawHandle h) : h_(h) {}
  ~Handle() { reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : h_(other.release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  bool valid() const { return h_ != Invalid(); }
  RawHandle get() const { return h_; }
  RawHandle release() {
    RawHandle h = h_;
    h_ = Invalid();
    return h;
  }
  void reset(RawHandle h = Invalid());

 private:
  RawHandle h_ = Invalid();
};

// The file objects over an open handle, which they own. path (GBK) names the
// file in errors. The handle is synchronous (no FILE_FLAG_OVERLAPPED).
// onFat: the file is on a FAT or exFAT volume (see ChineseReasonOnFat).
std::unique_ptr<SequentialFile> NewSequentialFile(RawHandle h, std::string path);
std::unique_ptr<RandomAccessFile> NewRandomAccessFile(RawHandle h, std::string path);
std::unique_ptr<WritableFile> NewWritableFile(RawHandle h, std::string path, bool onFat = false);

// The most a reader past the cache asks of the device at once, and the
// piece a read-back asks for: a USB stick serves reads of 1 MiB fastest.
inline constexpr std::uint32_t kUncachedReadBytes = std::uint32_t{1} << 20;

// A reader of a file opened without the system's cache
// (FILE_NO_INTERMEDIATE_BUFFERING): it reads whole sectors of sectorSize
// bytes, kUncachedReadBytes at a time (less for a smaller file), into its
// one aligned buffer and hands out any amount from it; a request of
// kUncachedReadBytes from the start is served by one device read each.
std::unique_ptr<SequentialFile> NewUncachedFile(RawHandle h, std::string path,
                                                std::uint32_t sectorSize);

// A folder over an open handle of it, which it owns; path is GBK and ends
// with '\'.
std::unique_ptr<Folder> NewFolder(RawHandle h, std::string path);

}  // namespace platform::win32
