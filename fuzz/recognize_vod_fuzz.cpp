// SPDX-License-Identifier: GPL-3.0-or-later
// DecodeVodText and RecognizeVodText on any file.
//
// The decoded lines are the file's lines (those of a UTF-8 file turned into
// GBK and back to the same bytes), and the product line recognised is Dovan
// exactly for UTF-8 text behind the byte-order mark, else one whose parser
// accepts a line of the file; none is recognised only when no parser accepts
// any line. A mark before text that is not UTF-8 is a GBK list saved with a
// mark, read as GBK.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/product_lines.h"
#include "fuzz_check.h"
#include "run/vod_text.h"
#include "text/gbk.h"

namespace {
constexpr std::string_view kMark = "\xEF\xBB\xBF";

bool AnyLineAccepted(const TProductLineInfo& info, const TStringList& lines) {
  for (const auto& line : lines) {
    if (!IsBlank(line) && info.check(line).Code() == 0) return true;
  }
  return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TVodText vod = DecodeVodText(bytes);
  const bool marked = bytes.starts_with(kMark);
  const std::string_view body = marked ? bytes.substr(kMark.size()) : bytes;
  FUZZ_CHECK(vod.utf8 == (marked && gbk::IsUtf8(body)));
  FUZZ_CHECK(vod.gbkBehindMark == (marked && !vod.utf8));
  FUZZ_CHECK(vod.isGbk.size() == vod.lines.size());

  const TStringList raw = SplitTextLines(body);
  FUZZ_CHECK(raw.size() == vod.lines.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    FUZZ_CHECK(vod.lines[i].find_first_of("\r\n") == std::string::npos);
    if (!vod.utf8) {
      FUZZ_CHECK(vod.lines[i] == raw[i] && vod.IsGbk(i) == gbk::TryToUtf16(raw[i]).has_value());
    } else if (vod.IsGbk(i)) {
      FUZZ_CHECK(gbk::TryToUtf8(vod.lines[i]) == raw[i]);
    } else {
      FUZZ_CHECK(vod.lines[i] == raw[i] && !gbk::TryFromUtf8(raw[i]));
    }
  }

  const TProductLineInfo* kind = RecognizeVodText(vod);
  if (vod.utf8) {
    FUZZ_CHECK(kind != nullptr && kind->code == kProductDovan);
  } else if (kind != nullptr) {
    FUZZ_CHECK(kind->code != kProductDovan && AnyLineAccepted(*kind, vod.lines));
  } else {
    for (const auto& info : ProductLines()) {
      if (info.code != kProductDovan) FUZZ_CHECK(!AnyLineAccepted(info, vod.lines));
    }
  }
  return 0;
}
