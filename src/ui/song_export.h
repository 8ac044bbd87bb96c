// SPDX-License-Identifier: GPL-3.0-or-later
// The song list given back to the owner: as a CSV table that Excel and WPS
// open right (UTF-8 with a byte-order mark) and a spreadsheet's corrections
// come back in, and as a song book to print (an HTML page).
#pragma once

#include <string>
#include <vector>

#include "text/uPublic.h"

// The table (GBK cells, the first row its captions) as CSV text in UTF-8,
// starting with the byte-order mark, lines ending in CR LF.
std::string CsvOfTable(const std::vector<TStringList>& table);

enum class TBookOrder { kPinyin, kNumber };

// A song of the book (GBK).
struct TBookSong {
  std::string number;
  std::string title;
  std::string singer;
  std::string language;  // "" where the product line has none
  std::string pinyin;    // the title's initials, for the order
};

// The song book: a page (UTF-8) with a table of number, title, singer and,
// when withLanguage, language; sorted by the initials (then title, then
// number), under a heading per first letter, or by number. Texts are
// escaped; the page prints without the browser's colours.
std::string SongBookHtml(std::vector<TBookSong> songs, TBookOrder order, bool withLanguage);
