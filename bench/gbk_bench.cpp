// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the GBK codec on a typical song title: Chinese with ASCII.
#include <benchmark/benchmark.h>

#include <string>

#include "text/gbk.h"

namespace {

const std::string kTitleUtf8 = "周杰伦 - 青花瓷 (Live版) 2008 KTV伴奏 第01首.dat";

void BM_Utf8ToGbk(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(gbk::FromUtf8(kTitleUtf8));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kTitleUtf8.size()));
}
BENCHMARK(BM_Utf8ToGbk);

void BM_GbkToUtf8(benchmark::State& state) {
  const std::string title = gbk::FromUtf8(kTitleUtf8);
  for (auto _ : state) benchmark::DoNotOptimize(gbk::ToUtf8(title));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(title.size()));
}
BENCHMARK(BM_GbkToUtf8);

void BM_GbkToUtf16(benchmark::State& state) {
  const std::string title = gbk::FromUtf8(kTitleUtf8);
  for (auto _ : state) benchmark::DoNotOptimize(gbk::ToUtf16(title));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(title.size()));
}
BENCHMARK(BM_GbkToUtf16);

void BM_Utf16ToGbk(benchmark::State& state) {
  const std::u16string title = gbk::ToUtf16(gbk::FromUtf8(kTitleUtf8));
  for (auto _ : state) benchmark::DoNotOptimize(gbk::FromUtf16(title));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(title.size() * 2));
}
BENCHMARK(BM_Utf16ToGbk);

}  // namespace

BENCHMARK_MAIN();
