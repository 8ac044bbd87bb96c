// addsongs-cli check FILE: which product line a vod.txt belongs to, and the
// verdict of that line's parser on every line of it.
#include <ostream>
#include <string>

#include "cli/command.h"
#include "formats/product_lines.h"
#include "platform/env.h"
#include "text/gbk.h"
#include "text/uPublic.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A GBK line for the terminal; bytes that are not GBK are shown as \xNN.
std::string Printable(const std::string& gbkLine) {
  if (auto utf8 = gbk::TryToUtf8(gbkLine)) return *utf8;
  std::string out;
  for (unsigned char c : gbkLine) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

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
  platform::Env& env = *platform::Env::Default();
  std::string bytes;
  try {
    bytes = platform::ReadWholeFile(env, *path);
  } catch (const std::exception& e) {
    err << "addsongs-cli check: cannot read " << args[0] << ": " << e.what() << "\n";
    return 2;
  }

  // A file that begins with the UTF-8 mark is a Dovan file: its lines are
  // UTF-8 and become GBK before they are judged.
  const bool dovan = bytes.starts_with(kUtf8Mark);
  TStringList lines = SplitTextLines(dovan ? std::string_view(bytes).substr(3) : bytes);
  std::vector<bool> convertible(lines.size(), true);
  if (dovan) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (auto converted = gbk::TryFromUtf8(lines[i])) {
        lines[i] = *converted;
      } else {
        convertible[i] = false;
      }
    }
  }

  const TProductLineInfo* kind = dovan ? FindProductLine(kLineDovan) : RecognizeProductLine(lines);
  out << "product line: " << (kind != nullptr ? kind->name : "unknown (no line is accepted)")
      << "\n";

  int refused = 0;
  int accepted = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string verdict;
    if (!convertible[i]) {
      verdict = "refused: not UTF-8 text with a GBK form";
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
    if (!IsBlank(lines[i])) out << " | " << (convertible[i] ? Printable(lines[i]) : "?");
    out << "\n";
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
