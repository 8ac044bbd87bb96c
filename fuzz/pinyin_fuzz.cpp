// SPDX-License-Identifier: GPL-3.0-or-later
// PinyinInitials with every option value 0-7 and any maximum length,
// PhraseInitials, UnsettledPolyphones and CountTitleWords, on any text.
//
// Input: options (low three bits of byte 0), maximum length (byte 1 as a
// signed number), then the text. The initials never pass the maximum, are a
// cut of the uncut initials, hold only letters, digits and '?' without
// kPinyinKeepOthers, and hold a byte outside printable ASCII only where the
// text has it. The reading by words is as long as the per-character one and
// differs from it only where both have a capital letter (a phrase's
// character); it is cut the same way. The polyphones it leaves to a guess
// are among those the per-character reading leaves, each once, each with
// its readings. Words: at most one per byte, and two texts joined by a space
// have the words of both.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text/phrase_pinyin.h"
#include "text/pycode.h"

namespace {

bool IsAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void CheckInitials(std::string_view text, int options, int maxLength) {
  const std::string cut = PinyinInitials(text, options, maxLength);
  const std::string whole = PinyinInitials(text, options, 1 << 30);
  FUZZ_CHECK(whole.size() <= 3 * text.size());
  FUZZ_CHECK(static_cast<int>(cut.size()) <= (maxLength > 0 ? maxLength : 0));
  FUZZ_CHECK(whole.starts_with(cut));
  if (maxLength > 0 && cut.size() < whole.size()) {
    FUZZ_CHECK(static_cast<int>(cut.size()) == maxLength);
  }
  for (char c : whole) {
    if ((options & kPinyinKeepOthers) == 0) {
      FUZZ_CHECK(IsAlnum(c) || (c == '?' && (options & kPinyinMarkUnknown) != 0));
    } else if (c <= 0x20 || c >= 0x7F) {
      FUZZ_CHECK(text.find(c) != std::string_view::npos);
    }
  }
}

bool IsCapital(char c) {
  return c >= 'A' && c <= 'Z';
}

void CheckPhrases(std::string_view text, int maxLength) {
  const std::string byWords = PhraseInitials(text, 1 << 30);
  const std::string perCharacter = PinyinInitials(text, 0, 1 << 30);
  FUZZ_CHECK(byWords.size() == perCharacter.size());
  for (std::size_t i = 0; i < byWords.size() && i < perCharacter.size(); ++i) {
    FUZZ_CHECK(byWords[i] == perCharacter[i] ||
               (IsCapital(byWords[i]) && IsCapital(perCharacter[i])));
  }
  const std::string cut = PhraseInitials(text, maxLength);
  FUZZ_CHECK(static_cast<int>(cut.size()) ==
             std::min<int>(maxLength > 0 ? maxLength : 0, static_cast<int>(byWords.size())));
  FUZZ_CHECK(byWords.starts_with(cut));

  const std::string guessed = UnsettledPolyphones(text, true);
  const std::string all = UnsettledPolyphones(text, false);
  FUZZ_CHECK(guessed.size() % 2 == 0 && all.size() % 2 == 0);
  for (std::size_t k = 0; k + 1 < all.size(); k += 2) {
    const std::string_view character = std::string_view(all).substr(k, 2);
    FUZZ_CHECK(!PolyphoneReadings(character).empty());
    for (std::size_t j = k + 2; j + 1 < all.size(); j += 2) {
      FUZZ_CHECK(all.compare(j, 2, character) != 0);
    }
  }
  for (std::size_t k = 0; k + 1 < guessed.size(); k += 2) {
    bool among = false;
    for (std::size_t j = 0; j + 1 < all.size() && !among; j += 2) {
      among = guessed.compare(k, 2, all, j, 2) == 0;
    }
    FUZZ_CHECK(among);
  }
}

void CheckWords(std::string_view text, std::size_t split) {
  const int words = CountTitleWords(text);
  FUZZ_CHECK(words >= 0 && static_cast<std::size_t>(words) <= text.size());
  split = split % (text.size() + 1);
  const std::string_view a = text.substr(0, split);
  const std::string_view b = text.substr(split);
  const std::string joined = std::string(a) + " " + std::string(b);
  FUZZ_CHECK(CountTitleWords(joined) == CountTitleWords(a) + CountTitleWords(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int options = data[0] & 7;
  const int maxLength = static_cast<std::int8_t>(data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  CheckInitials(text, options, maxLength);
  FUZZ_CHECK(PinyinInitials(text, -1 - options, 100).empty());
  CheckPhrases(text, maxLength);
  CheckWords(text, data[0] >> 3);
  return 0;
}
