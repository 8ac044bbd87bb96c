// SPDX-License-Identifier: GPL-3.0-or-later
// The vod.txt line parsers of the four product lines on any line.
//
// Parse*Line and Check*Line agree, the verdict describes itself sensibly, a
// line refused for its field count or a flag leaves the record untouched, and
// an accepted line written again is the same line with its pieces trimmed
// (pinyin upper-cased, flags as 0/1) that reads back to the same line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "formats/product_lines.h"
#include "formats/uclsDovan.h"
#include "formats/uclsMirel.h"
#include "formats/uclsOru.h"
#include "formats/uclsTarvel.h"
#include "fuzz_check.h"
#include "memory_env.h"
#include "model/errors.h"

namespace {

bool SameBaseFields(const TBaseSongData& a, const TBaseSongData& b) {
  return a.SongNo == b.SongNo && a.SongName == b.SongName && a.Singer == b.Singer &&
         a.Pinyin == b.Pinyin && a.WordCount == b.WordCount && a.AccompTrack == b.AccompTrack &&
         a.Language == b.Language && a.Category == b.Category;
}

template <class TData>
void CheckVerdict(const std::string& line, TLineVerdict (*check)(const std::string&, TData&),
                  std::uint8_t (*parse)(const std::string&, TData&)) {
  TData checked;
  TData parsed;
  const TLineVerdict v = check(line, checked);
  FUZZ_CHECK(parse(line, parsed) == v.Code());
  FUZZ_CHECK(SameBaseFields(checked, parsed));

  TStringList pieces;
  SplitString(line, ';', pieces);
  FUZZ_CHECK(v.fieldCount == static_cast<int>(pieces.size()));
  const std::string text = v.Describe();
  switch (v.reason) {
    case TLineVerdict::Reason::kAccepted:
      FUZZ_CHECK(text == "accepted" && v.position == 0 && v.fieldCount == v.expected);
      FUZZ_CHECK(checked.SongNo.starts_with("66"));
      break;
    case TLineVerdict::Reason::kFieldCount:
      FUZZ_CHECK(v.position == 0 && v.fieldCount != v.expected);
      FUZZ_CHECK(text.find(std::to_string(v.expected) + " expected") != std::string::npos);
      break;
    default:
      FUZZ_CHECK(v.position >= 1 && v.position <= v.expected && !v.field.empty());
      FUZZ_CHECK(text.find("(" + v.field + ")") != std::string::npos);
  }
}

// What the writer makes of one piece of a read line.
bool WrittenAs(const std::string& in, const std::string& out) {
  const std::string trimmed = Trim(in);
  if (out == trimmed || out == line_layout::UpperAscii(trimmed)) return true;
  return (out == "0" || out == "1") && (trimmed == "1") == (out == "1");
}

// One song list per product line, reused: each input starts from fresh slots.
void CheckWriteBack(const TProductLineInfo& info, const std::string& line) {
  static fuzz::MemoryEnv env;
  static std::unique_ptr<TBaseSong> lists[5];
  auto& list = lists[info.code];
  if (!list) list = info.create(&env);
  list->ResetSongs();
  list->FCount = 0;
  list->FLines.clear();

  const TLineVerdict v = info.check(line);
  FUZZ_CHECK(list->ParseLine(line, 0) == (line.empty() ? 6 : v.Code()));
  if (v.reason == TLineVerdict::Reason::kFieldCount || v.reason == TLineVerdict::Reason::kFlag) {
    FUZZ_CHECK(SameBaseFields(*list->GetSong(0), *list->GetSong(1)));
  }
  if (line.empty() || v.Code() != 0) return;

  list->FCount = 1;
  try {
    list->BuildLines();
  } catch (const TUserError&) {
    return;  // a mandatory field is blank: such a song is not written
  }
  FUZZ_CHECK(list->FLines.size() == 1);
  const std::string written = list->FLines[0];
  TStringList in;
  TStringList out;
  SplitString(line, ';', in);
  SplitString(written, ';', out);
  FUZZ_CHECK(in.size() == out.size());
  for (std::size_t i = 0; i < in.size(); ++i) FUZZ_CHECK(WrittenAs(in[i], out[i]));

  list->ResetSongs();
  list->FLines.clear();
  FUZZ_CHECK(list->ParseLine(written, 0) == 0);
  list->BuildLines();
  FUZZ_CHECK(list->FLines.size() == 1 && list->FLines[0] == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  CheckVerdict<TOruData>(line, CheckOruLine, ParseOruLine);
  CheckVerdict<TTarvelData>(line, CheckTarvelLine, ParseTarvelLine);
  CheckVerdict<TMirelData>(line, CheckMirelLine, ParseMirelLine);
  CheckVerdict<TDovanData>(line, CheckDovanLine, ParseDovanLine);
  for (const auto& info : ProductLines()) CheckWriteBack(info, line);
  return 0;
}
