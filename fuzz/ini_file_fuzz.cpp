// SPDX-License-Identifier: GPL-3.0-or-later
// TIniFile lookups of any section and key in any file.
//
// Input: section, key (each a length byte and its bytes), then the file.
// A value is at most kMaxValueBytes long and holds no NUL; the three lookups
// agree; ASCII names match in any case; the number conversion of a decimal
// value agrees with strtoll.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/ini_file.h"
#include "fuzz_check.h"
#include "memory_env.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// An optional sign and 1 to 18 decimal digits: strtoll reads it exactly.
bool IsShortDecimal(const std::string& text) {
  const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (text.size() <= start || text.size() - start > 18) return false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

void CheckInteger(const std::string& text) {
  const auto value = IniInteger(text);
  if (!IsShortDecimal(text)) return;
  const long long expected = std::strtoll(text.c_str(), nullptr, 10);
  const bool fits = expected >= INT32_MIN && expected <= INT32_MAX;
  FUZZ_CHECK(value.has_value() == fits);
  if (value) FUZZ_CHECK(*value == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeBytesAsString(input.ConsumeIntegral<std::uint8_t>());
  const std::string key = input.ConsumeBytesAsString(input.ConsumeIntegral<std::uint8_t>());
  fuzz::MemoryEnv env;
  env.files["settings.ini"] = input.ConsumeRemainingBytesAsString();
  const TIniFile ini(env, "settings.ini");

  const auto value = ini.Find(section, key);
  FUZZ_CHECK(ini.ReadString(section, key, "fallback") == value.value_or("fallback"));
  const std::int32_t number = ini.ReadInteger(section, key, -7);
  if (value) {
    FUZZ_CHECK(value->size() <= TIniFile::kMaxValueBytes);
    FUZZ_CHECK(value->find('\0') == std::string::npos);
    FUZZ_CHECK(number == IniInteger(*value).value_or(-7));
    CheckInteger(*value);
  } else {
    FUZZ_CHECK(number == -7);
  }
  if (IsAscii(section) && IsAscii(key)) FUZZ_CHECK(ini.Find(Upper(section), Upper(key)) == value);
  CheckInteger(section);
  return 0;
}
