// SPDX-License-Identifier: GPL-3.0-or-later
// The GBK codec against ICU's "windows-936" converter, code by code, plus its
// error reports and the UTF-8 conversions.
#include "text/gbk.h"

#include <unicode/ucnv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

// ICU's windows-936 with no fallbacks and a stop at the first unmappable piece.
class Icu936 {
 public:
  Icu936() {
    UErrorCode status = U_ZERO_ERROR;
    cnv_ = ucnv_open("windows-936", &status);
    if (U_FAILURE(status)) cnv_ = nullptr;
    if (cnv_ == nullptr) return;
    ucnv_setFallback(cnv_, false);
    ucnv_setToUCallBack(cnv_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(cnv_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  ~Icu936() {
    if (cnv_ != nullptr) ucnv_close(cnv_);
  }
  Icu936(const Icu936&) = delete;
  Icu936& operator=(const Icu936&) = delete;

  bool ok() const { return cnv_ != nullptr; }

  std::optional<std::u16string> Decode(std::string_view bytes) {
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(cnv_);
    const int32_t n = ucnv_toUChars(cnv_, out.data(), static_cast<int32_t>(out.size()),
                                    bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.resize(n);
    return out;
  }

  std::optional<std::string> Encode(std::u16string_view units) {
    std::string out(units.size() * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(cnv_);
    const int32_t n = ucnv_fromUChars(cnv_, out.data(), static_cast<int32_t>(out.size()),
                                      units.data(), static_cast<int32_t>(units.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.resize(n);
    return out;
  }

 private:
  UConverter* cnv_ = nullptr;
};

// UTF-16 -> UTF-8 by ICU, the oracle of the UTF-8 conversions.
std::string IcuUtf8(std::u16string_view units) {
  std::string out(units.size() * 3 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_convert("UTF-8", "UTF-16LE", out.data(), static_cast<int32_t>(out.size()),
                                 reinterpret_cast<const char*>(units.data()),
                                 static_cast<int32_t>(units.size() * 2), &status);
  EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  out.resize(n);
  return out;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string Hex(std::string_view bytes) {
  std::string s;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    s += buf;
  }
  return s;
}

class GbkAgainstIcu : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(icu_.ok()) << "ICU has no windows-936 converter"; }
  Icu936 icu_;
};

TEST_F(GbkAgainstIcu, EveryLeadAndFollowingByteDecodesAsIcuDoes) {
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string pair = Bytes({lead, trail});
      const char16_t ours = gbk::DecodePair(lead, trail);
      const std::optional<std::u16string> theirs = icu_.Decode(pair);
      if (theirs && theirs->size() == 1) {
        ASSERT_EQ(ours, (*theirs)[0]) << Hex(pair);
        // Round trip, both ways: ICU's pair back from the unit, and ours.
        ASSERT_EQ(icu_.Encode(*theirs), pair) << Hex(pair) << "is no round trip in ICU";
        ASSERT_EQ(gbk::EncodeUnit(ours), lead * 256 + trail) << Hex(pair);
        ++characters;
      } else {
        ASSERT_EQ(ours, 0) << Hex(pair) << "ICU has no single character for it";
      }
    }
  }
  // Code page 936 assigns every well-formed pair (the user-defined areas to
  // private use), so "unassigned pair" never happens with the shipped tables.
  EXPECT_EQ(characters, 126 * 190);
}

TEST_F(GbkAgainstIcu, EverySingleByteDecodesAsIcuDoes) {
  for (int b = 0x00; b <= 0x80; ++b) {
    const std::string byte = Bytes({b});
    const std::optional<std::u16string> theirs = icu_.Decode(byte);
    ASSERT_TRUE(theirs && theirs->size() == 1) << Hex(byte);
    EXPECT_EQ(gbk::DecodeSingle(b), (*theirs)[0]) << Hex(byte);
    EXPECT_EQ(gbk::EncodeUnit((*theirs)[0]), b) << Hex(byte);
    EXPECT_EQ(icu_.Encode(*theirs), byte) << Hex(byte);
  }
  EXPECT_EQ(gbk::DecodeSingle(0x80), u'\u20AC');
  for (int b = 0x81; b <= 0xFE; ++b) {
    EXPECT_EQ(gbk::DecodeSingle(b), 0) << b;
    EXPECT_FALSE(icu_.Decode(Bytes({b}))) << "lone lead byte " << b;
  }
}

// ICU (like Windows) pairs the byte 0xFF with the private-use U+F8F5. The codec
// deliberately refuses both: 0xFF in a title is damage, not a character.
TEST_F(GbkAgainstIcu, ByteFFAndUF8F5AreRefusedThoughIcuPairsThem) {
  EXPECT_EQ(icu_.Decode("\xFF"), std::u16string(u"\uF8F5"));
  EXPECT_EQ(gbk::DecodeSingle(0xFF), 0);
  EXPECT_EQ(gbk::EncodeUnit(u'\uF8F5'), -1);
  EXPECT_FALSE(gbk::TryToUtf16("\xFF"));
  EXPECT_FALSE(gbk::TryFromUtf16(u"\uF8F5"));
}

// ICU drops an unmappable default-ignorable character (soft hyphen, zero-width
// space, variation selector, BOM) without a word; the codec reports it.
TEST_F(GbkAgainstIcu, DefaultIgnorablesAreRefusedThoughIcuDropsThem) {
  for (const char16_t u : {u'\u00AD', u'\u200B', u'\uFE0F', u'\uFEFF'}) {
    const std::u16string text = {u'a', u};
    EXPECT_EQ(icu_.Encode(text), "a") << "U+" << std::hex << int{u};
    std::size_t bad_pos = 99;
    EXPECT_FALSE(gbk::TryFromUtf16(text, &bad_pos)) << "U+" << std::hex << int{u};
    EXPECT_EQ(bad_pos, 1u);
  }
}

TEST_F(GbkAgainstIcu, EveryBmpUnitEncodesExactlyWhereIcuHasARoundTrip) {
  int encoded = 0;
  for (int u = 0; u <= 0xFFFF; ++u) {
    const std::u16string unit(1, static_cast<char16_t>(u));
    const std::optional<std::string> theirs = icu_.Encode(unit);
    const bool round_trip = theirs && icu_.Decode(*theirs) == unit && u != 0xF8F5;
    std::size_t bad_pos = 99;
    const std::optional<std::string> ours = gbk::TryFromUtf16(unit, &bad_pos);
    if (round_trip) {
      ASSERT_EQ(ours, theirs) << "U+" << std::hex << u;
      ++encoded;
    } else {
      ASSERT_FALSE(ours) << "U+" << std::hex << u << " gave " << Hex(*ours);
      ASSERT_EQ(bad_pos, 0u);
      ASSERT_EQ(gbk::EncodeUnit(static_cast<char16_t>(u)), -1) << "U+" << std::hex << u;
    }
  }
  EXPECT_EQ(encoded, 0x81 + 126 * 190);
}

TEST_F(GbkAgainstIcu, WholeCodePageConvertsLikeIcuInOneText) {
  std::string all;
  for (int b = 0x00; b <= 0x80; ++b) all.push_back(static_cast<char>(b));
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F) all += Bytes({lead, trail});
    }
  }
  const std::optional<std::u16string> theirs = icu_.Decode(all);
  ASSERT_TRUE(theirs);
  const std::u16string utf16 = gbk::ToUtf16(all);
  EXPECT_EQ(utf16, *theirs);
  EXPECT_EQ(gbk::FromUtf16(utf16), all);
  const std::string utf8 = gbk::ToUtf8(all);
  EXPECT_EQ(utf8, IcuUtf8(utf16));
  EXPECT_EQ(gbk::FromUtf8(utf8), all);
}

struct GbkFault {
  std::string gbk;
  std::size_t pos;
  std::string message;  // expected what() of ToUtf16
};

TEST(GbkDecoding, ReportsTheFirstPieceThatIsNoCharacter) {
  const GbkFault cases[] = {
      {"abc\xFF", 3, "byte 0xFF at offset 3 is not GBK"},
      {"\xFF\xB0\xA1", 0, "byte 0xFF at offset 0 is not GBK"},
      {"\xB0\xA1\xFF\x41", 2, "byte 0xFF at offset 2 is not GBK"},
      {"A\x81", 1, "GBK lead byte 0x81 at offset 1 is cut off by the end of the text"},
      {"\xB0\xA1\xB0", 2, "GBK lead byte 0xB0 at offset 2 is cut off by the end of the text"},
      {"AB\x81\x20", 2,
       "GBK lead byte 0x81 at offset 2 is followed by 0x20, which is no trail byte"},
      {"\x81\x7F", 0, "GBK lead byte 0x81 at offset 0 is followed by 0x7F, which is no trail byte"},
      {"\xFE\xFF", 0, "GBK lead byte 0xFE at offset 0 is followed by 0xFF, which is no trail byte"},
      {"\x81\x3F", 0, "GBK lead byte 0x81 at offset 0 is followed by 0x3F, which is no trail byte"},
      {std::string("\xB0\x00", 2), 0,
       "GBK lead byte 0xB0 at offset 0 is followed by 0x00, which is no trail byte"},
      // A lead byte takes the next byte as its trail, so a text cut inside a
      // pair is not resynchronised on the following pair.
      {"\xB0\xB0\xA1", 2, "GBK lead byte 0xA1 at offset 2 is cut off by the end of the text"},
  };
  for (const GbkFault& c : cases) {
    SCOPED_TRACE(Hex(c.gbk));
    std::size_t pos16 = 99, pos8 = 99;
    EXPECT_FALSE(gbk::TryToUtf16(c.gbk, &pos16));
    EXPECT_FALSE(gbk::TryToUtf8(c.gbk, &pos8));
    EXPECT_FALSE(gbk::TryToUtf16(c.gbk));  // no position wanted
    EXPECT_EQ(pos16, c.pos);
    EXPECT_EQ(pos8, c.pos);
    try {
      gbk::ToUtf16(c.gbk);
      ADD_FAILURE() << "no exception";
    } catch (const gbk::ConversionError& e) {
      EXPECT_EQ(e.position(), c.pos);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_THROW(gbk::ToUtf8(c.gbk), gbk::ConversionError);
  }
}

struct Utf16Fault {
  std::u16string utf16;
  std::size_t pos;
  std::string message;
};

TEST(GbkEncoding, ReportsTheFirstUnitWithoutGbkForm) {
  const Utf16Fault cases[] = {
      {u"a\xD800", 1, "lone surrogate U+D800 at offset 1 is not a character"},
      {u"a\xD800"
       u"b",
       1, "lone surrogate U+D800 at offset 1 is not a character"},
      {u"\xDC00\xD800", 0, "lone surrogate U+DC00 at offset 0 is not a character"},
      {u"\xD83D\xD83D\xDE00", 0, "lone surrogate U+D83D at offset 0 is not a character"},
      {u"ab\U0001F600", 2, "U+1F600 at offset 2 has no GBK form"},
      {u"\u4E2D\uAC00", 1, "U+AC00 at offset 1 has no GBK form"},
      {u"\uFFFF", 0, "U+FFFF at offset 0 has no GBK form"},
  };
  for (const Utf16Fault& c : cases) {
    SCOPED_TRACE(c.message);
    std::size_t pos = 99;
    EXPECT_FALSE(gbk::TryFromUtf16(c.utf16, &pos));
    EXPECT_EQ(pos, c.pos);
    try {
      gbk::FromUtf16(c.utf16);
      ADD_FAILURE() << "no exception";
    } catch (const gbk::ConversionError& e) {
      EXPECT_EQ(e.position(), c.pos);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

struct Utf8Fault {
  std::string utf8;
  std::size_t pos;
  std::string message;
};

TEST(GbkFromUtf8, RefusesMalformedUtf8AndCharactersWithoutGbkForm) {
  const Utf8Fault cases[] = {
      // Overlong forms.
      {"\xC0\xAF", 0, "overlong UTF-8 sequence at offset 0"},
      {"a\xC1\x81", 1, "overlong UTF-8 sequence at offset 1"},
      {"a\xE0\x80\xAF", 1, "overlong UTF-8 sequence at offset 1"},
      {"\xF0\x8F\xBF\xBF", 0, "overlong UTF-8 sequence at offset 0"},
      // Cut off by the end, or broken by a byte that continues nothing.
      {"ab\xE4\xB8", 2, "UTF-8 sequence at offset 2 is cut off by the end of the text"},
      {"\xF0\x9F\x98", 0, "UTF-8 sequence at offset 0 is cut off by the end of the text"},
      {"\xE4", 0, "UTF-8 sequence at offset 0 is cut off by the end of the text"},
      {"\xE4\xB8"
       "a",
       0, "UTF-8 lead byte 0xE4 at offset 0 is not followed by enough continuation bytes"},
      {"\xC3(", 0, "UTF-8 lead byte 0xC3 at offset 0 is not followed by enough continuation bytes"},
      {"x\x80", 1, "byte 0x80 at offset 1 cannot start a UTF-8 character"},
      {"\xFF", 0, "byte 0xFF at offset 0 cannot start a UTF-8 character"},
      {"\xF8\x88\x80\x80\x80", 0, "byte 0xF8 at offset 0 cannot start a UTF-8 character"},
      // Surrogate code points.
      {"\xED\xA0\x80", 0,
       "UTF-8 sequence at offset 0 encodes a surrogate, which is not a character"},
      {"ok\xED\xBF\xBF", 2,
       "UTF-8 sequence at offset 2 encodes a surrogate, which is not a character"},
      // Beyond U+10FFFF.
      {"\xF4\x90\x80\x80", 0, "UTF-8 sequence at offset 0 encodes a value beyond U+10FFFF"},
      {"\xF5\x80\x80\x80", 0, "UTF-8 sequence at offset 0 encodes a value beyond U+10FFFF"},
      // Well-formed, but no GBK form: every 4-byte character, and some others.
      {"x\xF0\x9F\x98\x80", 1, "U+1F600 at offset 1 has no GBK form"},
      {"\xF4\x8F\xBF\xBF", 0, "U+10FFFF at offset 0 has no GBK form"},
      {"\xE4\xB8\xAD\xEA\xB0\x80", 3, "U+AC00 at offset 3 has no GBK form"},
      {"\xEF\xA3\xB5", 0, "U+F8F5 at offset 0 has no GBK form"},
  };
  for (const Utf8Fault& c : cases) {
    SCOPED_TRACE(Hex(c.utf8));
    std::size_t pos = 99;
    EXPECT_FALSE(gbk::TryFromUtf8(c.utf8, &pos));
    EXPECT_EQ(pos, c.pos);
    try {
      gbk::FromUtf8(c.utf8);
      ADD_FAILURE() << "no exception";
    } catch (const gbk::ConversionError& e) {
      EXPECT_EQ(e.position(), c.pos);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

struct Pair {
  std::string utf8;
  std::string gbk;
};

TEST(GbkUtf8, ConvertsBothWays) {
  const Pair cases[] = {
      {"", ""},
      {"Song 01.dat", "Song 01.dat"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"\xE2\x82\xAC", "\x80"},                  // euro sign, the single byte 0x80
      {"\xC2\xB7\xC3\xA9", "\xA1\xA4\xA8\xA6"},  // U+00B7, U+00E9
      {"\xE7\x94\xA8\xE6\x88\xB7\xE5\x8A\xA0\xE6\xAD\x8C\xE5\xAE\x8C\xE6\x88\x90",
       "\xD3\xC3\xBB\xA7\xBC\xD3\xB8\xE8\xCD\xEA\xB3\xC9"},  // 用户加歌完成
      {"\xEE\x80\x80", "\xAA\xA1"},  // U+E000, first of the user-defined area
      {"\xEF\xA8\xA9", "\xFE\x4F"},  // U+FA29, a trail byte below 0x7F
  };
  for (const Pair& c : cases) {
    SCOPED_TRACE(Hex(c.gbk));
    EXPECT_EQ(gbk::FromUtf8(c.utf8), c.gbk);
    EXPECT_EQ(gbk::TryFromUtf8(c.utf8), c.gbk);
    EXPECT_EQ(gbk::ToUtf8(c.gbk), c.utf8);
    EXPECT_EQ(gbk::TryToUtf8(c.gbk), c.utf8);
  }
}

TEST(GbkLiteral, TurnsUtf8SourceTextIntoGbkAndThrowsWithoutGbkForm) {
  EXPECT_EQ(Gbk(u8"用户加歌完成"), "\xD3\xC3\xBB\xA7\xBC\xD3\xB8\xE8\xCD\xEA\xB3\xC9");
  EXPECT_EQ(Gbk(u8"vod\\"), "vod\\");
  EXPECT_THROW(Gbk(u8"歌😀"), gbk::ConversionError);
}

// The committed tables are what the generator makes from the installed ICU.
TEST(GbkTables, GeneratorReproducesTheCommittedFiles) {
  const char* python = "/usr/bin/python3";
  if (std::system("command -v uconv >/dev/null 2>&1") != 0 || !std::filesystem::exists(python)) {
    GTEST_SKIP() << "needs Debian's python3 and uconv (icu-devtools) to run the generator";
  }
  const std::string other =
      DataVersionDiffers("src/text/gbk_tables.inc", "uconv --version", "ICU ");
  if (!other.empty()) GTEST_SKIP() << other;
  const std::filesystem::path source = ADDSONGS_SOURCE_DIR;
  const TempDir temp;
  const std::string command = std::string(python) + " '" +
                              (source / "tools" / "gen_gbk_tables.py").string() + "' '" +
                              temp.path().string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* file : {"tools/data/cp936.tsv", "src/text/gbk_tables.inc"}) {
    const std::string fresh = TempDir::Read(temp.path() / file);
    EXPECT_FALSE(fresh.empty()) << file;
    EXPECT_TRUE(fresh == TempDir::Read(source / file))
        << file << " differs from a fresh generation";
  }
}

}  // namespace
