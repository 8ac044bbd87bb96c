// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ini_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "formats/uclsDovan.h"
#include "platform/env.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"

namespace {

// The value of key in section of a file holding the bytes; "<none>" when missing.
std::string Lookup(const std::string& bytes, const std::string& section, const std::string& key) {
  TempDir dir;
  const auto file = dir.Write("x.ini", bytes);
  const TIniFile ini(*platform::Env::Default(), file.string());
  return ini.Find(section, key).value_or("<none>");
}

TEST(IniFile, FindsValuesAsTheProfileStringServiceDoes) {
  struct Case {
    const char* bytes;
    const char* want;  // value of key "k" in section "S"
  };
  const Case cases[] = {
      {"[S]\r\nk=v\r\n", "v"},
      {"[S]\nk=v\n", "v"},
      {"[S]\rk=v\r", "v"},
      {"[S]\nk=v", "v"},                      // no line end after the last line
      {"[s]\nK=v\n", "v"},                    // names in any case
      {"  [ S ]  \n  k  =  v w  \n", "v w"},  // blanks around names and values
      {"[S]\nk=\n", ""},                      // present but empty
      {"[S]\nk=\"v \"\n", "v "},              // quotes removed, inner blanks kept
      {"[S]\nk='v'\n", "v"},
      {"[S]\nk=\"v\n", "\"v"},  // no matching pair: kept
      {"[S]\nk=\"\"\n", ""},
      {"[S]\nk=a=b\n", "a=b"},             // the first '=' ends the key
      {"[S]\nk=1\nk=2\n", "1"},            // the first key wins
      {"[S]\nx=1\n[S]\nk=2\n", "<none>"},  // only the first section counts
      {"[T]\nk=1\n[S]\nk=2\n[S]\nk=3\n", "2"},
      {"k=1\n[S]\n", "<none>"},      // outside any section
      {"[S]\n;k=1\nk\nk=2\n", "2"},  // comment and line without '='
      {"[S\nk=1\n", "<none>"},       // no ']': not a section header
      {"[S] trailing\nk=1\n", "1"},
      {"[S]\nkk=1\n", "<none>"},
      {"", "<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Lookup(c.bytes, "S", "k"), c.want) << c.bytes;
}

TEST(IniFile, KeepsGbkBytesAndCutsValuesOnWholeCharacters) {
  const std::string dance = Gbk(u8"劲舞");
  EXPECT_EQ(Lookup("[S]\nk=" + dance + "\n", "S", "k"), dance);
  // A trail byte 0x61 ('a') must not be folded to match 'A'.
  EXPECT_EQ(Lookup("[S]\n\x81\x61=1\n", "S", "\x81\x41"), "<none>");
  EXPECT_EQ(Lookup("[S]\nk=ab\0cd\n", "S", "k"), "ab");

  std::string chinese;
  for (int i = 0; i < 1100; ++i) chinese += dance.substr(0, 2);
  EXPECT_EQ(Lookup("[S]\nk=" + chinese + "\n", "S", "k").size(), 2046u);
  EXPECT_EQ(Lookup("[S]\nk=a" + chinese + "\n", "S", "k").size(), 2047u);
  EXPECT_EQ(Lookup("[S]\nk=" + std::string(3000, 'x') + "\n", "S", "k"), std::string(2047, 'x'));
}

TEST(IniFile, ReadsDefaultsFromMissingFilesSectionsAndKeys) {
  TempDir dir;
  const TIniFile missing(*platform::Env::Default(), dir.Gbk() + "none.ini");
  EXPECT_EQ(missing.ReadString("S", "k", "d"), "d");
  EXPECT_EQ(missing.ReadInteger("S", "k", 7), 7);
  const TIniFile noPath(*platform::Env::Default(), "");
  EXPECT_EQ(noPath.ReadString("S", "k", "d"), "d");
  const TIniFile folder(*platform::Env::Default(), dir.Gbk());  // a folder, not a file
  EXPECT_EQ(folder.ReadString("S", "k", "d"), "d");
}

TEST(IniInteger, TakesDecimalAndZeroXHexOnly) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"20", 20},         {"0x14", 20},
      {"0X14", 20},       {"-3", -3},
      {"+3", 3},          {"007", 7},
      {"abc", {}},        {"", {}},
      {"$14", {}},        {"x14", {}},
      {"0x", {}},         {"2 0", {}},
      {"2147483648", {}}, {"-2147483648", INT32_MIN},
      {"14h", {}},        {"0xFFFFFFFF", -1},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(IniInteger(text), want) << text;
}

// A Dovan list reading the two files written into a temporary folder.
struct DovanConfig : ::testing::Test {
  TempDir dir;
  std::unique_ptr<TDovan> Load(const std::string& subject, const std::string& style = "") {
    if (!subject.empty()) dir.Write("subject.ini", subject);
    if (!style.empty()) dir.Write("style.ini", style);
    return std::make_unique<TDovan>(kProductDovan, nullptr, dir.Gbk());
  }
};

TEST_F(DovanConfig, SubjectCodesAndNamesComeFromSubjectIni) {
  const std::string dance = Gbk(u8"[SUBJECT]\r\ndance_dis=劲舞\r\ndance_id=");
  struct Case {
    std::string id;
    const char* code;
  };
  for (const auto& c : {Case{"20", "20"}, Case{"0x14", "20"}, Case{"abc", "4"}, Case{"", "4"}}) {
    auto list = Load(dance + c.id + "\r\n");
    ASSERT_EQ(list->Table(TTableId::kCategories).Count(), 15);
    EXPECT_EQ(list->Table(TTableId::kCategories).Item(4).CodeStr, c.code) << c.id;
    EXPECT_EQ(list->Table(TTableId::kCategories).Item(4).Name, Gbk(u8"劲舞"));
    EXPECT_EQ(list->Table(TTableId::kCategories).Item(3).Name,
              Gbk(u8"喜庆歌曲"));  // untouched neighbours
    EXPECT_EQ(list->Table(TTableId::kCategories).Item(5).CodeStr, "5");
  }
}

TEST_F(DovanConfig, SectionsInAnotherCaseAndLfLineEndsAreRead) {
  auto list = Load(Gbk(u8"[subject]\nMUSIC_DIS = \"轻 音 乐\" \nmusic_id=0\nlovesong_id=4\n"),
                   "[Style]\nstyle3_dis=\nstyle14_dis=sea\n");
  EXPECT_EQ(list->Table(TTableId::kCategories).Item(14).Name, Gbk(u8"轻 音 乐"));
  EXPECT_EQ(list->Table(TTableId::kCategories).Item(14).CodeStr,
            "0");  // codes are not checked: 0 twice
  EXPECT_EQ(list->Table(TTableId::kCategories).Item(1).CodeStr, "4");
  EXPECT_EQ(list->Table(TTableId::kCategories).IndexOf("4"),
            1);                                                // the first of two rows with code 4
  EXPECT_EQ(list->Table(TTableId::kStyles).Item(3).Name, "");  // present but empty
  EXPECT_EQ(list->Table(TTableId::kStyles).Item(3).CodeStr, "3");
  EXPECT_EQ(list->Table(TTableId::kStyles).Item(14).Name, "sea");
  EXPECT_EQ(list->Table(TTableId::kStyles).Item(13).Name, Gbk(u8"风景13"));
  EXPECT_EQ(list->Table(TTableId::kStyles).CodeOf(""), "3");
}

TEST_F(DovanConfig, ReadsTheFolderOfTheProgramWhenNoneIsGiven) {
  struct ExeEnv : TestEnv {
    std::string exeDir;
    std::string ExecutableDir() override { return exeDir; }
  } env;
  env.exeDir = dir.Gbk();
  dir.Write("style.ini", "[STYLE]\nstyle1_dis=lake\n");
  EXPECT_EQ(TDovan(kProductDovan, &env).Table(TTableId::kStyles).Item(1).Name, "lake");
  env.exeDir = "";  // unknown: nothing is read, not even from the current folder
  EXPECT_EQ(TDovan(kProductDovan, &env).Table(TTableId::kStyles).Item(1).Name, Gbk(u8"风景1"));
}

TEST_F(DovanConfig, BadFilesGiveTheDefaultsWithoutACrash) {
  std::mt19937 random(20240501);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random() & 0xFF);
  std::string huge = "[SUBJECT]\n";
  while (huge.size() < 5 * 1024 * 1024) huge += "noise_dis=" + std::string(100, '\x81') + "\n";
  huge += "film_dis=" + std::string(5 * 1024 * 1024, 'f') + "\n";
  const std::string oneLine = "[SUBJECT] dance_id=20 " + std::string(5 * 1024 * 1024, 'a');
  for (const std::string* bytes : {&std::as_const(garbage), &std::as_const(huge), &oneLine}) {
    auto list = Load(*bytes, *bytes);
    ASSERT_EQ(list->Table(TTableId::kCategories).Count(), 15);
    ASSERT_EQ(list->Table(TTableId::kStyles).Count(), 15);
    for (int i = 1; i <= 14; ++i) {
      EXPECT_EQ(list->Table(TTableId::kCategories).Item(i).Code, i);
      EXPECT_EQ(list->Table(TTableId::kStyles).Item(i).Name, Gbk(u8"风景") + std::to_string(i));
    }
    // A file larger than any settings file (the huge ones) is not read at all.
    EXPECT_EQ(list->Table(TTableId::kCategories).Item(10).Name, Gbk(u8"电影"));
  }
}

}  // namespace
