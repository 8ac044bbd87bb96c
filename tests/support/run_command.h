// Running a program from a test: the console front end or a generator script.
#pragma once

#include <string>

struct CommandResult {
  int status;       // the exit status (128 + signal when killed)
  std::string out;  // what it wrote to standard output
  std::string err;  // and to standard error
};

// The text quoted for the shell, whatever it holds.
std::string ShellQuote(const std::string& text);

// Runs a shell command line and captures both outputs.
CommandResult RunShell(const std::string& commandLine);

// Runs addsongs-cli with the (already quoted) arguments.
CommandResult RunCli(const std::string& args);

// Runs a table generator of tools/ with Debian's Python into a temporary
// folder as `--output FILE` and tells whether it reproduced the committed
// file byte for byte; fills `why` when it did not (or could not run).
bool GeneratorReproduces(const std::string& script, const std::string& committedFile,
                         std::string& why);
