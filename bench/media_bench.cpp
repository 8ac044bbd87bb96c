// SPDX-License-Identifier: GPL-3.0-or-later
// What an owner waits for when dropping 99 videos onto the grid: the add
// until every row is there, without looking at the files and with the media
// probe (two threads) until every file's facts are in the grid. Rounds take
// turns; each prints its times, the last line the medians and their ratio.
//   media_bench FOLDER [ROUNDS] [--cold]
// FOLDER holds the videos (bench/media_files.sh makes 99). The probe runs on
// the threads the programs give it (TMediaQueue::DefaultWorkers). --cold drops the
// system's page cache before each add (root only), as for files just copied
// from another disk.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/product_lines.h"
#include "media/probe.h"
#include "quiet_view.h"
#include "ui/ufrmMain.h"

namespace fs = std::filesystem;

namespace {

struct TTimes {
  double rows;   // seconds from the drop until the grid holds every row
  double facts;  // ... and, with a probe, every row's facts
};

TTimes AddOnce(const TStringList& files, media::MediaProbe* probe, bool cold) {
  if (cold && std::system("sync && echo 3 > /proc/sys/vm/drop_caches") != 0) {
    std::fprintf(stderr, "media_bench: --cold needs root\n");
    std::exit(2);
  }
  QuietView view(kProductTarvel);
  TfrmMain form(view);
  view.SetForm(&form);
  if (probe != nullptr) form.SetMediaProbe(probe, TMediaQueue::DefaultWorkers());
  form.FormCreate();
  view.Drain();
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  const auto start = Clock::now();
  form.AddDroppedFiles(files);
  const double rows = since(start);
  form.AwaitMedia();
  view.Drain();
  const double facts = since(start);
  if (form.Grid().RowCount() != static_cast<int>(files.size()) || !view.boxes.empty()) {
    std::fprintf(stderr, "media_bench: %d of %zu files were added\n", form.Grid().RowCount(),
                 files.size());
    std::exit(1);
  }
  form.SetMediaProbe(nullptr, 0);
  return {rows, facts};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: media_bench FOLDER [ROUNDS] [--cold]\n");
    return 2;
  }
  const bool cold = std::string(argv[argc - 1]) == "--cold";
  const int rounds = argc > 2 && !std::string(argv[2]).starts_with("--") ? std::atoi(argv[2]) : 7;
  TStringList files;
  for (const auto& entry : fs::directory_iterator(argv[1])) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".mpg" || ext == ".mp4") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  const auto probe = media::NewMediaProbe();
  std::vector<double> without, withRows, withFacts;
  for (int round = 0; round < rounds; ++round) {
    without.push_back(AddOnce(files, nullptr, cold).facts);
    const TTimes with = AddOnce(files, probe.get(), cold);
    withRows.push_back(with.rows);
    withFacts.push_back(with.facts);
    std::printf(
        "round %d: %zu files, without probing %.3f s, with probing: rows %.3f s, "
        "facts %.3f s\n",
        round + 1, files.size(), without.back(), with.rows, with.facts);
  }
  // The probe alone, one file after another on one thread.
  const auto start = std::chrono::steady_clock::now();
  for (const auto& file : files) probe->Examine(file);
  const double alone =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("the probe alone: %.2f ms a file\n",
              alone * 1000 / static_cast<double>(files.size()));
  const double base = Median(without);
  std::printf(
      "median: without probing %.3f s; with probing every row there %.3f s (%.2fx), "
      "every file's facts in %.3f s (%.2fx)\n",
      base, Median(withRows), Median(withRows) / base, Median(withFacts), Median(withFacts) / base);
  return 0;
}
