// SPDX-License-Identifier: GPL-3.0-or-later
// Files over a Win32 handle: reading (through the system's cache or from the
// device), writing, flushing, closing.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/win32_internal.h"
#include "text/gbk.h"

namespace platform::win32 {

std::optional<std::wstring> WidePath(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  std::optional<std::u16string> utf16 = gbk::TryToUtf16(path);
  if (!utf16) return std::nullopt;
  return std::wstring(utf16->begin(), utf16->end());
}

std::optional<std::string> GbkName(std::wstring_view wide) {
  return gbk::TryFromUtf16(std::u16string(wide.begin(), wide.end()));
}

void Fail(unsigned long error, const std::string& what) {
  throw FileError(std::error_code(static_cast<int>(error), std::system_category()), what);
}

void FailLastError(const std::string& what) {
  Fail(GetLastError(), what);
}

void Fail(unsigned long error, const std::string& what, bool onFat) {
  const std::error_code code(static_cast<int>(error), std::system_category());
  throw FileError(code, what, onFat ? ChineseReasonOnFat(code) : std::string());
}

void FailLastError(const std::string& what, bool onFat) {
  Fail(GetLastError(), what, onFat);
}

std::wstring WideOrThrow(const std::string& path, const std::string& action) {
  std::optional<std::wstring> wide = WidePath(path);
  if (!wide) {
    throw FileError(EILSEQ, action + ' ' + QuotedPath(path) + " (the name is not valid GBK)");
  }
  return *wide;
}

void Handle::reset(RawHandle h) {
  if (valid()) CloseHandle(h_);
  h_ = h;
}

namespace {

class Win32SequentialFile final : public SequentialFile {
 public:
  Win32SequentialFile(HANDLE h, std::string path) : h_(h), path_(std::move(path)) {}

  std::size_t Read(char* scratch, std::size_t n) override {
    const auto want = static_cast<DWORD>(std::min<std::size_t>(n, DWORD{1} << 30));
    DWORD got = 0;
    if (!ReadFile(h_.get(), scratch, want, &got, nullptr)) {
      if (GetLastError() == ERROR_HANDLE_EOF) return 0;
      FailLastError("cannot read " + QuotedPath(path_));
    }
    return got;
  }

 private:
  Handle h_;
  std::string path_;
};

class Win32RandomAccessFile final : public RandomAccessFile {
 public:
  Win32RandomAccessFile(HANDLE h, std::string path) : h_(h), path_(std::move(path)) {
    LARGE_INTEGER size;
    size_ = GetFileSizeEx(h_.get(), &size) ? size.QuadPart : 0;
  }

  std::size_t Read(std::int64_t offset, char* scratch, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      // A read at an offset of its own leaves no shared file position, so
      // threads may read at once.
      OVERLAPPED at{};
      const auto from = static_cast<std::uint64_t>(offset) + done;
      at.Offset = static_cast<DWORD>(from);
      at.OffsetHigh = static_cast<DWORD>(from >> 32);
      const auto want = static_cast<DWORD>(std::min<std::size_t>(n - done, DWORD{1} << 30));
      DWORD got = 0;
      if (!ReadFile(h_.get(), scratch + done, want, &got, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        FailLastError("cannot read " + QuotedPath(path_));
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }
  std::int64_t Size() const override { return size_; }

 private:
  Handle h_;
  std::string path_;
  std::int64_t size_ = 0;
};

// Without the cache every read starts at a multiple of the sector size, asks
// for a multiple of it, into memory aligned to it; the system answers the
// last, partial sector with a short read that ends at the end of the file.
class Win32UncachedFile final : public SequentialFile {
 public:
  Win32UncachedFile(HANDLE h, std::string path, DWORD sectorSize)
      : h_(h), path_(std::move(path)), sector_(sectorSize != 0 ? sectorSize : 4096) {
    // kUncachedReadBytes, or the file's size in whole sectors if smaller
    // (a vod.txt needs no megabyte); one sector if a sector is larger.
    std::uint64_t want = kUncachedReadBytes;
    LARGE_INTEGER size;
    if (GetFileSizeEx(h_.get(), &size) && static_cast<std::uint64_t>(size.QuadPart) < want) {
      want = static_cast<std::uint64_t>(size.QuadPart);
    }
    want = std::max<std::uint64_t>((want + sector_ - 1) / sector_, 1) * sector_;
    size_ = static_cast<DWORD>(want);
    // VirtualAlloc's memory starts on a 64 KiB boundary, aligned for any sector.
    buffer_ =
        static_cast<char*>(VirtualAlloc(nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (buffer_ == nullptr) FailLastError("cannot read " + QuotedPath(path_));
  }
  ~Win32UncachedFile() override { VirtualFree(buffer_, 0, MEM_RELEASE); }
  Win32UncachedFile(const Win32UncachedFile&) = delete;
  Win32UncachedFile& operator=(const Win32UncachedFile&) = delete;

  std::size_t Read(char* scratch, std::size_t n) override {
    if (next_ == end_ && !atEnd_) Fill();
    const std::size_t count = std::min<std::size_t>(n, end_ - next_);
    std::memcpy(scratch, buffer_ + next_, count);
    next_ += static_cast<DWORD>(count);
    return count;
  }

 private:
  void Fill() {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset_);
    at.OffsetHigh = static_cast<DWORD>(offset_ >> 32);
    DWORD got = 0;
    if (!ReadFile(h_.get(), buffer_, size_, &got, &at)) {
      if (GetLastError() != ERROR_HANDLE_EOF) FailLastError("cannot read " + QuotedPath(path_));
      got = 0;
    }
    offset_ += got;
    next_ = 0;
    end_ = got;
    // A read that ends off a sector boundary ended at the end of the file;
    // the next one would start unaligned, which the system refuses.
    atEnd_ = got == 0 || got % sector_ != 0;
  }

  Handle h_;
  std::string path_;
  DWORD sector_;
  DWORD size_ = 0;  // of buffer_, a multiple of sector_
  char* buffer_ = nullptr;
  std::uint64_t offset_ = 0;  // of the next read in the file, a multiple of sector_
  DWORD next_ = 0;            // the bytes buffer_[next_, end_) are not handed out yet
  DWORD end_ = 0;
  bool atEnd_ = false;
};

class Win32WritableFile final : public WritableFile {
 public:
  Win32WritableFile(HANDLE h, std::string path, bool onFat)
      : h_(h), path_(std::move(path)), onFat_(onFat) {}

  void Append(const char* data, std::size_t n) override {
    if (!h_.valid())
      Fail(ERROR_INVALID_HANDLE, "cannot write " + QuotedPath(path_) + " after closing it");
    while (n > 0) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(n, DWORD{1} << 30));
      DWORD done = 0;
      if (!WriteFile(h_.get(), data, chunk, &done, nullptr)) {
        FailLastError("cannot write " + QuotedPath(path_), onFat_);
      }
      data += done;
      n -= done;
    }
  }

  void Sync() override {
    if (!h_.valid())
      Fail(ERROR_INVALID_HANDLE, "cannot flush " + QuotedPath(path_) + " after closing it");
    if (!FlushFileBuffers(h_.get())) {
      FailLastError("cannot flush " + QuotedPath(path_) + " to the device", onFat_);
    }
  }

  void Close() override {
    if (!h_.valid()) return;
    if (!CloseHandle(h_.release())) FailLastError("cannot close " + QuotedPath(path_), onFat_);
  }

 private:
  Handle h_;
  std::string path_;
  bool onFat_;
};

}  // namespace

std::unique_ptr<SequentialFile> NewSequentialFile(RawHandle h, std::string path) {
  return std::make_unique<Win32SequentialFile>(h, std::move(path));
}

std::unique_ptr<RandomAccessFile> NewRandomAccessFile(RawHandle h, std::string path) {
  return std::make_unique<Win32RandomAccessFile>(h, std::move(path));
}

std::unique_ptr<WritableFile> NewWritableFile(RawHandle h, std::string path, bool onFat) {
  return std::make_unique<Win32WritableFile>(h, std::move(path), onFat);
}

std::unique_ptr<SequentialFile> NewUncachedFile(RawHandle h, std::string path,
                                                std::uint32_t sectorSize) {
  return std::make_unique<Win32UncachedFile>(h, std::move(path), sectorSize);
}

}  // namespace platform::win32
