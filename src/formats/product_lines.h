// SPDX-License-Identifier: GPL-3.0-or-later
// The product lines the tool knows: one registry. Everything that tells one
// product line from another outside its own format file (the code stored in
// FProductLine, the console's name, the tool's title, the start-up button,
// how a vod.txt of it is recognised, a new song list of it) is looked up
// here; the grid's columns per product line are the only other table
// (ui/product_columns.cpp). A fifth product line is one more entry here, its
// format file, its row of that table and their tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/line_layout.h"
#include "model/uclsSong.h"
#include "run/vod_text.h"

// The codes of FProductLine.
enum : std::uint8_t { kProductOru = 1, kProductTarvel = 2, kProductMirel = 3, kProductDovan = 4 };

struct TProductLineInfo {
  std::uint8_t code;             // FProductLine
  const char* name;              // "ORU 2.0": its name in reports and messages
  const char* consoleName;       // "oru": the console's --line
  const char8_t* title;          // the tool's title: "ORU 2.0 版本加歌工具"
  const char* button;            // the start-up window's button: "btnOru"
  const char8_t* buttonCaption;  // "ORU2.0系列 U 盘加歌"
  // Whether a vod.txt of it is recognised by its lines (Dovan's is told by
  // its byte-order mark instead).
  bool recognisedByLines;
  // The verdict of the line parser on a line, read into a scratch record.
  TLineVerdict (*check)(const std::string& line);
  // A new, empty song list of the product line; env null means the real system.
  std::unique_ptr<TBaseSong> (*create)(platform::Env* env);

  std::string Title() const;          // GBK
  std::string ButtonCaption() const;  // GBK
};

// In the order the start-up window shows them and a vod.txt line is tried
// against them: ORU, Tarvel, Mirel, Dovan.
const std::vector<TProductLineInfo>& ProductLines();

// The entry of a product-line code, or of a console name; null for none.
const TProductLineInfo* FindProductLine(std::uint8_t code);
const TProductLineInfo* FindProductLine(const std::string& consoleName);

// The product line of a vod.txt: that of the first non-blank line that one
// of the parsers accepts, trying the product lines recognised by their
// lines in registry order. Null when no line is accepted.
const TProductLineInfo* RecognizeProductLine(const TStringList& lines);

// The product line of a vod.txt as read: Dovan for a file of UTF-8 lines
// behind the byte-order mark, else RecognizeProductLine of its lines.
const TProductLineInfo* RecognizeVodText(const TVodText& text);
