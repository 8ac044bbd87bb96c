// SPDX-License-Identifier: GPL-3.0-or-later
// PinyinInitials, PhraseInitials and CountTitleWords over 10,000 song titles
// of mixed Chinese, Latin words, digits and full-width characters, and both
// readings over the well-known titles of bench/ktv_titles.txt.
// items_per_second is titles per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text/gbk.h"
#include "text/phrase_pinyin.h"
#include "text/pinyin_tables.h"
#include "text/pycode.h"

namespace {

// Every double-byte code with a reading, taken from the index itself.
std::vector<std::string> ChineseCharacters() {
  std::vector<std::string> all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const auto l = static_cast<std::uint8_t>(lead);
      const auto t = static_cast<std::uint8_t>(trail);
      if (PinyinIndexAt(l, t) != 0)
        all.push_back(std::string{static_cast<char>(l), static_cast<char>(t)});
    }
  }
  return all;
}

const std::vector<std::string>& Titles() {
  static const std::vector<std::string> titles = [] {
    const std::vector<std::string> chinese = ChineseCharacters();
    // Common characters (rows 0xB0-0xD7) dominate real titles.
    std::vector<std::string> common;
    for (const auto& c : chinese) {
      if (static_cast<std::uint8_t>(c[0]) >= 0xB0 && static_cast<std::uint8_t>(c[0]) <= 0xD7) {
        common.push_back(c);
      }
    }
    const char* const words[] = {"Love", "you", "Baby", "MY",   "Heart", "Dj", "Remix",
                                 "Live", "ok",  "Go",   "Ver.", "KTV",   "a-b"};
    const std::string fullWidth[] = {"\xA3\xC1", "\xA3\xE2", "\xA3\xB1", "\xA3\xB9",
                                     "\xA3\xAC", "\xA1\xA1", "\xA1\xA3", "\xA2\xF1"};
    std::mt19937 random(20240601);  // fixed seed: the same corpus every run
    std::vector<std::string> out;
    out.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
      std::string title;
      const int pieces = 2 + static_cast<int>(random() % 8);
      for (int p = 0; p < pieces; ++p) {
        const unsigned kind = random() % 20;
        if (kind < 12) {
          title += common[random() % common.size()];
        } else if (kind < 13) {
          title += chinese[random() % chinese.size()];
        } else if (kind < 16) {
          if (!title.empty()) title += ' ';
          title += words[random() % std::size(words)];
        } else if (kind < 18) {
          title += std::to_string(random() % 2025);
        } else {
          title += fullWidth[random() % std::size(fullWidth)];
        }
      }
      out.push_back(std::move(title));
    }
    return out;
  }();
  return titles;
}

void BM_PinyinInitials(benchmark::State& state) {
  const auto& titles = Titles();
  const int options = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (const auto& title : titles) benchmark::DoNotOptimize(PinyinInitials(title, options, 255));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(titles.size()));
}
BENCHMARK(BM_PinyinInitials)->Arg(0)->Arg(kPinyinWholeSyllables | kPinyinMarkUnknown);

// The titles of bench/ktv_titles.txt in GBK.
const std::vector<std::string>& KtvTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> out;
    std::ifstream in(ADDSONGS_KTV_TITLES);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] != '#') out.push_back(gbk::FromUtf8(line));
    }
    return out;
  }();
  return titles;
}

// One reading over a list of titles; range(0) picks the list (0 the random
// titles, 1 the karaoke titles).
template <class Read>
void ReadTitles(benchmark::State& state, Read read) {
  const auto& titles = state.range(0) == 0 ? Titles() : KtvTitles();
  if (titles.empty()) state.SkipWithError(ADDSONGS_KTV_TITLES " is missing");
  for (auto _ : state) {
    for (const auto& title : titles) benchmark::DoNotOptimize(read(title));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(titles.size()));
}

void BM_PhraseInitials(benchmark::State& state) {
  ReadTitles(state, [](const std::string& title) { return PhraseInitials(title, 255); });
}
BENCHMARK(BM_PhraseInitials)->Arg(0)->Arg(1);

void BM_PerCharacterInitials(benchmark::State& state) {
  ReadTitles(state, [](const std::string& title) { return PinyinInitials(title, 0, 255); });
}
BENCHMARK(BM_PerCharacterInitials)->Arg(0)->Arg(1);

// What the grid does besides: the polyphones left to a guess.
void BM_UnsettledPolyphones(benchmark::State& state) {
  ReadTitles(state, [](const std::string& title) { return UnsettledPolyphones(title, true); });
}
BENCHMARK(BM_UnsettledPolyphones)->Arg(0)->Arg(1);

void BM_CountTitleWords(benchmark::State& state) {
  const auto& titles = Titles();
  for (auto _ : state) {
    for (const auto& title : titles) benchmark::DoNotOptimize(CountTitleWords(title));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(titles.size()));
}
BENCHMARK(BM_CountTitleWords);

}  // namespace

BENCHMARK_MAIN();
