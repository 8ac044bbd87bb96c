// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli check FILE: which product line a vod.txt belongs to, the
// verdict of that line's parser on every line of it, and the characters of
// each accepted song's title that our pinyin or stroke tables do not know
// or whose reading no phrase decides.
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/terminal.h"
#include "formats/product_lines.h"
#include "platform/env.h"
#include "run/vod_text.h"
#include "text/gbk.h"
#include "text/phrase_pinyin.h"
#include "text/uPublic.h"
#include "text/unread_chars.h"
#include "ui/grid.h"
#include "ui/product_columns.h"

namespace {

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: addsongs-cli check FILE\n";
    return 2;
  }
  const auto path = gbk::TryFromUtf8(args[0]);
  if (!path) {
    err << "addsongs-cli check: the file name has no GBK form: " << args[0] << "\n";
    return 2;
  }
  TVodText vod;
  try {
    vod = ReadVodText(*platform::Env::Default(), *path);
  } catch (const std::exception& e) {
    err << "addsongs-cli check: " << cli::ForTerminal(e.what()) << "\n";
    return 2;
  }
  const TStringList& lines = vod.lines;
  const TProductLineInfo* kind = RecognizeVodText(vod);
  out << "product line: " << (kind != nullptr ? kind->name : "unknown (no line is accepted)")
      << "\n";

  // The title of an accepted line, read as the song list reads it.
  const std::unique_ptr<TBaseSong> reader = kind != nullptr ? kind->create(nullptr) : nullptr;
  const TProductGrid* grid = kind != nullptr ? TProductGrid::Of(kind->code) : nullptr;
  const bool strokes = grid != nullptr && grid->Shows(kColStrokes);
  int refused = 0;
  int accepted = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string verdict;
    if (!vod.IsGbk(i)) {
      verdict = vod.utf8 ? "refused: not UTF-8 text with a GBK form" : "refused: not GBK text";
      ++refused;
    } else if (IsBlank(lines[i])) {
      verdict = "blank";
    } else if (kind == nullptr) {
      verdict = "refused: no product line accepts it";
      ++refused;
    } else {
      const TLineVerdict v = kind->check(lines[i]);
      if (v.Code() == 0) {
        verdict = "accepted";
        ++accepted;
      } else {
        verdict = "refused: " + v.Describe();
        ++refused;
      }
    }
    out << "line " << i + 1 << ": " << verdict;
    if (!IsBlank(lines[i])) out << " | " << cli::ForTerminal(lines[i]);
    out << "\n";
    if (verdict != "accepted" || reader == nullptr || reader->ParseLine(lines[i], 0) != 0) continue;
    const std::string title = reader->GetSong(0)->SongName;
    if (const std::string unread = CharactersWithoutPinyin(title); !unread.empty()) {
      out << "  no pinyin reading for: " << cli::ForTerminal(unread) << "\n";
    }
    if (const std::string guessed = UnsettledPolyphones(title, true); !guessed.empty()) {
      out << "  several readings, no phrase decides:";
      for (std::size_t k = 0; k + 1 < guessed.size(); k += 2) {
        const std::string character = guessed.substr(k, 2);
        out << (k == 0 ? " " : ", ") << cli::ForTerminal(character) << " ("
            << cli::ForTerminal(std::string(PolyphoneReadings(character))) << ")";
      }
      out << "\n";
    }
    if (const std::string uncounted = CharactersWithoutStrokes(title);
        strokes && !uncounted.empty()) {
      out << "  no stroke count for: " << cli::ForTerminal(uncounted) << "\n";
    }
  }
  out << accepted << " accepted, " << refused << " refused\n";
  if (accepted > 100) {
    out << "note: only the first 100 accepted songs are loaded into the song list\n";
  }
  return refused == 0 ? 0 : 1;
}

const cli::Registration kCheck({"check", "check FILE",
                                "tells which product line a vod.txt belongs to and checks each "
                                "line against it (exit 0: all accepted, 1: some refused, 2: "
                                "unreadable)",
                                RunCheck});

}  // namespace
