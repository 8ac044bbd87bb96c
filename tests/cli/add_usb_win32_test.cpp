// SPDX-License-Identifier: GPL-3.0-or-later
// The whole job on Windows: addsongs-cli add --usb finds the removable drive
// that scripts/wine-test.sh maps and fills its vod folder. Skipped without it.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/mapped_drives.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/video_file.h"
#include "text/gbk.h"

namespace {

namespace fs = std::filesystem;

TEST(AddOnWindows, UsbRunFillsTheRemovableDrivesVodFolder) {
  const std::string usb = MappedDrive(kUsbDriveVariable);
  if (usb.empty()) GTEST_SKIP() << "no removable drive mapped: run scripts/wine-test.sh";
  const fs::path vod = usb + "\\vod";
  std::error_code ec;
  fs::remove_all(vod, ec);
  TempDir dir;
  const std::string video = VideoFile(12800, 1);
  const fs::path song = dir.Write("情歌-歌手甲.mpg", video);
  const auto r = RunCli({"add", "--line", "tarvel", "--usb", Utf8(song)});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(gbk::ToUtf8(TempDir::Read(vod / "vod.txt")),
            "情歌;歌手甲;2;QG;1114;660000;2;1;0;1;1\r\n");
  EXPECT_EQ(TempDir::Read(vod / "660000.dat"), video);
  EXPECT_NE(r.out.find("R:\\vod\\660000.dat"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("U盘：" + usb + "\\"), std::string::npos) << "the disk it took" << r.out;
  fs::remove_all(vod, ec);
}

}  // namespace
