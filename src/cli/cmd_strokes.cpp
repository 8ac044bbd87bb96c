// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli strokes TEXT: the stroke text of a title, as the grid shows it.
#include <cstddef>
#include <ostream>

#include "cli/command.h"
#include "text/gbk.h"
#include "text/uStroke.h"

namespace {

int RunStrokes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: addsongs-cli strokes TEXT\n";
    return 2;
  }
  std::size_t bad = 0;
  const auto title = gbk::TryFromUtf8(args[0], &bad);
  if (!title) {
    err << "addsongs-cli strokes: the text has no GBK form (byte " << bad
        << " is not valid UTF-8 or stands for a character outside GBK)\n";
    return 2;
  }
  out << StrokeText(*title) << "\n";  // ASCII digits: the same in UTF-8
  return 0;
}

const cli::Registration kStrokes({"strokes", "strokes TEXT",
                                  "prints the stroke text of a title (UTF-8 in): the stroke count "
                                  "of every character, joined",
                                  RunStrokes});

}  // namespace
