// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli add onto a real FAT stick that a DOS tool wrote: a FAT16
// image (dosfstools' mkfs.fat) holding VOD\VOD.TXT and 660000.DAT,
// 660001.DAT in 8.3 upper case (written by mtools), mounted through fusefat.
// FAT matches names without regard to case: the run must find the list
// there, and leave one vod folder with one list, the image clean. Needs
// fusefat, dosfstools, mtools, /dev/fuse and the right to mount; skipped
// otherwise.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"
#include "text/uPublic.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The first two songs of the ORU fixture, numbered 660000 and 660001.
std::vector<std::string> OldLines() {
  std::ifstream in(std::string(ADDSONGS_FIXTURES_DIR) + "/oru_vod.txt", std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < 2 && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t at; (at = line.find(';', start)) != std::string::npos; start = at + 1) {
      fields.push_back(line.substr(start, at - start));
    }
    fields.push_back(line.substr(start));
    fields.at(4) = "66000" + std::to_string(lines.size());
    std::string joined;
    for (const std::string& f : fields) joined += (joined.empty() ? "" : ";") + f;
    lines.push_back(joined);
  }
  return lines;
}

// The lines of a text (CR LF or LF), without empty ones.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// mtools on the image. fusefat leaves the second FAT entry as 0x8000 when it
// unmounts (shut down cleanly, the "no error" bit cleared), which fsck.fat
// takes and mtools' first check refuses ("Initial bytes of fat is not
// 0xff"); that check is skipped.
CommandResult Mtools(const std::string& tool, const fs::path& image, const std::string& args) {
  return RunShell("MTOOLS_SKIP_CHECK=1 " + tool + " -i " + ShellQuote(image.string()) + " " + args);
}

// fusefat serving the image on a folder, in the foreground as a child of
// the test, so that its end (the image written) can be waited for.
class FatMount {
 public:
  FatMount(const fs::path& image, const fs::path& at) : at_(at) {
    fs::create_directories(at_);
    const std::string imageText = image.string();
    const std::string atText = at_.string();
    const char* argv[] = {"fusefat", "-f", "-o", "rw+", imageText.c_str(), atText.c_str(), nullptr};
    // Its trace of every request goes to a file beside the image.
    const std::string log = (image.parent_path() / "fusefat.log").string();
    posix_spawn_file_actions_t output;
    ::posix_spawn_file_actions_init(&output);
    ::posix_spawn_file_actions_addopen(&output, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::posix_spawn_file_actions_adddup2(&output, 1, 2);
    const int spawned =
        ::posix_spawnp(&pid_, "fusefat", &output, nullptr, const_cast<char**>(argv), environ);
    ::posix_spawn_file_actions_destroy(&output);
    if (spawned != 0) {
      why_ = "cannot start fusefat";
      pid_ = -1;
      return;
    }
    // Up to ten seconds for the mount to show, unless fusefat gives up first.
    for (int i = 0; i < 1000; ++i) {
      struct statfs info;
      constexpr long kFuseMagic = 0x65735546;
      if (::statfs(atText.c_str(), &info) == 0 && info.f_type == kFuseMagic) return;
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        why_ = "fusefat could not mount the image (root, or access to /dev/fuse, is needed)";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    why_ = "the image did not show as mounted";
    Unmount();
  }
  ~FatMount() { Unmount(); }
  FatMount(const FatMount&) = delete;
  FatMount& operator=(const FatMount&) = delete;

  const std::string& WhyNot() const { return why_; }

  // Unmounts and waits for fusefat to have written the image and ended.
  void Unmount() {
    if (pid_ < 0) return;
    const std::string at = ShellQuote(at_.string());
    if (RunShell("fusermount3 -u " + at + " || fusermount -u " + at).status != 0) {
      ::kill(pid_, SIGTERM);
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  fs::path at_;
  pid_t pid_ = -1;
  std::string why_;
};

std::string Missing() {
  for (const char* tool : {"fusefat", "mkfs.fat", "fsck.fat", "mmd", "mcopy", "mdir", "mtype"}) {
    if (RunShell(std::string("command -v ") + tool).status != 0) {
      return std::string(tool) + " is not installed (packages fusefat, dosfstools, mtools)";
    }
  }
  if (!fs::exists("/dev/fuse")) return "no /dev/fuse on this machine";
  return "";
}

TEST(FatStickRun, ASongAddedToAStickADosToolWroteLeavesOneVodFolderWithOneListAndACleanImage) {
  const struct {
    const char* option;
    bool oldListed;  // the two songs there are still listed
  } cases[] = {{"--merge", true}, {"--replace", false}};
  if (const std::string missing = Missing(); !missing.empty()) GTEST_SKIP() << missing;
  for (const auto& c : cases) {
    TempDir dir;
    const fs::path image = dir.path() / "stick.img";
    { std::ofstream create(image, std::ios::binary); }
    fs::resize_file(image, 16u << 20);
    // FAT16 of 4 KiB clusters, as a 16 MiB stick comes formatted.
    ASSERT_EQ(RunShell("mkfs.fat -F 16 -s 8 " + ShellQuote(image.string())).status, 0);
    const std::vector<std::string> oldLines = OldLines();
    ASSERT_EQ(oldLines.size(), 2u);
    dir.Write("dos/VOD.TXT", oldLines[0] + "\r\n" + oldLines[1] + "\r\n");
    const std::string oldVideos[] = {VideoBytes(5000, 1), VideoBytes(6000, 2)};
    dir.Write("dos/660000.DAT", oldVideos[0]);
    dir.Write("dos/660001.DAT", oldVideos[1]);
    const std::string dos = ShellQuote((dir.path() / "dos").string());
    ASSERT_EQ(Mtools("mmd", image, "::VOD").status, 0);
    const auto put = Mtools("mcopy", image,
                            dos + "/VOD.TXT " + dos + "/660000.DAT " + dos + "/660001.DAT ::VOD/");
    ASSERT_EQ(put.status, 0) << put.err;
    const std::string video = VideoFile(7000, 3);
    const fs::path source = dir.Write("src/NEW-x.mpg", video);

    FatMount mount(image, dir.path() / "mnt");
    if (!mount.WhyNot().empty()) GTEST_SKIP() << mount.WhyNot();
    const auto run = RunCli(
        {"add", "--line", "oru", "--to", (dir.path() / "mnt").string(), c.option, source.string()});
    mount.Unmount();
    EXPECT_EQ(run.status, 0) << c.option << "\n" << run.out << run.err;

    const auto fsck = RunShell("fsck.fat -n " + ShellQuote(image.string()));
    EXPECT_EQ(fsck.status, 0) << c.option << ": the image is not clean\n" << fsck.out << fsck.err;
    const auto listing = Mtools("mdir", image, "-b -/ ::");
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::vector<std::string> folders;
    std::vector<std::string> lists;
    std::vector<std::string> others;  // any other file in a vod folder
    for (const std::string& path : LinesOf(listing.out)) {
      if (path.size() < 7 || LowerAscii(path.substr(0, 7)) != "::/vod/") continue;
      const std::string name = path.substr(7);
      if (name.empty()) {
        folders.push_back(path);
      } else if (LowerAscii(name) == "vod.txt") {
        lists.push_back(path);
      } else if (LowerAscii(name).size() != 10 || LowerAscii(name).substr(6) != ".dat") {
        others.push_back(path);
      }
    }
    ASSERT_EQ(folders.size(), 1u) << c.option << "\n" << listing.out;
    ASSERT_EQ(lists.size(), 1u) << c.option << "\n" << listing.out;
    EXPECT_TRUE(others.empty()) << c.option << ": left on the stick\n" << listing.out;

    const auto list = Mtools("mtype", image, ShellQuote(lists.front()));
    ASSERT_EQ(list.status, 0) << list.err;
    const std::vector<std::string> listed = LinesOf(list.out);
    std::vector<std::string> added;
    for (const std::string& line : listed) {
      if (std::find(oldLines.begin(), oldLines.end(), line) == oldLines.end())
        added.push_back(line);
    }
    EXPECT_EQ(listed.size() - added.size(), c.oldListed ? 2u : 0u)
        << c.option << ": the list holds\n"
        << list.out;
    ASSERT_EQ(added.size(), 1u) << c.option << ": the list holds\n" << list.out;
    EXPECT_EQ(added[0].rfind("NEW;x;", 0), 0u) << added[0];
    // Its .dat holds the video (mtools finds the name in any case).
    const std::size_t at = added[0].find(";66");
    ASSERT_NE(at, std::string::npos) << added[0];
    const std::string number = added[0].substr(at + 1, 6);
    const auto dat = Mtools("mtype", image, ShellQuote(folders.front() + number + ".DAT"));
    EXPECT_EQ(dat.status, 0) << dat.err;
    for (int i = 0; c.oldListed && i < 2; ++i) {
      const std::string name = "66000" + std::to_string(i) + ".DAT";
      const auto kept = Mtools("mtype", image, ShellQuote(folders.front() + name));
      EXPECT_TRUE(kept.out == oldVideos[i]) << c.option << ": " << name << " is not as it was";
    }
    EXPECT_TRUE(dat.out == video) << c.option << ": " << number << ".dat holds " << dat.out.size()
                                  << " bytes, not the video's " << video.size();
  }
}

}  // namespace
