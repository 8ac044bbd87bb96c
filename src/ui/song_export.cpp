// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/song_export.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "text/gbk.h"
#include "ui/delimited_text.h"
#include "ui/grid.h"
#include "ui/ui_texts.h"

namespace {
std::string Escaped(const std::string& gbkText) {
  std::string out;
  for (const char c : gbk::ToUtf8(gbkText)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The heading a song stands under in the book by initials: its letter, or
// "#" for a title whose initials start otherwise.
std::string LetterOf(const TBookSong& song) {
  const std::string initials = Upper(Trim(song.pinyin));
  if (!initials.empty() && initials[0] >= 'A' && initials[0] <= 'Z') return initials.substr(0, 1);
  return "#";
}
}  // namespace

std::string CsvOfTable(const std::vector<TStringList>& table) {
  std::vector<TTextRow> rows;
  for (const TStringList& row : table) {
    TTextRow utf8;
    for (const std::string& cell : row) utf8.push_back(gbk::ToUtf8(cell));
    rows.push_back(std::move(utf8));
  }
  return "\xEF\xBB\xBF" + WriteDelimited(rows, ',');
}

std::string SongBookHtml(std::vector<TBookSong> songs, TBookOrder order, bool withLanguage) {
  if (order == TBookOrder::kPinyin) {
    std::stable_sort(songs.begin(), songs.end(), [](const TBookSong& a, const TBookSong& b) {
      const std::string la = LetterOf(a), lb = LetterOf(b);
      // "#" (no letter) after Z.
      return std::make_tuple(la == "#", Upper(a.pinyin), a.title, a.number) <
             std::make_tuple(lb == "#", Upper(b.pinyin), b.title, b.number);
    });
  } else {
    std::stable_sort(songs.begin(), songs.end(), [](const TBookSong& a, const TBookSong& b) {
      return Trim(a.number) < Trim(b.number);
    });
  }
  const std::string title = Escaped(ui_text::BookTitle());
  // The same column widths in every table of the page.
  std::string head = std::string("<colgroup><col class=\"no\"><col class=\"title\"><col>") +
                     (withLanguage ? "<col class=\"language\">" : "") + "</colgroup>\n" +
                     "<tr><th>" + Escaped(ui_text::GridCaption(kColNumber)) + "</th><th>" +
                     Escaped(ui_text::GridCaption(kColTitle)) + "</th><th>" +
                     Escaped(ui_text::GridCaption(kColSinger)) + "</th>";
  if (withLanguage) head += "<th>" + Escaped(ui_text::GridCaption(kColLanguage)) + "</th>";
  head += "</tr>\n";

  std::string page =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
      "</title>\n<style>\n"
      "body{font-family:sans-serif;margin:2em}\n"
      "table{border-collapse:collapse;width:100%;margin-bottom:1.5em;table-layout:fixed}\n"
      "col.no{width:5.5em}col.title{width:45%}col.language{width:7em}\n"
      "th,td{border:1px solid #888;padding:.25em .6em;text-align:left}\n"
      "th{background:#eee}\n"
      "td.no{font-family:monospace}\n"
      "h2{margin:.8em 0 .3em;break-after:avoid}\n"
      "@media print{body{margin:0}th{background:none}tr{break-inside:avoid}}\n"
      "</style>\n</head>\n<body>\n<h1>" +
      title + "</h1>\n<p>" + Escaped(ui_text::BookCount(static_cast<int>(songs.size()))) + "</p>\n";
  std::string letter;
  bool open = false;
  for (const TBookSong& song : songs) {
    if (order == TBookOrder::kPinyin && (!open || LetterOf(song) != letter)) {
      if (open) page += "</table>\n";
      letter = LetterOf(song);
      page += "<h2>" + letter + "</h2>\n<table>\n" + head;
      open = true;
    } else if (!open) {
      page += "<table>\n" + head;
      open = true;
    }
    page += "<tr><td class=\"no\">" + Escaped(Trim(song.number)) + "</td><td>" +
            Escaped(song.title) + "</td><td>" + Escaped(song.singer) + "</td>";
    if (withLanguage) page += "<td>" + Escaped(song.language) + "</td>";
    page += "</tr>\n";
  }
  if (open) page += "</table>\n";
  page += "</body>\n</html>\n";
  return page;
}
