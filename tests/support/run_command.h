// SPDX-License-Identifier: GPL-3.0-or-later
// Running a program from a test: the console front end or a generator script.
#pragma once

#include <string>
#include <vector>

struct CommandResult {
  int status;       // the exit status (128 + signal when killed)
  std::string out;  // what it wrote to standard output
  std::string err;  // and to standard error
};

// The text quoted for the shell, whatever it holds.
std::string ShellQuote(const std::string& text);

// Runs a shell command line and captures both outputs.
CommandResult RunShell(const std::string& commandLine);

// Runs addsongs-cli with the words as its arguments, each handed over as it
// is: on POSIX through the shell (each word quoted), on Windows as a UTF-16
// command line through cmd.exe, so the words must be UTF-8 there and hold no
// '%' (cmd expands it even between quotes). On POSIX the program keeps its
// data (XDG_DATA_HOME) in a temporary folder of the tests.
CommandResult RunCli(const std::vector<std::string>& words);

// Runs a table generator of tools/ with Debian's Python into a temporary
// folder as `--output FILE` and tells whether it reproduced the committed
// file byte for byte; fills `why` when it did not (or could not run).
bool GeneratorReproduces(const std::string& script, const std::string& committedFile,
                         std::string& why);

// Why a generator's output cannot be compared on this machine: the data it
// reads is another version than the committed file was made from. The
// installed version is the word after `label` in the output of the shell
// command `probe`, the recorded one the word after `label` in the committed
// file (e.g. label "Unicode version: " or "ICU "). "" when both agree.
std::string DataVersionDiffers(const std::string& committedFile, const std::string& probe,
                               const std::string& label);
