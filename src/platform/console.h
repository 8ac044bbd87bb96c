// SPDX-License-Identifier: GPL-3.0-or-later
// The console program's meeting with the terminal: its arguments and its
// two output streams, in UTF-8 on every system.
//
// On Linux the terminal speaks UTF-8 already and nothing is converted. On
// Windows the arguments are read as UTF-16 from the system (the narrow argv
// is in the system's code page, which may not be able to hold Chinese) and
// the output goes to a console window as UTF-16 text; output to a pipe or a
// file stays the program's UTF-8 bytes, exactly as on Linux.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The program's arguments as UTF-8, argv[0] first. argc and argv are those
// main() received; on Windows they are replaced by the UTF-16 command line,
// where a lone surrogate (an unpaired half of a UTF-16 pair) becomes U+FFFD.
// Never throws but std::bad_alloc.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// True when the program's standard output is a terminal or console window
// (not a pipe or a file), so that a progress line may be redrawn in place.
bool StdoutIsTerminal();

// While it lives, the UTF-8 text written to std::cout and std::cerr is shown
// correctly: on Windows, a stream that is a console window is written with
// WriteConsoleW, and a stream that is a pipe or a file gets the bytes
// unchanged (no CR before LF). Nothing changes on Linux. Destroying it
// flushes both streams and puts their first buffers back. One at a time.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};

}  // namespace platform
