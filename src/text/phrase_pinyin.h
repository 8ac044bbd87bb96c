// SPDX-License-Identifier: GPL-3.0-or-later
// The pinyin initials of a GBK title read by words, as a customer types
// them at the jukebox (重庆森林 CQSL where the per-character reading gives
// ZQSL), and the characters whose reading is left to a guess. Pure
// functions: no state, no errors, no allocation but the result's.
#pragma once

#include <string>
#include <string_view>

// The initials of a GBK text read by phrases: at each position the longest
// phrase of the phrase table (text/phrase_tables.h) that the text holds
// there gives the initials of its characters; any other character is read as
// PinyinInitials(text, 0, maxLength) reads it (ASCII letters and digits kept
// and upper-cased, full-width ones kept in their case, numerals as digits,
// Greek in Latin letters, the first letter of a Chinese character's reading,
// anything else dropped). Cut to maxLength bytes (empty when maxLength <= 0),
// as PinyinInitials cuts.
std::string PhraseInitials(std::string_view gbkText, int maxLength);

// The polyphones of a GBK text (characters with several common readings of
// different initials, 重 zhong / chong) whose reading no phrase settled: with
// byPhrases those that PhraseInitials reads outside every phrase, otherwise
// (the per-character reading) all of them. Each once, in the order of its
// first place, joined without separators (GBK).
std::string UnsettledPolyphones(std::string_view gbkText, bool byPhrases);

// The readings of a polyphone given as its two GBK bytes, the per-character
// reading first ("zhong / chong", GBK); "" for any other text.
std::string_view PolyphoneReadings(std::string_view character);
