// The POSIX implementation of Env with its /proc and /sys moved into a folder,
// so that tests describe mounted volumes with files of their own.
#pragma once

#include <memory>
#include <string>

#include "platform/env.h"

namespace platform {

// An Env for this system that reads rootPrefix + "/proc/..." and
// rootPrefix + "/sys/..." instead of "/proc" and "/sys" (UsbVolumes,
// VolumeOf, ExecutableDir). Files, folders and free space are those of the
// real disk. rootPrefix is a native (UTF-8) path without a final '/'; ""
// gives the real system, like Env::Default().
std::unique_ptr<Env> NewPosixEnv(const std::string& rootPrefix);

}  // namespace platform
