// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/uStroke.h"

#include <cstdint>

#include "stroke/OruStroke.h"
#include "text/gbk.h"
#include "text/uPublic.h"

std::string StrokeText(std::string_view title) {
  std::string result;
  for (char16_t unit : gbk::ToUtf16(Trim(title))) {
    const auto count =
        static_cast<std::uint32_t>(GetStroke_Unicode(static_cast<std::uint32_t>(unit)));
    result += std::to_string(count);
  }
  return result;
}
