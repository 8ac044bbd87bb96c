// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ini_file.h"

#include <exception>
#include <memory>

#include "platform/env.h"
#include "text/uPublic.h"

namespace {
bool IsBlankByte(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlankByte(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankByte(text.back())) text.remove_suffix(1);
  return text;
}

bool IsLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

char FoldAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Equal names, ASCII letters matched in either case; the two bytes of a GBK
// character are compared exactly, so a trail byte that looks like a letter
// is never folded.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// The value as handed out: ended at NUL, quotes removed, cut to whole
// characters within kMaxValueBytes.
std::string Deliver(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  std::size_t end = 0;
  while (end < value.size()) {
    const std::size_t width = (IsLeadByte(value[end]) && end + 1 < value.size()) ? 2 : 1;
    if (end + width > TIniFile::kMaxValueBytes) break;
    end += width;
  }
  return std::string(value.substr(0, end));
}

// The file's bytes; a missing or unreadable file reads as empty.
std::string ReadIfPresent(platform::Env& env, const std::string& path) {
  std::string bytes;
  if (path.empty() || !env.FileExists(path)) return bytes;
  try {
    bytes = platform::ReadWholeFile(env, path);
  } catch (const std::exception&) {
    bytes.clear();  // unreadable: as if it were missing
  }
  return bytes;
}
}  // namespace

std::optional<std::int32_t> IniInteger(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  // The shared check also takes "$" and a bare "x"; configuration codes do not.
  if (!digits.empty() &&
      (digits.front() == '$' || digits.front() == 'x' || digits.front() == 'X')) {
    return std::nullopt;
  }
  return TryStrToInt(text);
}

TIniFile::TIniFile(platform::Env& env, const std::string& path)
    : bytes_(ReadIfPresent(env, path)) {}

std::optional<std::string> TIniFile::Find(std::string_view section, std::string_view key) const {
  const std::string_view text = bytes_;
  bool inSection = false;  // inside the first section of the name
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = TrimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        if (inSection) return std::nullopt;  // the first section of the name ended
        inSection = SameName(TrimBlanks(line.substr(1, close - 1)), section);
        continue;
      }
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (SameName(TrimBlanks(line.substr(0, equals)), key)) {
      return Deliver(TrimBlanks(line.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& fallback) const {
  auto value = Find(section, key);
  return value ? *value : fallback;
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
  const auto value = Find(section, key);
  if (!value) return fallback;
  return IniInteger(*value).value_or(fallback);
}
