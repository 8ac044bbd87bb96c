// SPDX-License-Identifier: GPL-3.0-or-later
// The GBK codec on any bytes, read as GBK, as UTF-8 and as UTF-16.
//
// Whatever converts comes back unchanged (GBK -> UTF-16 -> GBK, GBK -> UTF-8
// -> GBK, UTF-8 -> GBK -> UTF-8, UTF-16 -> GBK -> UTF-16); a failure names an
// offset before which everything converts; the throwing functions fail where
// the Try* ones do; Printable always gives GBK text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text/gbk.h"

namespace {

// The throwing conversion fails exactly where the Try* one does.
template <class Out, class In>
void SameAsTry(Out (*convert)(In), In in, const std::optional<Out>& tried, std::size_t bad) {
  try {
    const Out out = convert(in);
    FUZZ_CHECK(tried && out == *tried);
  } catch (const gbk::ConversionError& e) {
    FUZZ_CHECK(!tried && e.position() == bad);
  }
}

void FromGbk(std::string_view bytes) {
  std::size_t bad = 0;
  const auto utf16 = gbk::TryToUtf16(bytes, &bad);
  SameAsTry(gbk::ToUtf16, bytes, utf16, bad);
  if (utf16) {
    FUZZ_CHECK(gbk::TryFromUtf16(*utf16) == std::string(bytes));
  } else {
    FUZZ_CHECK(bad < bytes.size() && gbk::TryToUtf16(bytes.substr(0, bad)));
  }

  std::size_t bad8 = 0;
  const auto utf8 = gbk::TryToUtf8(bytes, &bad8);
  SameAsTry(gbk::ToUtf8, bytes, utf8, bad8);
  FUZZ_CHECK(utf8.has_value() == utf16.has_value());
  if (utf8) {
    FUZZ_CHECK(gbk::TryFromUtf8(*utf8) == std::string(bytes));
  } else {
    FUZZ_CHECK(bad8 == bad);
  }
}

void FromUtf8(std::string_view bytes) {
  std::size_t bad = 0;
  const auto text = gbk::TryFromUtf8(bytes, &bad);
  SameAsTry(gbk::FromUtf8, bytes, text, bad);
  if (text) {
    FUZZ_CHECK(text->size() <= bytes.size());
    FUZZ_CHECK(gbk::TryToUtf8(*text) == std::string(bytes));
  } else {
    FUZZ_CHECK(bad < bytes.size() && gbk::TryFromUtf8(bytes.substr(0, bad)));
  }
}

void FromUtf16(std::string_view bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                          static_cast<std::uint8_t>(bytes[i + 1]) << 8));
  }
  const std::u16string_view view = units;
  std::size_t bad = 0;
  const auto text = gbk::TryFromUtf16(view, &bad);
  SameAsTry(gbk::FromUtf16, view, text, bad);
  if (text) {
    FUZZ_CHECK(gbk::TryToUtf16(*text) == units);
  } else {
    FUZZ_CHECK(bad < units.size() && gbk::TryFromUtf16(view.substr(0, bad)));
  }
}

// The single characters: a pair that decodes encodes back to itself.
void Pairs(std::string_view bytes) {
  if (bytes.size() < 2) return;
  const auto lead = static_cast<std::uint8_t>(bytes[0]);
  const auto trail = static_cast<std::uint8_t>(bytes[1]);
  if (const char16_t unit = gbk::DecodePair(lead, trail); unit != 0) {
    FUZZ_CHECK(gbk::EncodeUnit(unit) == lead * 256 + trail);
  }
  if (const char16_t unit = gbk::DecodeSingle(lead); unit != 0) {
    FUZZ_CHECK(gbk::EncodeUnit(unit) == lead);
  }
}

void Printable(std::string_view bytes) {
  const std::string shown = gbk::Printable(bytes);
  FUZZ_CHECK(shown.find('\0') == std::string::npos && gbk::TryToUtf16(shown));
  if (bytes.find('\0') == std::string_view::npos && gbk::TryToUtf16(bytes)) {
    FUZZ_CHECK(shown == bytes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FromGbk(bytes);
  FromUtf8(bytes);
  FromUtf16(bytes);
  Pairs(bytes);
  Printable(bytes);
  return 0;
}
