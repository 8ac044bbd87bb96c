// SPDX-License-Identifier: GPL-3.0-or-later
// The console program on Windows: UTF-16 arguments from the system, and
// UTF-8 output shown on a console window through WriteConsoleW.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "platform/console.h"

namespace platform {

namespace {

std::string Utf8Of(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
  utf8.pop_back();  // the terminating NUL
  return utf8;
}

// How many of the first n bytes end with a whole UTF-8 sequence: an
// unfinished sequence at the end waits for the next bytes.
std::size_t CompleteUtf8(const char* text, std::size_t n) {
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto byte = static_cast<unsigned char>(text[n - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? n - back : n;
  }
  return n;
}

// A stream buffer that shows UTF-8 text on a console window.
class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) { setp(bytes_, bytes_ + kSize); }
  ~ConsoleBuffer() override { Drain(true); }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain(false)) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain(false) ? 0 : -1; }

 private:
  static constexpr std::size_t kSize = 4096;

  // Writes the buffered text; an unfinished UTF-8 sequence stays unless all
  // must go (it then shows as U+FFFD).
  bool Drain(bool all) {
    const auto n = static_cast<std::size_t>(pptr() - pbase());
    const std::size_t done = all ? n : CompleteUtf8(bytes_, n);
    bool ok = true;
    if (done > 0) {
      const int units = MultiByteToWideChar(CP_UTF8, 0, bytes_, static_cast<int>(done), nullptr, 0);
      std::wstring wide(static_cast<std::size_t>(units), L'\0');
      MultiByteToWideChar(CP_UTF8, 0, bytes_, static_cast<int>(done), wide.data(), units);
      for (std::size_t at = 0; ok && at < wide.size();) {
        DWORD written = 0;
        ok = WriteConsoleW(console_, wide.data() + at, static_cast<DWORD>(wide.size() - at),
                           &written, nullptr) &&
             written > 0;
        at += written;
      }
    }
    std::copy(bytes_ + done, bytes_ + n, bytes_);
    setp(bytes_, bytes_ + kSize);
    pbump(static_cast<int>(n - done));
    return ok;
  }

  HANDLE console_;
  char bytes_[kSize];
};

// One standard stream: its console buffer while it is a console window, or
// binary mode while it is a pipe or a file.
class Redirected {
 public:
  Redirected(std::ostream& stream, DWORD handleId, std::FILE* file) : stream_(stream), file_(file) {
    HANDLE handle = GetStdHandle(handleId);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)) {
      console_ = std::make_unique<ConsoleBuffer>(handle);
      old_ = stream.rdbuf(console_.get());
    } else if (const int fd = _fileno(file_); fd >= 0) {  // -2: no stream at all
      std::fflush(file_);
      oldMode_ = _setmode(fd, _O_BINARY);
    }
  }
  ~Redirected() {
    stream_.flush();
    if (console_) {
      stream_.rdbuf(old_);
    } else if (oldMode_ != -1) {
      std::fflush(file_);
      _setmode(_fileno(file_), oldMode_);
    }
  }
  Redirected(const Redirected&) = delete;
  Redirected& operator=(const Redirected&) = delete;

 private:
  std::ostream& stream_;
  std::FILE* file_;
  std::unique_ptr<ConsoleBuffer> console_;
  std::streambuf* old_ = nullptr;
  int oldMode_ = -1;
};

}  // namespace

struct Utf8Console::Streams {
  Redirected out{std::cout, STD_OUTPUT_HANDLE, stdout};
  Redirected err{std::cerr, STD_ERROR_HANDLE, stderr};
};

bool StdoutIsTerminal() {
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  args.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) args.push_back(Utf8Of(wide[i]));
  LocalFree(wide);
  return args;
}

Utf8Console::Utf8Console() : streams_(std::make_unique<Streams>()) {}
Utf8Console::~Utf8Console() = default;

}  // namespace platform
