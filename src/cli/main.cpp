// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli: the console front end of the song-adding tool.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/terminal.h"
#include "platform/console.h"

namespace cli {
namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

const std::vector<Command>& Commands() {
  return Registry();
}

Registration::Registration(Command command) {
  auto& all = Registry();
  auto at = std::lower_bound(all.begin(), all.end(), command.name,
                             [](const Command& c, const std::string& n) { return c.name < n; });
  all.insert(at, std::move(command));
}
}  // namespace cli

namespace {
void PrintHelp(std::ostream& out) {
  out << "addsongs-cli: adds new songs to a karaoke jukebox (console tools)\n\n"
      << "usage: addsongs-cli COMMAND [ARGS...]\n\ncommands:\n";
  for (const auto& c : cli::Commands()) {
    out << "  " << c.usage << "\n      " << c.summary << "\n";
  }
  out << "  --help\n      this text\n";
}
}  // namespace

int main(int argc, char** argv) {
  // Commands read and write UTF-8; on Windows this takes the UTF-16 command
  // line and shows Chinese on a console window.
  const platform::Utf8Console console;
  std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());  // the program's own name
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return args.empty() ? 2 : 0;
  }
  for (const auto& c : cli::Commands()) {
    if (c.name == args[0]) {
      args.erase(args.begin());  // the command's name
      try {
        return c.run(args, std::cout, std::cerr);
      } catch (const std::exception& e) {
        std::cerr << "addsongs-cli " << c.name << ": " << cli::ForTerminal(e.what()) << "\n";
        return 2;
      }
    }
  }
  std::cerr << "addsongs-cli: unknown command '" << args[0] << "' (try --help)\n";
  return 2;
}
