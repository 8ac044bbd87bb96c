#include "support/run_command.h"

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

CommandResult RunShell(const std::string& commandLine) {
  TempDir dir;
  const auto out = dir.path() / "out";
  const auto err = dir.path() / "err";
  const std::string full =
      "(" + commandLine + ") > " + ShellQuote(out.string()) + " 2> " + ShellQuote(err.string());
  const int raw = std::system(full.c_str());
  const int status = raw < 0 ? -1 : (raw & 0x7f) != 0 ? 128 + (raw & 0x7f) : (raw >> 8) & 0xff;
  return {status, TempDir::Read(out), TempDir::Read(err)};
}

CommandResult RunCli(const std::string& args) {
  return RunShell(ShellQuote(ADDSONGS_CLI) + " " + args);
}

bool GeneratorReproduces(const std::string& script, const std::string& committedFile,
                         std::string& why) {
  const std::filesystem::path source = ADDSONGS_SOURCE_DIR;
  TempDir dir;
  const auto output = dir.path() / "generated";
  const auto result = RunShell("/usr/bin/python3 " + ShellQuote((source / script).string()) +
                               " --output " + ShellQuote(output.string()));
  if (result.status != 0) {
    why = script + " failed: " + result.err;
    return false;
  }
  if (TempDir::Read(output) != TempDir::Read(source / committedFile)) {
    why = committedFile + " is out of date; run " + script;
    return false;
  }
  return true;
}
