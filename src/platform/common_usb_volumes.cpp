// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/usb_volumes.h"

namespace platform {

std::vector<std::string> UsbVolumes(const std::vector<VolumeFacts>& volumes) {
  std::vector<std::string> usb;
  for (const VolumeFacts& v : volumes) {
    if ((v.onUsb || v.removable) && v.hasMedium && v.takesFiles && !v.system) {
      usb.push_back(v.root);
    }
  }
  return usb;
}

std::vector<std::string> UsbDrives(const std::vector<DriveFacts>& drives, char systemLetter,
                                   char programLetter) {
  std::vector<VolumeFacts> volumes;
  for (const DriveFacts& d : drives) {
    VolumeFacts v;
    v.root = {d.letter, ':', '\\'};
    v.removable = d.type == DriveType::kRemovable;
    v.takesFiles = d.type == DriveType::kRemovable || d.type == DriveType::kFixed;
    v.onUsb = v.takesFiles && d.usbBus;
    v.hasMedium = d.medium;
    v.system = d.letter == systemLetter || d.letter == programLetter;
    volumes.push_back(std::move(v));
  }
  return UsbVolumes(volumes);
}

}  // namespace platform
