// The product lines the tool knows, in the order a vod.txt line is tried
// against them when its product line is to be recognised.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/line_layout.h"
#include "model/uclsSong.h"
#include "model/vod_text.h"

struct TProductLineInfo {
  std::uint8_t code;  // kLineOru ... kLineDovan
  const char* name;   // "ORU 2.0", "Tarvel", ...
  // The verdict of the line parser on a line, read into a scratch record.
  TLineVerdict (*check)(const std::string& line);
  // A new, empty song list of the line; env null means the real system.
  std::unique_ptr<TBaseSong> (*create)(platform::Env* env);
};

// ORU first, then Tarvel, Mirel and Dovan.
const std::vector<TProductLineInfo>& ProductLines();

// The product line of a vod.txt: that of the first non-blank line that one
// of the parsers accepts, trying ORU, Tarvel and Mirel in this order (a
// Dovan file is told by its byte-order mark, not by its lines). Null when no
// line is accepted.
const TProductLineInfo* RecognizeProductLine(const TStringList& lines);

// The product line of a vod.txt as read: Dovan for a file that began with
// the UTF-8 byte-order mark, else RecognizeProductLine of its lines.
const TProductLineInfo* RecognizeVodText(const TVodText& text);

// The entry of a product-line code, or null.
const TProductLineInfo* FindProductLine(std::uint8_t code);
