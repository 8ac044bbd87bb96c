// SPDX-License-Identifier: GPL-3.0-or-later
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

#if defined(_WIN32)

namespace {

// One argument quoted the way CommandLineToArgvW takes it apart again:
// backslashes are literal except before a quote.
std::wstring ArgvQuote(const std::wstring& word) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L'"';
}

std::wstring Wide(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

}  // namespace

CommandResult RunCli(const std::vector<std::string>& words) {
  TempDir dir;
  const auto out = dir.path() / "out";
  const auto err = dir.path() / "err";
  std::wstring line = ArgvQuote(std::filesystem::path(ADDSONGS_CLI).make_preferred().wstring());
  for (const std::string& word : words) line += L" " + ArgvQuote(Wide(word));
  line += L" >" + ArgvQuote(out.wstring()) + L" 2>" + ArgvQuote(err.wstring());
  // cmd /c drops the first and the last quote of a line that begins with one.
  const int status = _wsystem((L"\"" + line + L"\"").c_str());
  return {status, TempDir::Read(out), TempDir::Read(err)};
}

#else

CommandResult RunCli(const std::vector<std::string>& words) {
  // The copies of the lists a run replaces go into the tests' own folder.
  static const TempDir data;
  std::string line =
      "XDG_DATA_HOME=" + ShellQuote(data.path().string()) + " " + ShellQuote(ADDSONGS_CLI);
  for (const std::string& word : words) line += " " + ShellQuote(word);
  return RunShell(line);
}

#endif

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

namespace {
// The word after the first `label` in text; "" when the label is missing.
std::string WordAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) return {};
  const std::size_t begin = at + label.size();
  const std::size_t end = text.find_first_of(" \t\r\n", begin);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}
}  // namespace

std::string DataVersionDiffers(const std::string& committedFile, const std::string& probe,
                               const std::string& label) {
  const std::filesystem::path source = ADDSONGS_SOURCE_DIR;
  const std::string recorded = WordAfter(TempDir::Read(source / committedFile), label);
  const std::string installed = WordAfter(RunShell(probe).out, label);
  if (recorded == installed) return {};
  return committedFile + " was made from " + label + (recorded.empty() ? "?" : recorded) +
         ", this machine has " + (installed.empty() ? "none" : installed) +
         ": the regeneration is compared only where both agree";
}
