// SPDX-License-Identifier: GPL-3.0-or-later
// The name of a volume that stays the same wherever it is plugged in: its
// file system's serial number or UUID, as udev links it in /dev/disk/by-uuid.
#pragma once

#include <string>

namespace platform {

// The name of the link in rootPrefix + "/dev/disk/by-uuid" that leads to the
// block device major:minor (a folder's st_dev): "1A2B-3C4D" for FAT, a UUID
// for ext4. Only links whose names are ASCII letters, digits and '-' count;
// of several, the first in byte order. "" when none leads there: a file
// system without a block device (FUSE, tmpfs: major 0), a system without
// udev. rootPrefix is "" for the real system, or a folder holding a fake
// /dev for a test. Never throws.
std::string VolumeIdOfDevice(const std::string& rootPrefix, unsigned major, unsigned minor);

}  // namespace platform
