// SPDX-License-Identifier: GPL-3.0-or-later
// A held folder against what a hostile stick may hold: links, pipes, a
// folder swapped under the path, each under the names a run writes; and on a
// FAT stick behind FUSE (fusefat): its clusters, its limit, a full stick.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/env.h"
#include "platform/posix_env.h"
#include "support/error_of.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class HostileStick : public ::testing::Test {
 protected:
  TempDir stick_;
  TempDir outside_;  // where a link on the stick points
  std::unique_ptr<Folder> vod_ = [this] {
    fs::create_directory(stick_.path() / "vod");
    return Env::Default()->OpenFolder(stick_.Gbk() + "vod");
  }();
  fs::path Vod(const std::string& name) const { return stick_.path() / "vod" / name; }
};

TEST_F(HostileStick, ALinkUnderATemporaryNameIsNeitherFollowedNorWrittenThrough) {
  struct Case {
    std::string what;
    fs::path target;  // where the link points
  };
  const Case cases[] = {
      {"dangling", outside_.path() / "created-outside"},
      {"to a file", outside_.Write("victim", "precious")},
      {"to a device", "/dev/null"},
  };
  for (const Case& c : cases) {
    fs::create_symlink(c.target, Vod("660000.dat.part"));
    std::error_code code;
    ErrorOf([&] { vod_->CreateNew("660000.dat.part"); }, &code);
    EXPECT_EQ(code.value(), EEXIST) << c.what;
    EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kLink) << c.what;

    vod_->Remove("660000.dat.part");
    EXPECT_FALSE(fs::is_symlink(Vod("660000.dat.part"))) << c.what;
    auto file = vod_->CreateNew("660000.dat.part");
    file->Append("v", 1);
    file->Close();
    vod_->Remove("660000.dat.part");
  }
  EXPECT_FALSE(fs::exists(outside_.path() / "created-outside"));
  EXPECT_EQ(TempDir::Read(outside_.path() / "victim"), "precious");
}

TEST_F(HostileStick, APipeUnderANameNeverBlocks) {
  ASSERT_EQ(::mkfifo(Vod("vod.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Vod("660000.dat.part").c_str(), 0600), 0);
  EXPECT_EQ(vod_->Stat("vod.txt").kind, EntryKind::kOther);
  EXPECT_NE(ErrorOf([&] { vod_->OpenForRead("vod.txt"); }), "no error");
  std::error_code code;
  ErrorOf([&] { vod_->CreateNew("660000.dat.part"); }, &code);
  EXPECT_EQ(code.value(), EEXIST);
  vod_->Remove("660000.dat.part");
  EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kNone);
}

TEST_F(HostileStick, ALinkedFolderIsRefusedAsALink) {
  fs::create_directory(outside_.path() / "elsewhere");
  fs::create_directory_symlink(outside_.path() / "elsewhere", stick_.path() / "linked");
  std::error_code code;
  ErrorOf([&] { Env::Default()->OpenFolder(stick_.Gbk() + "linked"); }, &code);
  EXPECT_EQ(code.value(), ELOOP);
  ErrorOf([&] { Env::Default()->OpenFolder(stick_.Gbk() + "linked/"); }, &code);
  EXPECT_EQ(code.value(), ELOOP) << "a final separator does not follow it either";

  auto root = Env::Default()->OpenFolder(stick_.Gbk());
  const std::string what = ErrorOf([&] { root->OpenFolder("linked", true); }, &code);
  EXPECT_EQ(code.value(), ELOOP);
  EXPECT_NE(what.find("linked"), std::string::npos) << what;
  EXPECT_TRUE(fs::is_empty(outside_.path() / "elsewhere"));
}

TEST_F(HostileStick, RemovingAFolderRemovesLinksInItNotWhatTheyName) {
  const fs::path victim = outside_.Write("victim", "precious");
  fs::create_directories(Vod("660001.dat.part/inner"));
  fs::create_symlink(victim, Vod("660001.dat.part/inner/link"));
  fs::create_directory_symlink(outside_.path(), Vod("660001.dat.part/dirlink"));
  vod_->Remove("660001.dat.part");
  EXPECT_FALSE(fs::exists(Vod("660001.dat.part")));
  EXPECT_EQ(TempDir::Read(victim), "precious");
}

TEST_F(HostileStick, AFolderMovedAwayIsStillTheOneWrittenNotWhatNowStandsAtItsPath) {
  // As a stick pulled out with its mount point left behind, or a link put
  // in the folder's place: the write goes where the run opened.
  fs::rename(stick_.path() / "vod", stick_.path() / "moved");
  fs::create_directory(stick_.path() / "vod");
  auto file = vod_->CreateNew("vod.txt.part");
  file->Append("x", 1);
  file->Close();
  vod_->Rename("vod.txt.part", "vod.txt");
  EXPECT_TRUE(fs::exists(stick_.path() / "moved" / "vod.txt"));
  EXPECT_TRUE(fs::is_empty(stick_.path() / "vod"));
}

const std::string kFullOnFat = Gbk(u8"U盘拒绝写入：U盘可能已满，或文件太大（FAT 格式）");
constexpr std::int64_t kFatLargest = (std::int64_t{1} << 32) - 1;

bool StartsWith(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

TEST(HeldFolderOnFat, AWriteRefusedWithEpermIsAFullStickOnFatAndAPermissionElsewhere) {
  TempDir tmp;
  tmp.Write("locked/old.dat", "x");
  const std::string locked = ShellQuote((tmp.path() / "locked").string());
  if (RunShell("chattr +i " + locked).status != 0) {
    GTEST_SKIP() << "an immutable folder (EPERM for every change) needs root on ext4";
  }
  struct Unlock {
    std::string folder;
    ~Unlock() { RunShell("chattr -i " + folder); }
  } unlock{locked};
  // The same folder seen through a mountinfo that calls its file system vfat.
  TempDir root;
  struct stat held;
  ASSERT_EQ(::stat(tmp.path().c_str(), &held), 0);
  root.Write("proc/self/mountinfo", "30 1 " + std::to_string(major(held.st_dev)) + ":" +
                                        std::to_string(minor(held.st_dev)) + " / " +
                                        tmp.path().string() + " rw - vfat /dev/sdb1 rw\n");
  const std::unique_ptr<Env> fatEnv = NewPosixEnv(root.path().string());
  struct Case {
    const char* system;
    Env* env;
    std::string sentence;
  };
  const Case systems[] = {
      {"FAT", fatEnv.get(), kFullOnFat},
      {"ext4", Env::Default(), Gbk(u8"没有读写这个文件或文件夹的权限")},
  };
  for (const Case& c : systems) {
    const std::unique_ptr<Folder> folder = c.env->OpenFolder(tmp.Gbk() + "locked");
    const std::function<void()> writes[] = {
        [&] { folder->CreateNew("660001.dat.part"); },
        [&] { folder->OpenFolder("new", true); },
        [&] { folder->Rename("old.dat", "660001.dat"); },
    };
    for (const auto& write : writes) {
      std::error_code code;
      const std::string what = ErrorOf(write, &code);
      EXPECT_EQ(code.value(), EPERM) << c.system << ": " << gbk::ToUtf8(what);
      EXPECT_TRUE(StartsWith(what, c.sentence)) << c.system << ": " << gbk::ToUtf8(what);
      EXPECT_NE(what.find("Operation not permitted"), std::string::npos) << "the system's words";
    }
  }
}

// A FAT16 image with 4 KiB clusters (mkfs.fat -F 16 -s 8) mounted through
// fusefat for one test, unmounted at its end, as type fuse.fusefat.
// shownSource: the mount's source is the image's path (fsname), so its boot
// sector can be read; otherwise mountinfo shows the name "fusefat". Mounted() is false when this
// machine cannot (no fusefat or mkfs.fat, no /dev/fuse, no right to mount),
// and WhyNot() says why.
class FuseFatStick {
 public:
  FuseFatStick(const fs::path& folder, int mib, bool shownSource)
      : image_(folder / "stick.img"), at_(folder / "stick") {
    if (RunShell("command -v fusefat && command -v mkfs.fat").status != 0) {
      why_ = "fusefat or mkfs.fat is not installed (packages fusefat, dosfstools)";
      return;
    }
    if (!fs::exists("/dev/fuse")) {
      why_ = "no /dev/fuse on this machine";
      return;
    }
    fs::create_directories(at_);
    const std::string image = ShellQuote(image_.string());
    const auto made = RunShell("truncate -s " + std::to_string(mib) + "M " + image +
                               " && mkfs.fat -F 16 -s 8 " + image);
    if (made.status != 0) {
      why_ = "mkfs.fat failed: " + made.err;
      return;
    }
    // A source given by fsname makes libfuse drop the subtype from the type
    // unless it is given too, as mount.fuse gives both.
    const std::string options =
        shownSource ? "rw+,subtype=fusefat,fsname=" + image_.string() : "rw+";
    const auto run = RunShell("fusefat -o " + ShellQuote(options) + " " + image + " " +
                              ShellQuote(at_.string()));
    mounted_ = run.status == 0;
    struct statfs info;
    constexpr long kFuseMagic = 0x65735546;
    if (run.status != 0 || ::statfs(at_.c_str(), &info) != 0 || info.f_type != kFuseMagic) {
      why_ = "cannot mount with fusefat (root, or access to /dev/fuse, is needed): " + run.err;
    }
  }
  ~FuseFatStick() {
    if (!mounted_) return;
    const std::string at = ShellQuote(at_.string());
    RunShell("fusermount -u " + at + " || umount -l " + at);
  }
  FuseFatStick(const FuseFatStick&) = delete;
  FuseFatStick& operator=(const FuseFatStick&) = delete;

  bool Mounted() const { return why_.empty(); }
  const std::string& WhyNot() const { return why_; }
  std::string Gbk() const { return at_.string() + "/"; }

 private:
  fs::path image_;
  fs::path at_;
  std::string why_;
  bool mounted_ = false;
};

TEST(FuseFatStick, TheRoomCountsItsClustersFromTheBootSectorOrItsCountsAndFatsLargestFile) {
  struct Case {
    bool shownSource;  // the image is named as the mount's source
    std::int64_t blockSize;
  };
  // Without the source, fusefat's counts (its "files" are clusters) tell.
  for (const Case& c : {Case{true, 4096}, Case{false, 4096}}) {
    TempDir tmp;
    const FuseFatStick stick(tmp.path(), 32, c.shownSource);
    if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
    const std::unique_ptr<Folder> folder = Env::Default()->OpenFolder(stick.Gbk());
    const VolumeRoom before = folder->Room();
    EXPECT_EQ(before.blockSize, c.blockSize) << "fusefat itself says 1 KiB";
    EXPECT_EQ(before.largestFile, kFatLargest);
    EXPECT_EQ(before.freeEntries, -1) << "its file counts are clusters";
    EXPECT_EQ(folder->VolumeId(), "") << "no block device behind FUSE";
    if (!c.shownSource) continue;
    // 40 files of 9,000 bytes take three clusters each.
    const std::string content(9000, 'v');
    for (int i = 0; i < 40; ++i) {
      auto file = folder->CreateNew("66" + std::to_string(1000 + i) + ".dat");
      file->Append(content.data(), content.size());
      file->Close();
    }
    EXPECT_EQ(before.freeBytes - folder->Room().freeBytes, 40 * 3 * 4096);
  }
}

TEST(FuseFatStick, AFullStickIsToldAsFullNotAsAMissingPermission) {
  TempDir tmp;
  const FuseFatStick stick(tmp.path(), 20, true);
  if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
  const std::unique_ptr<Folder> folder = Env::Default()->OpenFolder(stick.Gbk());
  const std::vector<char> chunk(1 << 20, 'v');
  std::error_code code;
  const std::string what = ErrorOf(
      [&] {
        auto file = folder->CreateNew("660000.dat.part");
        for (int i = 0; i < 64; ++i) file->Append(chunk.data(), chunk.size());
        file->Sync();
        file->Close();
      },
      &code);
  EXPECT_EQ(code.value(), EPERM) << "fusefat's answer when full: " << gbk::ToUtf8(what);
  EXPECT_TRUE(StartsWith(what, kFullOnFat)) << gbk::ToUtf8(what);
  EXPECT_NE(what.find("cannot write"), std::string::npos) << gbk::ToUtf8(what);
}

}  // namespace
}  // namespace platform
