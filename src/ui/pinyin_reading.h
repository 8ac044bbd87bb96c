// SPDX-License-Identifier: GPL-3.0-or-later
// How the grid fills 拼音 from a title: by words (the phrase reading,
// text/phrase_pinyin.h) or character by character (PinyinInitials). The
// main window's setting "拼音首字母：按词组读音 / 逐字读音".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class TPinyinReading : std::uint8_t {
  kPhrases,       // 按词组读音, the default
  kPerCharacter,  // 逐字读音
};

// The choices in the order the windows offer them.
inline constexpr TPinyinReading kPinyinReadings[] = {TPinyinReading::kPhrases,
                                                     TPinyinReading::kPerCharacter};

// The name a front end stores the setting under: "phrases" or "characters".
// PinyinReadingFromText gives nullopt for any other text.
std::string_view PinyinReadingText(TPinyinReading reading);
std::optional<TPinyinReading> PinyinReadingFromText(std::string_view text);

// The 拼音 of a GBK title read the chosen way, cut to 255 bytes.
std::string TitleInitials(std::string_view title, TPinyinReading reading);

// The polyphones of the title that the chosen reading leaves to a guess
// (GBK, each once; text/phrase_pinyin.h).
std::string GuessedPolyphones(std::string_view title, TPinyinReading reading);
