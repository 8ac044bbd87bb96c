// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/line_layout.h"

std::string TLineVerdict::Describe() const {
  const std::string where = "field " + std::to_string(position) + " (" + field + ")";
  switch (reason) {
    case Reason::kAccepted:
      return "accepted";
    case Reason::kFieldCount:
      return std::to_string(fieldCount) + " fields, " + std::to_string(expected) + " expected";
    case Reason::kFlag:
      return where + " is not exactly 0 or 1";
    case Reason::kSongNo:
      return where + " does not begin with 66";
    case Reason::kInteger:
      return where + " is not an integer";
  }
  return "refused";
}

namespace line_layout {

std::string UpperAscii(std::string text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
      ++i;  // a double-byte character: its trail byte may look like a letter
    } else if (c >= 'a' && c <= 'z') {
      text[i] = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

bool IsExactFlag(const std::string& piece) {
  return piece == "0" || piece == "1";
}

}  // namespace line_layout
