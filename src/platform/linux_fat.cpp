// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_fat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A FUSE type's subtype: "fusefat" of "fuse.fusefat".
bool FuseSubtype(std::string_view type, std::string_view* subtype) {
  for (std::string_view fuse : {"fuse.", "fuseblk."}) {
    if (type.starts_with(fuse)) {
      *subtype = type.substr(fuse.size());
      return true;
    }
  }
  return false;
}

}  // namespace

FatKind FatKindOfType(std::string_view type) {
  if (type == "vfat" || type == "msdos" || type == "fat") return FatKind::kFat;
  if (type == "exfat") return FatKind::kExFat;
  std::string_view subtype;
  if (!FuseSubtype(type, &subtype)) return FatKind::kNone;
  if (subtype.find("exfat") != std::string_view::npos) return FatKind::kExFat;
  if (subtype.find("fat") != std::string_view::npos) return FatKind::kFat;
  return FatKind::kNone;
}

bool IsFuseType(std::string_view type) {
  std::string_view subtype;
  return type == "fuse" || type == "fuseblk" || FuseSubtype(type, &subtype);
}

std::int64_t ClusterOfBootSector(std::string_view sector) {
  if (sector.size() < 14) return -1;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sector[i]); };
  const unsigned bytesPerSector = byte(11) | unsigned{byte(12)} << 8;
  const unsigned sectorsPerCluster = byte(13);
  const bool sectorOk = bytesPerSector == 512 || bytesPerSector == 1024 || bytesPerSector == 2048 ||
                        bytesPerSector == 4096;
  const bool clusterOk =
      sectorsPerCluster != 0 && (sectorsPerCluster & (sectorsPerCluster - 1)) == 0;
  if (!sectorOk || !clusterOk) return -1;
  return std::int64_t{bytesPerSector} * sectorsPerCluster;
}

std::int64_t ReadClusterOfBootSector(const std::string& path) {
  // O_NONBLOCK: a pipe planted under the name does not hold the call.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::int64_t cluster = -1;
  struct stat info;
  if (::fstat(fd, &info) == 0 && (S_ISREG(info.st_mode) || S_ISBLK(info.st_mode))) {
    char sector[512];
    const ssize_t got = ::pread(fd, sector, sizeof sector, 0);
    if (got > 0) {
      cluster = ClusterOfBootSector(std::string_view(sector, static_cast<std::size_t>(got)));
    }
  }
  ::close(fd);
  return cluster;
}

}  // namespace platform
