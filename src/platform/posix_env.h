// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX implementation of Env with its /proc, /sys and /dev moved into a
// folder, so that tests describe mounted volumes with files of their own.
#pragma once

#include <memory>
#include <string>

#include "platform/env.h"

namespace platform {

// An Env for this system that reads rootPrefix + "/proc/...",
// rootPrefix + "/sys/..." and rootPrefix + "/dev/..." instead of "/proc",
// "/sys" and "/dev" (UsbVolumes, VolumeOf, ExecutableDir, and the folders it
// opens: the mount of their file system in mountinfo, a FUSE FAT mount's
// boot sector at rootPrefix + its source, Folder::VolumeId's
// /dev/disk/by-uuid). Files, folders and free space are those of the real
// disk. rootPrefix is a native (UTF-8) path without a final '/'; "" gives
// the real system, like Env::Default().
std::unique_ptr<Env> NewPosixEnv(const std::string& rootPrefix);

}  // namespace platform
