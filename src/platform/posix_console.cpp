// SPDX-License-Identifier: GPL-3.0-or-later
// The terminal of a POSIX system reads and writes UTF-8: nothing to convert.
#include "platform/console.h"

#include <unistd.h>

#include <iostream>

namespace platform {

struct Utf8Console::Streams {};

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

bool StdoutIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() {
  std::cout.flush();
  std::cerr.flush();
}

}  // namespace platform
