// SPDX-License-Identifier: GPL-3.0-or-later
// SplitString on any text and separator (the first input byte): the pieces
// joined with the separator give the text back, none holds the separator,
// and the list handed in keeps what it held.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text/uPublic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char separator = static_cast<char>(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  TStringList list{"kept"};
  SplitString(text, separator, list);
  FUZZ_CHECK(list.front() == "kept");

  std::size_t separators = 0;
  for (char c : text) separators += c == separator ? 1 : 0;
  FUZZ_CHECK(list.size() == separators + 2);

  std::string joined;
  for (std::size_t i = 1; i < list.size(); ++i) {
    FUZZ_CHECK(list[i].find(separator) == std::string::npos);
    if (i > 1) joined += separator;
    joined += list[i];
  }
  FUZZ_CHECK(joined == text);
  return 0;
}
