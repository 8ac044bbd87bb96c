// SPDX-License-Identifier: GPL-3.0-or-later
// One vod.txt line as data: the fields of a product line's line, in order,
// with how each is written and what reading it demands. Writing and reading
// are one piece of code for every product line; a line differs from another
// only in its table of fields.
//
// Reading follows one procedure:
//   1. split at every ';' (empty pieces count); a wrong number of pieces
//      rejects the line with the record untouched;
//   2. every kFlag piece must be exactly "0" or "1" (untrimmed); otherwise the
//      line is rejected with the record untouched;
//   3. every piece is stored into its field, trimmed (flags as 0/1);
//   4. the song number must begin with "66";
//   5. every kInteger piece must be wholly a signed 32-bit integer
//      (text/uPublic.h: TryStrToInt), tested in line order or in the order a
//      product line gives (which field a refusal names depends on it).
// A line rejected in step 4 or 5 leaves its values in the record.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "text/uPublic.h"

enum class TFieldKind : std::uint8_t {
  kText,       // written trimmed, read trimmed
  kPinyin,     // written trimmed with a-z upper-cased, read trimmed (case kept)
  kInteger,    // written trimmed, must read as an integer
  kSongNo,     // written trimmed, must read beginning with "66"
  kFlag,       // written "1"/"0", must read exactly "1" or "0"
  kLooseFlag,  // written "1"/"0", reads 1 when the trimmed piece is "1", else 0
};

template <class TData>
struct TLineField {
  const char* name;  // the record field's name, for reports
  TFieldKind kind;
  std::string TData::*text = nullptr;   // the field for every kind but the flags
  std::uint8_t TData::*flag = nullptr;  // the field of kFlag and kLooseFlag
};

// Why a line was refused, for a person reading a report.
struct TLineVerdict {
  enum class Reason : std::uint8_t { kAccepted, kFieldCount, kFlag, kSongNo, kInteger };
  Reason reason = Reason::kAccepted;
  int position = 0;    // 1-based field position the reason is about (0: whole line)
  std::string field;   // that field's name
  int fieldCount = 0;  // pieces the line has
  int expected = 0;    // pieces the product line wants

  // What the line parsers return: 0 accepted, 6 refused.
  std::uint8_t Code() const { return reason == Reason::kAccepted ? 0 : 6; }
  // One English sentence: "accepted", "11 fields, 10 expected", ...
  std::string Describe() const;
};

namespace line_layout {

// ASCII a-z upper-cased; the bytes of double-byte GBK characters are kept.
std::string UpperAscii(std::string text);
bool IsExactFlag(const std::string& piece);

template <class TData>
std::string Write(std::span<const TLineField<TData>> fields, const TData& song) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto& f = fields[i];
    if (i > 0) line += ';';
    switch (f.kind) {
      case TFieldKind::kFlag:
      case TFieldKind::kLooseFlag:
        line += FlagText(song.*f.flag != 0);
        break;
      case TFieldKind::kPinyin:
        line += UpperAscii(Trim(song.*f.text));
        break;
      default:
        line += Trim(song.*f.text);
    }
  }
  return line;
}

// integerOrder: the 0-based positions of the kInteger fields in the order
// step 5 tests them, every one of them once; empty means line order.
template <class TData>
TLineVerdict Read(std::span<const TLineField<TData>> fields, const std::string& line, TData& record,
                  std::span<const std::size_t> integerOrder = {}) {
  TLineVerdict v;
  TStringList pieces;
  SplitString(line, ';', pieces);
  v.fieldCount = static_cast<int>(pieces.size());
  v.expected = static_cast<int>(fields.size());
  auto refuse = [&](TLineVerdict::Reason reason, std::size_t i) {
    v.reason = reason;
    v.position = static_cast<int>(i) + 1;
    v.field = fields[i].name;
    return v;
  };
  if (pieces.size() != fields.size()) {
    v.reason = TLineVerdict::Reason::kFieldCount;
    return v;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind == TFieldKind::kFlag && !IsExactFlag(pieces[i])) {
      return refuse(TLineVerdict::Reason::kFlag, i);
    }
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto& f = fields[i];
    if (f.kind == TFieldKind::kFlag) {
      record.*f.flag = pieces[i] == "1" ? 1 : 0;
    } else if (f.kind == TFieldKind::kLooseFlag) {
      record.*f.flag = Trim(pieces[i]) == "1" ? 1 : 0;
    } else {
      record.*f.text = Trim(pieces[i]);
    }
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind == TFieldKind::kSongNo && (record.*fields[i].text).rfind("66", 0) != 0) {
      return refuse(TLineVerdict::Reason::kSongNo, i);
    }
  }
  auto notInteger = [&](std::size_t i) {
    return fields[i].kind == TFieldKind::kInteger && !TryStrToInt(record.*fields[i].text);
  };
  if (integerOrder.empty()) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (notInteger(i)) return refuse(TLineVerdict::Reason::kInteger, i);
    }
  } else {
    for (std::size_t i : integerOrder) {
      if (notInteger(i)) return refuse(TLineVerdict::Reason::kInteger, i);
    }
  }
  return v;
}

}  // namespace line_layout

// A product line's vod.txt line as a whole: its fields, the fields a song
// cannot do without (in the order they are tested), and the order in which
// the integer fields are tested (empty: line order).
template <class TData>
struct TLineLayout {
  std::span<const TLineField<TData>> fields;
  std::span<std::string TData::*const> mandatory;
  std::span<const std::size_t> integerOrder = {};

  std::string Write(const TData& song) const { return line_layout::Write(fields, song); }
  TLineVerdict Read(const std::string& line, TData& record) const {
    return line_layout::Read(fields, line, record, integerOrder);
  }
};
