// SPDX-License-Identifier: GPL-3.0-or-later
// Copying one large video file: the song list's copy procedure (progress,
// message-loop turns, temporary name, flush, rename) against a bare loop of
// 5120-byte reads and writes with one flush, and against `cp` + `sync`.
//
// usage: copy_bench [MiB] [FOLDER]   (default 512 MiB in the current folder)
// Prints the median of three runs of each, in seconds and MiB/s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "formats/uclsOru.h"
#include "model/window_side.h"
#include "platform/env.h"

namespace fs = std::filesystem;

namespace {

// A window that only counts, standing for the real one's queue.
class CountingWindow : public TWindowSide {
 public:
  void PostNotify(unsigned, std::int64_t) override { ++posted; }
  void PumpMessages() override { ++pumps; }
  void ShowBox(const std::string&, const std::string&, int) override {}
  long posted = 0;
  long pumps = 0;
};

double Seconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A new file in an existing folder, written through the folder held open.
std::unique_ptr<platform::WritableFile> NewFile(const fs::path& file) {
  const fs::path folder = file.parent_path();
  fs::remove(file);
  return platform::Env::Default()->OpenFolder(folder.string())->CreateNew(file.filename().string());
}

void MakeSource(const fs::path& file, std::int64_t bytes) {
  auto out = NewFile(file);
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
  for (std::int64_t done = 0; done < bytes; done += static_cast<std::int64_t>(block.size())) {
    out->Append(block.data(), block.size());
  }
  out->Sync();
  out->Close();
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t mib = argc > 1 ? std::atoll(argv[1]) : 512;
  const fs::path root = fs::path(argc > 2 ? argv[2] : ".") / "copy_bench.tmp";
  fs::create_directories(root / "out");
  const fs::path source = root / "source.mpg";
  MakeSource(source, mib << 20);
  platform::Env* env = platform::Env::Default();

  auto songList = [&] {
    CountingWindow window;
    TOruSong list;
    list.FHandle = &window;
    TOruData song;
    song.SongNo = "660001";
    song.VideoFile = source.string();
    list.PutSong(&song);
    list.CopySongFiles("", (root / "out").string() + "/", nullptr);
  };
  auto bareLoop = [&] {
    auto in = env->OpenForRead(source.string());
    auto out = NewFile(root / "out" / "bare.dat");
    char buffer[5120];
    while (const std::size_t n = in->Read(buffer, sizeof buffer)) out->Append(buffer, n);
    out->Sync();
    out->Close();
  };
  const std::string cp =
      "cp '" + source.string() + "' '" + (root / "out" / "cp.dat").string() + "' && sync";
  auto cpSync = [&] {
    if (std::system(cp.c_str()) != 0) std::fprintf(stderr, "cp failed\n");
  };

  struct Variant {
    const char* name;
    std::function<void()> run;
    std::vector<double> times;
  };
  std::vector<Variant> variants{{"CopySongFiles", songList, {}},
                                {"bare 5120-byte loop + fsync", bareLoop, {}},
                                {"cp + sync", cpSync, {}}};
  for (int round = 0; round < 3; ++round) {
    for (auto& v : variants) v.times.push_back(Seconds(v.run));
  }
  const double bare = Median(variants[1].times);
  std::printf("copying %lld MiB within one file system (median of 3)\n",
              static_cast<long long>(mib));
  for (const auto& v : variants) {
    const double t = Median(v.times);
    std::printf("  %-28s %7.3f s  %8.1f MiB/s  %.2fx the bare loop\n", v.name, t,
                static_cast<double>(mib) / t, t / bare);
  }
  fs::remove_all(root);
  return 0;
}
