// SPDX-License-Identifier: GPL-3.0-or-later
// Which volume is the USB disk: one rule for every system, over the facts
// each system's reader gathers (platform/linux_mounts.h on Linux, the drive
// letters on Windows), so that the rule is tested without devices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What is known of one volume when the USB disk is looked for.
struct VolumeFacts {
  std::string root;        // mount point or drive root, ending with the separator
  bool onUsb = false;      // its disk sits on the USB bus
  bool removable = false;  // its disk reports removable media
  bool hasMedium = true;   // a medium is in it (a card reader's empty slot has none)
  bool takesFiles = true;  // false for an optical drive, a network share, a RAM disk
  bool system = false;     // it holds the operating system or this program
};

// The USB disks among the volumes, in their order: a volume on the USB bus
// or with removable media (many USB sticks, and USB hard disks, report
// fixed media), that holds a medium, takes files and is not the system's own.
std::vector<std::string> UsbVolumes(const std::vector<VolumeFacts>& volumes);

// A drive letter as Windows describes it.
enum class DriveType : std::uint8_t { kRemovable, kFixed, kRemote, kCdRom, kRamDisk, kOther };
struct DriveFacts {
  char letter;          // 'C' to 'Z'
  DriveType type;       // GetDriveTypeW's answer
  bool usbBus = false;  // its storage device's bus type is USB
  bool medium = false;  // its volume answers (a medium is in)
};

// The USB disks among drive letters, as roots ("F:\\"), in letter order:
// the facts of each drive (a removable or fixed drive takes files) through
// UsbVolumes. The drive of the Windows folder (systemLetter) and of this
// program (programLetter) are the system's own.
std::vector<std::string> UsbDrives(const std::vector<DriveFacts>& drives, char systemLetter,
                                   char programLetter);

}  // namespace platform
