// SPDX-License-Identifier: GPL-3.0-or-later
// The characters of a title our pinyin and stroke tables do not know.
#include "text/unread_chars.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

TEST(UnreadCharacters, NamesLettersWithoutReadingAndChineseScriptWithoutCount) {
  // Title, characters without pinyin, characters without strokes.
  const char8_t* const cases[][3] = {
      {u8"Love你 A-1, ｌｏｖｅⅫθ。“心”", u8"", u8""},  // letters, numerals, punctuation
      {u8"丆乊海丆", u8"丆乊", u8""},                  // each rare ideograph once
      {u8"さくらㄅ", u8"さくらㄅ", u8"さくらㄅ"},      // kana, bopomofo
      {u8"Домlā", u8"Домā", u8""},                     // Cyrillic, a tone mark
  };
  for (const auto& [title, noPinyin, noStrokes] : cases) {
    EXPECT_EQ(CharactersWithoutPinyin(Gbk(title)), Gbk(noPinyin)) << gbk::ToUtf8(Gbk(title));
    EXPECT_EQ(CharactersWithoutStrokes(Gbk(title)), Gbk(noStrokes)) << gbk::ToUtf8(Gbk(title));
  }
}
