// SPDX-License-Identifier: GPL-3.0-or-later
// The song list's work per run, for each product line: building and saving
// the vod.txt of 99 songs, loading a vod.txt of 100 lines, and the main
// window's recount of the sizes of 99 video files (every song-count update),
// and the grid's work on 99 rows at once (a paste, an undo and a redo).
// items_per_second is songs (or files) per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "formats/product_lines.h"
#include "quiet_view.h"
#include "text/gbk.h"
#include "ui/ufrmMain.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSongs = 99;

// A folder of its own below the system's temporary folder, removed at exit.
const fs::path& Scratch() {
  static const struct Folder {
    fs::path path = fs::temp_directory_path() / "addsongs-lists-bench";
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
  } folder;
  return folder.path;
}

// A list of the product line with 99 complete songs, made from its grid's
// rows as a run makes them.
std::unique_ptr<TBaseSong> FullList(std::uint8_t line) {
  auto list = FindProductLine(line)->create(nullptr);
  // The line's own parser fills a record from a line of its own format.
  const char* lines[] = {
      "",
      "海风;林一;2;HF;660001;2;1;1;1;0",
      "海风;林一;2;HF;104;660001;2;1;1;1;1",
      "海风;林一;2;HF;104;660001;2;1;1;1",
      "海风;林一;2;HF;104;660001;1;1;0;1;5;3;1",
  };
  for (int i = 0; i < kSongs; ++i) {
    list->ParseLine(Gbk(reinterpret_cast<const char8_t*>(lines[line])), i);
    ++list->FCount;
  }
  return list;
}

void BM_BuildAndSaveLines(benchmark::State& state) {
  const auto line = static_cast<std::uint8_t>(state.range(0));
  auto list = FullList(line);
  const std::string file = (Scratch() / "vod.txt").string();
  for (auto _ : state) {
    list->FLines.clear();
    list->BuildLines();
    list->SaveLines(list->FLines, file);
  }
  state.SetItemsProcessed(state.iterations() * kSongs);
  state.SetLabel(FindProductLine(line)->name);
}
BENCHMARK(BM_BuildAndSaveLines)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_LoadVodFile(benchmark::State& state) {
  const auto line = static_cast<std::uint8_t>(state.range(0));
  auto written = FullList(line);
  written->BuildLines();
  written->AddLine(written->FLines.front());  // the hundredth line
  const std::string file = (Scratch() / "load.txt").string();
  written->SaveLines(written->FLines, file);
  auto list = FindProductLine(line)->create(nullptr);
  for (auto _ : state) list->LoadVodFile([&] { return file; });
  state.SetItemsProcessed(state.iterations() * 100);
  state.SetLabel(FindProductLine(line)->name);
}
BENCHMARK(BM_LoadVodFile)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

// A window of 99 added songs.
void Fill(TfrmMain& form) {
  form.FormCreate();
  for (int i = 0; i < kSongs; ++i) {
    const fs::path file = Scratch() / ("song" + std::to_string(i) + "-x.mpg");
    std::ofstream(file) << std::string(1000, 'v');
    form.AddSongFile(file.string());
  }
}

void BM_RecountVideoSizes(benchmark::State& state) {
  QuietView view;
  TfrmMain form(view);
  Fill(form);
  for (auto _ : state) form.UpdateTotalSize();
  state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_RecountVideoSizes)->Unit(benchmark::kMicrosecond);

// What the owner waits for in a spreadsheet-like grid of 99 songs: a title
// column pasted (each title derives its pinyin, strokes and words), the
// language set on every row, and that step undone and redone.
void BM_PasteTitlesOn99Rows(benchmark::State& state) {
  QuietView view;
  TfrmMain form(view);
  Fill(form);
  std::string titles[2];
  for (int i = 0; i < kSongs; ++i) {
    titles[0] += gbk::ToUtf8(Gbk(u8"重庆森林")) + std::to_string(i) + "\r\n";
    titles[1] += gbk::ToUtf8(Gbk(u8"长城谣")) + std::to_string(i) + "\r\n";
  }
  int round = 0;
  for (auto _ : state) {
    form.Grid().ClickCell(kColTitle, 0, false, false);
    form.Paste(titles[round++ % 2]);
  }
  state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_PasteTitlesOn99Rows)->Unit(benchmark::kMicrosecond);

void BM_LanguageOn99RowsUndoneAndRedone(benchmark::State& state) {
  QuietView view;
  TfrmMain form(view);
  Fill(form);
  form.Grid().SelectAll();
  form.EditSelected(kColLanguage, 0, Gbk(u8"粤语"));
  for (auto _ : state) {
    form.Undo();
    form.Redo();
  }
  state.SetItemsProcessed(state.iterations() * kSongs * 2);
}
BENCHMARK(BM_LanguageOn99RowsUndoneAndRedone)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
