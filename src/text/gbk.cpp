// SPDX-License-Identifier: GPL-3.0-or-later
// GBK (code page 936) codec over the generated tables of gbk_tables.inc.
//
// Both directions are constant tables, generated and checked in: GBK -> UTF-16
// is one array per byte kind (single bytes, pairs indexed by lead and trail),
// UTF-16 -> GBK is a two-level table (page of the unit, then its low byte) that
// stores only the pages of the Basic Multilingual Plane that hold a GBK
// character. Every lookup is O(1); nothing is built at run time and nothing is
// allocated beyond the result string.
//
// The conversions stop at the first piece they cannot convert and describe it
// (kind, offset, the bytes or the code point), so the Try* functions give the
// offset and the throwing ones a clear message from the same walk.
#include "text/gbk.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace gbk {
namespace {

#include "text/gbk_tables.inc"

constexpr std::uint8_t kFirstLead = 0x81;
constexpr std::uint8_t kLastLead = 0xFE;
constexpr std::uint8_t kFirstTrail = 0x40;
constexpr std::uint8_t kLastTrail = 0xFE;
constexpr std::uint8_t kEuroByte = 0x80;

// What stopped a conversion, and where.
struct Fault {
  enum Kind {
    kNone,
    kBadByte,          // a byte that starts no GBK character (0xFF)
    kLeadAtEnd,        // a lead byte with nothing after it
    kBadPair,          // a lead byte followed by a byte that is no trail byte
    kUnassignedPair,   // a well-formed pair that is no character
    kLoneSurrogate,    // UTF-16 surrogate without its partner
    kNoGbkForm,        // a character that GBK cannot hold
    kUtf8Overlong,     // UTF-8 sequence longer than its character needs
    kUtf8Truncated,    // UTF-8 sequence cut short by the end of the text
    kUtf8BadSequence,  // UTF-8 lead byte without the continuation bytes it needs
    kUtf8StrayByte,    // a byte that cannot start a UTF-8 sequence
    kUtf8Surrogate,    // UTF-8 form of a surrogate code point
    kUtf8TooLarge,     // UTF-8 form of a value beyond U+10FFFF
  };
  Kind kind = kNone;
  std::size_t pos = 0;
  std::uint8_t byte1 = 0;  // the offending byte(s), for the GBK and UTF-8 faults
  std::uint8_t byte2 = 0;
  char32_t code_point = 0;  // for the Unicode faults
};

std::string Hex(unsigned value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, value);
  return buf;
}

std::string Describe(const Fault& f) {
  const std::string at = " at offset " + std::to_string(f.pos);
  const std::string b1 = "0x" + Hex(f.byte1, 2);
  const std::string b2 = "0x" + Hex(f.byte2, 2);
  const std::string cp = "U+" + Hex(f.code_point, 4);
  switch (f.kind) {
    case Fault::kBadByte:
      return "byte " + b1 + at + " is not GBK";
    case Fault::kLeadAtEnd:
      return "GBK lead byte " + b1 + at + " is cut off by the end of the text";
    case Fault::kBadPair:
      return "GBK lead byte " + b1 + at + " is followed by " + b2 + ", which is no trail byte";
    case Fault::kUnassignedPair:
      return "bytes " + b1 + " " + b2 + at + " are no GBK character";
    case Fault::kLoneSurrogate:
      return "lone surrogate " + cp + at + " is not a character";
    case Fault::kNoGbkForm:
      return cp + at + " has no GBK form";
    case Fault::kUtf8Overlong:
      return "overlong UTF-8 sequence" + at;
    case Fault::kUtf8Truncated:
      return "UTF-8 sequence" + at + " is cut off by the end of the text";
    case Fault::kUtf8BadSequence:
      return "UTF-8 lead byte " + b1 + at + " is not followed by enough continuation bytes";
    case Fault::kUtf8StrayByte:
      return "byte " + b1 + at + " cannot start a UTF-8 character";
    case Fault::kUtf8Surrogate:
      return "UTF-8 sequence" + at + " encodes a surrogate, which is not a character";
    case Fault::kUtf8TooLarge:
      return "UTF-8 sequence" + at + " encodes a value beyond U+10FFFF";
    case Fault::kNone:
      break;
  }
  return "conversion failed" + at;
}

[[noreturn]] void Raise(const Fault& f) {
  throw ConversionError(Describe(f), f.pos);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {  // the tables only hold BMP units that are no surrogates
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Appends the GBK code of EncodeUnit() as its one or two bytes.
void AppendGbk(std::string& out, int code) {
  if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

// Walks GBK text, handing each character's UTF-16 unit to `emit`. Returns false
// and fills `fault` at the first piece that is not a character.
template <typename Emit>
bool DecodeGbk(std::string_view gbk, Emit emit, Fault& fault) {
  const std::size_t n = gbk.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<std::uint8_t>(gbk[i]);
    if (b <= kEuroByte) {
      emit(kSingle[b]);
      ++i;
      continue;
    }
    fault.pos = i;
    fault.byte1 = b;
    if (b > kLastLead) {
      fault.kind = Fault::kBadByte;
      return false;
    }
    if (i + 1 == n) {
      fault.kind = Fault::kLeadAtEnd;
      return false;
    }
    const auto t = static_cast<std::uint8_t>(gbk[i + 1]);
    const char16_t unit = DecodePair(b, t);
    if (unit == 0) {
      fault.byte2 = t;
      const bool trail_ok = t >= kFirstTrail && t <= kLastTrail && t != 0x7F;
      fault.kind = trail_ok ? Fault::kUnassignedPair : Fault::kBadPair;
      return false;
    }
    emit(unit);
    i += 2;
  }
  return true;
}

bool EncodeUtf16(std::u16string_view utf16, std::string& out, Fault& fault) {
  out.reserve(utf16.size() * 2);
  const std::size_t n = utf16.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = utf16[i];
    const int code = EncodeUnit(u);
    if (code >= 0) {
      AppendGbk(out, code);
      continue;
    }
    fault.pos = i;
    fault.code_point = u;
    fault.kind = Fault::kNoGbkForm;
    if (u >= 0xD800 && u <= 0xDFFF) {
      const bool pair =
          u <= 0xDBFF && i + 1 < n && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
      if (pair) {
        fault.code_point = 0x10000 + ((char32_t{u} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      } else {
        fault.kind = Fault::kLoneSurrogate;
      }
    }
    return false;
  }
  return true;
}

// The range of the second byte after a UTF-8 lead byte, and what a
// continuation byte below or above it would have encoded.
struct SecondByte {
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  Fault::Kind below = Fault::kUtf8BadSequence;
  Fault::Kind above = Fault::kUtf8BadSequence;
};

SecondByte SecondByteAfter(std::uint8_t lead) {
  switch (lead) {
    case 0xE0:
      return {0xA0, 0xBF, Fault::kUtf8Overlong, Fault::kUtf8BadSequence};
    case 0xED:
      return {0x80, 0x9F, Fault::kUtf8BadSequence, Fault::kUtf8Surrogate};
    case 0xF0:
      return {0x90, 0xBF, Fault::kUtf8Overlong, Fault::kUtf8BadSequence};
    case 0xF4:
      return {0x80, 0x8F, Fault::kUtf8BadSequence, Fault::kUtf8TooLarge};
    default:
      return {};
  }
}

// Reads one UTF-8 character at `i` (well-formed by the rules of Unicode's table
// 3-7: shortest form, no surrogates, at most U+10FFFF). On success stores the
// code point, advances `i` and returns true; otherwise fills `fault`.
bool ReadUtf8(std::string_view s, std::size_t& i, char32_t& c, Fault& fault) {
  const auto b = static_cast<std::uint8_t>(s[i]);
  fault.pos = i;
  fault.byte1 = b;
  if (b < 0x80) {
    c = b;
    ++i;
    return true;
  }
  int length = 0;
  if (b < 0xC0 || b > 0xF7) {
    fault.kind = Fault::kUtf8StrayByte;
  } else if (b < 0xC2) {
    fault.kind = Fault::kUtf8Overlong;  // C0 and C1 would encode ASCII
  } else if (b > 0xF4) {
    fault.kind = Fault::kUtf8TooLarge;
  } else {
    length = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  }
  if (length == 0) return false;
  const SecondByte second = SecondByteAfter(b);
  c = b & (0xFF >> (length + 1));
  for (int k = 1; k < length; ++k) {
    if (i + k >= s.size()) {
      fault.kind = Fault::kUtf8Truncated;
      return false;
    }
    const auto next = static_cast<std::uint8_t>(s[i + k]);
    const std::uint8_t lo = k == 1 ? second.low : 0x80;
    const std::uint8_t hi = k == 1 ? second.high : 0xBF;
    if (next < lo || next > hi) {
      // A continuation byte out of the narrowed range tells what was meant;
      // anything else just breaks the sequence.
      const bool continuation = next >= 0x80 && next <= 0xBF;
      fault.kind = !continuation ? Fault::kUtf8BadSequence
                   : next < lo   ? second.below
                                 : second.above;
      return false;
    }
    c = (c << 6) | (next & 0x3F);
  }
  i += length;
  return true;
}

bool EncodeUtf8(std::string_view utf8, std::string& out, Fault& fault) {
  out.reserve(utf8.size());  // no character takes more bytes in GBK than in UTF-8
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    char32_t c = 0;
    if (!ReadUtf8(utf8, i, c, fault)) return false;
    const int code = c <= 0xFFFF ? EncodeUnit(static_cast<char16_t>(c)) : -1;
    if (code < 0) {
      fault.kind = Fault::kNoGbkForm;
      fault.pos = start;
      fault.code_point = c;
      return false;
    }
    AppendGbk(out, code);
  }
  return true;
}

bool DecodeToUtf16(std::string_view gbk, std::u16string& out, Fault& fault) {
  out.reserve(gbk.size());
  return DecodeGbk(
      gbk, [&out](char16_t u) { out.push_back(u); }, fault);
}

bool DecodeToUtf8(std::string_view gbk, std::string& out, Fault& fault) {
  out.reserve(gbk.size() + gbk.size() / 2);  // a pair becomes at most three bytes
  return DecodeGbk(
      gbk, [&out](char16_t u) { AppendUtf8(out, u); }, fault);
}

// Runs one conversion for the Try* functions.
template <typename Out, typename In, typename Convert>
std::optional<Out> Try(In in, std::size_t* bad_pos, Convert convert) {
  Out out;
  Fault fault;
  if (convert(in, out, fault)) return out;
  if (bad_pos != nullptr) *bad_pos = fault.pos;
  return std::nullopt;
}

// Runs one conversion for the throwing functions.
template <typename Out, typename In, typename Convert>
Out Must(In in, Convert convert) {
  Out out;
  Fault fault;
  if (!convert(in, out, fault)) Raise(fault);
  return out;
}

}  // namespace

char16_t DecodePair(std::uint8_t lead, std::uint8_t trail) {
  if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) return 0;
  return kPair[lead - kFirstLead][trail - kFirstTrail];
}

char16_t DecodeSingle(std::uint8_t byte) {
  return byte <= kEuroByte ? kSingle[byte] : 0;
}

int EncodeUnit(char16_t unit) {
  if (unit == 0) return 0;
  const std::uint16_t code = kEncodeBlock[kEncodePage[unit >> 8]][unit & 0xFF];
  return code != 0 ? code : -1;
}

std::optional<std::u16string> TryToUtf16(std::string_view gbk, std::size_t* bad_pos) {
  return Try<std::u16string>(gbk, bad_pos, DecodeToUtf16);
}

std::u16string ToUtf16(std::string_view gbk) {
  return Must<std::u16string>(gbk, DecodeToUtf16);
}

std::optional<std::string> TryFromUtf16(std::u16string_view utf16, std::size_t* bad_pos) {
  return Try<std::string>(utf16, bad_pos, EncodeUtf16);
}

std::string FromUtf16(std::u16string_view utf16) {
  return Must<std::string>(utf16, EncodeUtf16);
}

std::optional<std::string> TryToUtf8(std::string_view gbk, std::size_t* bad_pos) {
  return Try<std::string>(gbk, bad_pos, DecodeToUtf8);
}

std::string ToUtf8(std::string_view gbk) {
  return Must<std::string>(gbk, DecodeToUtf8);
}

std::optional<std::string> TryFromUtf8(std::string_view utf8, std::size_t* bad_pos) {
  return Try<std::string>(utf8, bad_pos, EncodeUtf8);
}

std::string FromUtf8(std::string_view utf8) {
  return Must<std::string>(utf8, EncodeUtf8);
}

bool IsUtf8(std::string_view text) {
  Fault fault;
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (!ReadUtf8(text, i, c, fault)) return false;
  }
  return true;
}

}  // namespace gbk

std::string Gbk(std::u8string_view utf8) {
  return gbk::FromUtf8(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

namespace gbk {

std::string Printable(std::string_view bytes) {
  if (bytes.find('\0') == std::string_view::npos && TryToUtf16(bytes)) return std::string(bytes);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}

}  // namespace gbk
