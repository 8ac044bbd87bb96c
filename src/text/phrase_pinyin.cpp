// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/phrase_pinyin.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "text/phrase_tables.h"
#include "text/pinyin_step.h"

namespace {

unsigned CodeOf(const char* pair) {
  return static_cast<unsigned>(static_cast<std::uint8_t>(pair[0])) << 8 |
         static_cast<std::uint8_t>(pair[1]);
}

std::size_t CharactersOf(std::size_t phrase) {
  return (PhraseStarts[phrase + 1] - PhraseStarts[phrase]) / 3u;
}

// The code of character k of the phrase, which has more than k characters.
unsigned CodeAt(std::size_t phrase, std::size_t k) {
  return CodeOf(PhraseText + PhraseStarts[phrase] + 2 * k);
}

// The first phrase in [lo, hi) whose character k is not below code; the
// phrases there share their first k characters and have more than k.
std::size_t FirstFrom(std::size_t lo, std::size_t hi, std::size_t k, unsigned code) {
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (CodeAt(mid, k) < code) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

struct Match {
  std::size_t phrase = 0;
  std::size_t characters = 0;  // 0: no phrase begins there
};

// The longest phrase that the text holds at position at: a walk down the
// sorted table, narrowing the range of phrases that begin with the text's
// characters, one character at a time, from those of its first lead byte.
Match LongestPhraseAt(std::string_view text, std::size_t at) {
  Match best;
  // No phrase begins with a single byte or with the lead byte 0xFF.
  if (!pinyin_step::IsPairAt(text, at) || static_cast<std::uint8_t>(text[at]) == 0xFF) return best;
  // The phrases of the first character's lead byte.
  const std::size_t lead = static_cast<std::uint8_t>(text[at]) - 0x81u;
  std::size_t lo = PhraseLeads[lead];
  std::size_t hi = PhraseLeads[lead + 1];
  for (std::size_t k = 0; lo < hi && pinyin_step::IsPairAt(text, at + 2 * k); ++k) {
    const unsigned code = CodeOf(text.data() + at + 2 * k);
    if (CharactersOf(lo) == k) ++lo;  // the phrase matched so far comes first
    lo = FirstFrom(lo, hi, k, code);
    hi = FirstFrom(lo, hi, k, code + 1);
    if (lo == hi) break;
    if (CharactersOf(lo) == k + 1) best = {lo, k + 1};
  }
  return best;
}

const TPolyphone* FindPolyphone(unsigned code) {
  const TPolyphone* end = Polyphones + kPolyphoneCount;
  const TPolyphone* found = std::lower_bound(
      Polyphones, end, code, [](const TPolyphone& p, unsigned c) { return p.code < c; });
  return found != end && found->code == code ? found : nullptr;
}

}  // namespace

std::string PhraseInitials(std::string_view gbkText, int maxLength) {
  if (maxLength <= 0) return {};
  // Without option bits no piece is longer than the bytes it reads.
  pinyin_step::Sink out(static_cast<std::size_t>(maxLength), gbkText.size());
  std::size_t i = 0;
  while (i < gbkText.size() && !out.Full()) {
    const Match match = LongestPhraseAt(gbkText, i);
    if (match.characters == 0) {
      i = pinyin_step::ReadCharacter(gbkText, i, {}, out);
      continue;
    }
    const char* initials = PhraseText + PhraseStarts[match.phrase] + 2 * match.characters;
    for (std::size_t k = 0; k < match.characters; ++k) out.Byte(initials[k]);
    i += 2 * match.characters;
  }
  return out.Take();
}

std::string UnsettledPolyphones(std::string_view gbkText, bool byPhrases) {
  std::string found;
  std::size_t i = 0;
  while (i < gbkText.size()) {
    if (byPhrases) {
      if (const Match match = LongestPhraseAt(gbkText, i); match.characters != 0) {
        i += 2 * match.characters;
        continue;
      }
    }
    if (!pinyin_step::IsPairAt(gbkText, i)) {
      ++i;
      continue;
    }
    const std::string_view pair = gbkText.substr(i, 2);
    i += 2;
    if (FindPolyphone(CodeOf(pair.data())) == nullptr) continue;
    bool seen = false;
    for (std::size_t k = 0; k < found.size() && !seen; k += 2)
      seen = found.compare(k, 2, pair) == 0;
    if (!seen) found += pair;
  }
  return found;
}

std::string_view PolyphoneReadings(std::string_view character) {
  if (character.size() != 2) return {};
  const TPolyphone* polyphone = FindPolyphone(CodeOf(character.data()));
  return polyphone == nullptr ? std::string_view() : polyphone->readings;
}
