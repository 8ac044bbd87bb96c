// SPDX-License-Identifier: GPL-3.0-or-later
// A small reader of INI files, for the configuration files that sit next to
// the program. It finds values the way the Windows profile-string service
// (GetPrivateProfileStringA with a 2048-byte buffer) does for such files:
//
//   - Lines end at LF, CR LF or CR. Blanks (space, tab, CR, LF, VT, FF) around
//     a line, a section name, a key name and a value do not count.
//   - "[name]" starts a section; the name is what lies between the '[' and
//     the last ']' of the line. Lines before the first section belong to none.
//   - "key=value" inside a section: the key is the text before the first '=',
//     the value the text after it. A line without '=' defines no value. A
//     comment line (";...") needs no rule: its key begins with ';' and so
//     never matches a real key name.
//   - Section and key names match without regard to ASCII letter case (the
//     bytes of double-byte GBK characters are compared exactly).
//   - The first section of a name wins: later sections of the same name are
//     not looked at. Inside it, the first line of a key wins.
//   - A value enclosed in a matching pair of double (or single) quotes loses
//     them; nothing else is removed. An empty value stays empty.
//   - Values are GBK bytes, unconverted, ending at a NUL byte if they hold
//     one, and cut after the last whole GBK character within 2047 bytes.
//
// The file is read once, through platform::Env; the reader never writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {
class Env;
}

// The number conversion of configuration codes: the whole text is a signed
// 32-bit integer, an optional sign followed by decimal digits or by "0x"/"0X"
// and hexadecimal digits (the hexadecimal form may take all 32 bits, as the
// line parsers' integer check allows). Anything else, the empty text
// included, gives std::nullopt.
std::optional<std::int32_t> IniInteger(std::string_view text);

class TIniFile {
 public:
  // Largest value handed out, in bytes.
  static constexpr std::size_t kMaxValueBytes = 2047;

  // Reads the whole file. A missing or unreadable file (or an empty path)
  // reads as an empty one, so every lookup then gives its default. Never
  // throws for the file's content, whatever it holds.
  TIniFile(platform::Env& env, const std::string& path);

  // The value of the key in the section, or std::nullopt when the section or
  // the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  // The value of the key, or fallback when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;

  // The value of the key as an IniInteger, or fallback when the section or
  // key is missing or the value is not such an integer.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;

 private:
  std::string bytes_;
};
