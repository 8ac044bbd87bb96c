// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/uPublic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "text/gbk.h"

namespace {

TEST(SplitString, KeepsEveryEmptyPieceAndGivesOneMoreEntryThanSeparators) {
  struct Case {
    std::string text;
    char sep;
    TStringList want;
  };
  const Case cases[] = {
      {"", ';', {""}},
      {";", ';', {"", ""}},
      {"a;b;;c", ';', {"a", "b", "", "c"}},
      {"a;", ';', {"a", ""}},
      {"a;b;", ';', {"a", "b", ""}},
      {";a", ';', {"", "a"}},
      {"a-b-c", '-', {"a", "b", "c"}},
      {"abc", ';', {"abc"}},
  };
  for (const auto& c : cases) {
    TStringList got;
    SplitString(c.text, c.sep, got);
    EXPECT_EQ(got, c.want) << "text '" << c.text << "'";
  }
}

TEST(SplitString, AppendsToTheListWithoutClearingIt) {
  TStringList list{"kept"};
  SplitString("x;y", ';', list);
  EXPECT_EQ(list, (TStringList{"kept", "x", "y"}));
}

TEST(IsSongNumber, AcceptsExactlyFourAsciiDigits) {
  const std::pair<std::string, bool> cases[] = {
      {"0001", true},         {"9999", true},  {"123", false},
      {"12345", false},       {"12a4", false}, {"", false},
      {"+123", false},        {" 123", false}, {"123 ", false},
      {Gbk(u8"１２"), false},  // four bytes, full-width digits
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(IsSongNumber(text), want) << text;
}

TEST(LowerAscii, LowersAsciiLettersButNeverAByteOfAChineseCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"A-B.MPG", "a-b.mpg"},
      {"\x81\x41.DAT", "\x81\x41.dat"},  // 0x41 ('A') is the character's trail byte
      {"\x81 Z", "\x81 z"},              // a lead byte without a trail stands alone
      {"\xB0", "\xB0"},
      {"", ""},
  };
  for (const auto& [in, want] : cases) EXPECT_EQ(LowerAscii(in), want) << in;
}

TEST(FormatDiskSize, ShowsGibWithTwoDecimalsAndWholeMibBelow) {
  constexpr std::int64_t M = 1048576;
  constexpr std::int64_t G = 1073741824;
  const std::pair<std::int64_t, std::string> cases[] = {
      {0, "0M"},           {M - 1, "0M"},       {M, "1M"},         {300 * M, "300M"},
      {G - 1, "1023M"},    {G, "1.00G"},        {1230 * M, "1.20G"}, {G + 512 * M, "1.50G"},
      {G + 5 * M, "1.00G"}, {G + 6 * M, "1.01G"}, {5 * G, "5.00G"}, {-1, "0M"},
      {-G, "0M"},          {1024 * G + M, "1024.00G"},
  };
  for (const auto& [bytes, want] : cases) EXPECT_EQ(FormatDiskSize(bytes), want) << bytes;
}

TEST(Trim, RemovesEveryByteUpToSpaceFromBothEndsOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {"  a b  ", "a b"},
      {"\t\r\na\x01", "a"},
      {"", ""},
      {" \x1f ", ""},
      {Gbk(u8" 海风 "), Gbk(u8"海风")},
      {"\x7f"
       "a",
       "\x7f"
       "a"},
  };
  for (const auto& [in, want] : cases) {
    EXPECT_EQ(Trim(in), want);
    EXPECT_EQ(IsBlank(in), want.empty());
  }
}

TEST(TryStrToInt, AcceptsWholeSigned32BitIntegersInDecimalOrHex) {
  const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
      {"0", 0},
      {"42", 42},
      {"-7", -7},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$1F", 31},
      {"x1f", 31},
      {"X10", 16},
      {"0x10", 16},
      {"0X10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"2a", std::nullopt},
      {" 2", std::nullopt},
      {"2 ", std::nullopt},
      {"1.0", std::nullopt},
      {"$G", std::nullopt},
      {"00012", 12},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(TryStrToInt(text), want) << "'" << text << "'";
  EXPECT_THROW(StrToInt("abc"), std::invalid_argument);
  EXPECT_EQ(StrToInt("660042"), 660042);
}

TEST(FlagText, IsOneOrZero) {
  EXPECT_EQ(FlagText(true), "1");
  EXPECT_EQ(FlagText(false), "0");
}

}  // namespace
