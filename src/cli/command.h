// SPDX-License-Identifier: GPL-3.0-or-later
// The console program's commands. Each command lives in a file of its own and
// registers itself with a static Registration object, so adding a command
// touches no other file.
//
// Terminal text is UTF-8 on both sides; a command converts to GBK at once and
// back when it prints.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

struct Command {
  std::string name;     // the first word on the command line, e.g. "check"
  std::string usage;    // one line, e.g. "check FILE"
  std::string summary;  // one line for --help
  // Runs with the words after the name; returns the exit status.
  std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>
      run;
};

// All registered commands, in name order.
const std::vector<Command>& Commands();

class Registration {
 public:
  explicit Registration(Command command);
};

}  // namespace cli
