// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli pinyin [--per-character] [--options N] [--max N] TEXT
//                         the pinyin initials of a title, read by words as the
//                         grid fills them, or character by character
// addsongs-cli words TEXT its word count
#include <charconv>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "text/gbk.h"
#include "text/phrase_pinyin.h"
#include "text/pycode.h"

namespace {

constexpr int kUsageError = 2;

std::optional<int> ParseInt(std::string_view word) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (word.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The title in GBK, or nullopt after telling the user why it has none.
std::optional<std::string> TitleInGbk(const char* command, const std::string& utf8,
                                      std::ostream& err) {
  std::size_t bad = 0;
  auto gbkText = gbk::TryFromUtf8(utf8, &bad);
  if (!gbkText) {
    err << "addsongs-cli " << command << ": the text has no GBK form (at byte " << bad << "): '"
        << utf8 << "'\n";
  }
  return gbkText;
}

int RunPinyin(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto usage = [&] {
    err << "usage: addsongs-cli pinyin [--per-character] [--options N] [--max N] TEXT\n";
    return kUsageError;
  };
  int options = 0;
  int maxLength = 255;
  bool perCharacter = false;
  std::optional<std::string> text;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (word == "--options" || word == "--max")) {
      if (i + 1 == args.size()) return usage();
      const auto value = ParseInt(args[++i]);
      if (!value) return usage();
      (word == "--options" ? options : maxLength) = *value;
      // Option bits belong to the per-character reading.
      perCharacter = perCharacter || word == "--options";
    } else if (!optionsEnded && word == "--per-character") {
      perCharacter = true;
    } else if (!optionsEnded && word.size() > 1 && word[0] == '-' && word[1] == '-') {
      return usage();
    } else if (!text) {
      text = word;
    } else {
      return usage();
    }
  }
  if (!text) return usage();

  const auto gbkText = TitleInGbk("pinyin", *text, err);
  if (!gbkText) return kUsageError;
  const std::string initials = perCharacter ? PinyinInitials(*gbkText, options, maxLength)
                                            : PhraseInitials(*gbkText, maxLength);
  std::size_t bad = 0;
  const auto utf8 = gbk::TryToUtf8(initials, &bad);
  if (!utf8) {
    // Only bytes kept by option bit 4 from user-defined codes can do this.
    err << "addsongs-cli pinyin: the result is no GBK text (byte " << bad << ")\n";
    return 1;
  }
  out << *utf8 << "\n";
  return 0;
}

int RunWords(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: addsongs-cli words TEXT\n";
    return kUsageError;
  }
  const auto gbkText = TitleInGbk("words", args[0], err);
  if (!gbkText) return kUsageError;
  out << CountTitleWords(*gbkText) << "\n";
  return 0;
}

const cli::Registration pinyinCommand({
    "pinyin",
    "pinyin [--per-character] [--options N] [--max N] TEXT",
    "pinyin initials of a title as the grid fills them, read by words (重庆森林: CQSL); "
    "--per-character reads each character alone (ZQSL), as the grid does when set to "
    "逐字读音; --options N reads per character with the option bits N (1 whole syllables, "
    "2 '?' for a character without reading, 4 keep other characters; default 0); "
    "--max N cuts either reading to N bytes (default 255)",
    RunPinyin,
});

const cli::Registration wordsCommand({
    "words",
    "words TEXT",
    "word count of a title",
    RunWords,
});

}  // namespace
