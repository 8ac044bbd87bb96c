// The characters of a title our pinyin and stroke tables do not know.
#include "text/unread_chars.h"

#include <gtest/gtest.h>

#include <string>

#include "text/gbk.h"

namespace {

TEST(UnreadCharacters, NamesLettersWithoutReadingAndChineseWithoutCount) {
  struct Case {
    const char8_t* title;
    const char8_t* noPinyin;
    const char8_t* noStrokes;
  };
  const Case cases[] = {
      {u8"月亮代表我的心", u8"", u8""},
      {u8"Love你 A-1, ｌｏｖｅ", u8"", u8""},  // ASCII, full-width letters: by design
      {u8"Ⅻ号θ。，“心”！", u8"", u8""},        // numerals, Greek, punctuation
      {u8"丆乊海丆", u8"丆乊", u8""},          // rare ideographs without a reading
      {u8"さくら", u8"さくら", u8"さくら"},    // kana: neither reading nor strokes
      {u8"ㄅ", u8"ㄅ", u8"ㄅ"},                // bopomofo
      {u8"Дом", u8"Дом", u8""},                // Cyrillic has no strokes to count
      {u8"lā", u8"ā", u8""},                   // pinyin with its tone mark
      {u8"", u8"", u8""},
  };
  for (const auto& c : cases) {
    const std::string title = Gbk(c.title);
    EXPECT_EQ(CharactersWithoutPinyin(title), Gbk(c.noPinyin)) << gbk::ToUtf8(title);
    EXPECT_EQ(CharactersWithoutStrokes(title), Gbk(c.noStrokes)) << gbk::ToUtf8(title);
  }
}

}  // namespace
