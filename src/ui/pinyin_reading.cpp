// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pinyin_reading.h"

#include "text/phrase_pinyin.h"
#include "text/pycode.h"

namespace {
constexpr std::string_view kPhrasesText = "phrases";
constexpr std::string_view kPerCharacterText = "characters";
constexpr int kPinyinLength = 255;
}  // namespace

std::string_view PinyinReadingText(TPinyinReading reading) {
  return reading == TPinyinReading::kPerCharacter ? kPerCharacterText : kPhrasesText;
}

std::optional<TPinyinReading> PinyinReadingFromText(std::string_view text) {
  if (text == kPhrasesText) return TPinyinReading::kPhrases;
  if (text == kPerCharacterText) return TPinyinReading::kPerCharacter;
  return std::nullopt;
}

std::string TitleInitials(std::string_view title, TPinyinReading reading) {
  return reading == TPinyinReading::kPerCharacter ? PinyinInitials(title, 0, kPinyinLength)
                                                  : PhraseInitials(title, kPinyinLength);
}

std::string GuessedPolyphones(std::string_view title, TPinyinReading reading) {
  return UnsettledPolyphones(title, reading == TPinyinReading::kPhrases);
}
