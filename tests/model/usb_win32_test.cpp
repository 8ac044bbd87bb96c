// SPDX-License-Identifier: GPL-3.0-or-later
// The song list finds the USB disk through the real Windows platform: the
// removable drive that scripts/wine-test.sh maps. Skipped without it.
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "platform/env.h"
#include "support/mapped_drives.h"
#include "test_song.h"

namespace {

namespace fs = std::filesystem;

TEST(UsbDiskOnWindows, IsTheRemovableDriveAndNothingIsMadeThereYet) {
  const std::string usb = MappedDrive(kUsbDriveVariable);
  if (usb.empty()) GTEST_SKIP() << "no removable drive mapped: run scripts/wine-test.sh";
  const fs::path vod = usb + "\\vod";
  const bool existed = fs::exists(vod);
  TestSong list(platform::Env::Default());
  EXPECT_EQ(list.FindUsbVodDir(), usb + "\\vod\\");
  EXPECT_EQ(fs::exists(vod), existed) << "the run makes the folder once every check passed";
}

}  // namespace
