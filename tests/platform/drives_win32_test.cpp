// SPDX-License-Identifier: GPL-3.0-or-later
// Drive letters under Wine (or Windows): the removable drive is found, a
// target folder given as "S:\songs" works with Chinese names, and a path
// names its drive. The drives are mapped by scripts/wine-test.sh; without
// them these tests are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/env.h"
#include "support/mapped_drives.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class MappedDrives : public ::testing::Test {
 protected:
  void SetUp() override {
    if (usb_.empty() || fixed_.empty()) {
      GTEST_SKIP() << "no drives mapped: run scripts/wine-test.sh, or set " << kUsbDriveVariable
                   << " and " << kFixedDriveVariable;
    }
  }
  Env* env_ = Env::Default();
  const std::string usb_ = MappedDrive(kUsbDriveVariable);      // e.g. "R:"
  const std::string fixed_ = MappedDrive(kFixedDriveVariable);  // e.g. "S:"
};

// Wine reports its drives' types (R: removable, S: fixed) but no storage bus:
// the removable drive is the USB disk, the fixed one and C: are not.
TEST_F(MappedDrives, UsbVolumesAreTheRemovableDriveRootsInOrder) {
  const std::vector<std::string> volumes = env_->UsbVolumes();
  EXPECT_NE(std::find(volumes.begin(), volumes.end(), usb_ + "\\"), volumes.end());
  for (const std::string& fixed : {fixed_ + "\\", std::string("C:\\"), std::string("Z:\\")}) {
    EXPECT_EQ(std::find(volumes.begin(), volumes.end(), fixed), volumes.end()) << fixed;
  }
  for (const std::string& volume : volumes) {
    EXPECT_EQ(volume.size(), 3u) << volume;
    EXPECT_GE(volume[0], 'C') << "A: and B: are never asked";
  }
  EXPECT_TRUE(std::is_sorted(volumes.begin(), volumes.end()));
}

TEST_F(MappedDrives, VolumeOfAPathIsItsDriveRoot) {
  struct Case {
    std::string path, volume;
  };
  const Case cases[] = {
      {fixed_ + "\\", fixed_ + "\\"},
      {fixed_ + "\\songs", fixed_ + "\\"},
      {fixed_ + "\\songs\\not\\made\\yet", fixed_ + "\\"},
      {fixed_ + "/songs/vod/", fixed_ + "\\"},
      {usb_ + "\\vod\\vod.txt", usb_ + "\\"},
      {Gbk(u8"C:\\歌曲\\新歌"), "C:\\"},
      {"\xff:\\vod", ""},  // no UTF-16 form
  };
  for (const Case& c : cases) EXPECT_EQ(env_->VolumeOf(c.path), c.volume) << c.path;
}

TEST_F(MappedDrives, TargetFolderOnADriveLetterTakesChineseNames) {
  TempDir on(fs::path(fixed_ + "\\"));
  const std::string songs = on.path().string() + "\\" + Gbk(u8"歌曲") + "\\songs";
  const std::string name = Gbk(u8"月亮代表我的心-邓丽君.dat");
  auto folder = env_->OpenFolder(on.path().string())->OpenFolder(Gbk(u8"歌曲"), true);
  folder = folder->OpenFolder("songs", true);
  EXPECT_EQ(env_->VolumeOf(songs), fixed_ + "\\");
  const VolumeRoom room = folder->Room();
  EXPECT_GT(room.freeBytes, 0);
  EXPECT_TRUE(room.blockSize >= 512 && (room.blockSize & (room.blockSize - 1)) == 0)
      << room.blockSize;

  auto file = folder->CreateNew(name + ".part");
  file->Append("video", 5);
  file->Sync();
  file->Close();
  file.reset();
  folder->Rename(name + ".part", name);
  folder->Sync();

  // The names on the disk are the Unicode names, whatever the system's code page.
  const fs::path native = on.path() / fs::path(u8"歌曲/songs/月亮代表我的心-邓丽君.dat");
  EXPECT_TRUE(fs::is_regular_file(native));
  EXPECT_EQ(env_->ListFiles(songs), std::vector<std::string>{name});
  EXPECT_EQ(env_->FileSize(songs + "\\" + name), 5);
  folder->Remove(name);
  EXPECT_FALSE(fs::exists(native));
}

}  // namespace
}  // namespace platform
