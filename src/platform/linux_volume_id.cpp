// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_volume_id.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

bool IsIdName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
  });
}

}  // namespace

std::string VolumeIdOfDevice(const std::string& rootPrefix, unsigned major, unsigned minor) {
  if (major == 0) return "";  // no block device has major 0
  const dev_t wanted = makedev(major, minor);
  std::string best;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(rootPrefix + "/dev/disk/by-uuid", ec), end;
       !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().native();
    struct stat info;  // of what the link leads to
    if (!IsIdName(name) || ::stat(it->path().c_str(), &info) != 0 || !S_ISBLK(info.st_mode) ||
        info.st_rdev != wanted) {
      continue;
    }
    if (best.empty() || name < best) best = name;
  }
  return best;
}

}  // namespace platform
