// SPDX-License-Identifier: GPL-3.0-or-later
// One step of PinyinInitials (text/pycode.h), shared with the reading by
// phrases (text/phrase_pinyin.h) so that both read every character the same
// way: a character of a GBK text appended to a result of bounded length.
// Internal to text/.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace pinyin_step {

inline char UpperAscii(std::uint8_t c) {
  return static_cast<char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
}

// The result under construction: it stops taking bytes at the maximum length,
// so that the one reservation is never outgrown.
class Sink {
 public:
  Sink(std::size_t limit, std::size_t bound) : limit_(limit) {
    out_.reserve(std::min(limit, bound));
  }
  bool Full() const { return out_.size() >= limit_; }
  void Byte(char c) {
    if (!Full()) out_.push_back(c);
  }
  // Appends the piece, upper-cased; only its first letter when initialOnly.
  void Piece(std::string_view piece, bool initialOnly) {
    if (initialOnly) piece = piece.substr(0, 1);
    for (char c : piece) Byte(UpperAscii(static_cast<std::uint8_t>(c)));
  }
  std::string Take() { return std::move(out_); }

 private:
  std::size_t limit_;
  std::string out_;
};

// PinyinInitials' option bits, unpacked.
struct Options {
  bool whole = false;
  bool markUnknown = false;
  bool keepOthers = false;
};

// Reads the character that begins at text[at] (a single byte, or a lead byte
// with its trail byte) into out as PinyinInitials reads it; returns the
// position after it. at must be below text.size().
std::size_t ReadCharacter(std::string_view text, std::size_t at, const Options& options, Sink& out);

// Whether text[at] begins a double-byte character as ReadCharacter takes it.
inline bool IsPairAt(std::string_view text, std::size_t at) {
  return at + 1 < text.size() && static_cast<std::uint8_t>(text[at]) >= 0x81 &&
         static_cast<std::uint8_t>(text[at + 1]) >= 0x40;
}

}  // namespace pinyin_step
