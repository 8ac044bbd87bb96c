// SPDX-License-Identifier: GPL-3.0-or-later
// Which drive letter is the USB disk, decided from a table of drives as
// Windows describes them, so that it is tested without devices.
#include "platform/usb_volumes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Strings = std::vector<std::string>;
using T = DriveType;

TEST(UsbDrives, AreUsbOrRemovableDrivesWithAMediumThatAreNotTheSystems) {
  struct Case {
    const char* what;
    std::vector<DriveFacts> drives;
    Strings usb;
  };
  const Case cases[] = {
      {"a stick that says removable",
       {{'C', T::kFixed, false, true}, {'E', T::kRemovable, true, true}},
       {"E:\\"}},
      {"a stick that says fixed (the removable bit cleared), found by its bus",
       {{'C', T::kFixed, false, true}, {'F', T::kFixed, true, true}},
       {"F:\\"}},
      {"a USB hard disk", {{'C', T::kFixed, false, true}, {'G', T::kFixed, true, true}}, {"G:\\"}},
      {"an empty card reader slot holds nothing",
       {{'C', T::kFixed, false, true}, {'E', T::kRemovable, true, false}},
       {}},
      {"a second internal disk is no USB disk",
       {{'C', T::kFixed, false, true}, {'D', T::kFixed, false, true}},
       {}},
      {"the first from C: to Z: comes first",
       {{'C', T::kFixed, false, true},
        {'E', T::kRemovable, false, true},
        {'H', T::kFixed, true, true}},
       {"E:\\", "H:\\"}},
      {"a USB optical drive or a network share takes no files",
       {{'C', T::kFixed, false, true},
        {'E', T::kCdRom, true, true},
        {'N', T::kRemote, false, true}},
       {}},
      {"Windows on a USB disk: never its own drive",
       {{'C', T::kFixed, true, true}, {'E', T::kRemovable, true, true}},
       {"E:\\"}},
      {"nor the drive this program runs from",
       {{'C', T::kFixed, false, true},
        {'P', T::kRemovable, true, true},
        {'Q', T::kFixed, true, true}},
       {"Q:\\"}},
  };
  for (const Case& c : cases) EXPECT_EQ(UsbDrives(c.drives, 'C', 'P'), c.usb) << c.what;
}

}  // namespace
}  // namespace platform
