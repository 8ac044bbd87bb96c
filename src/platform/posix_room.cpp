// SPDX-License-Identifier: GPL-3.0-or-later
// The file system under a held folder: whether it is FAT, its allocation
// unit and the room left on it.
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/linux_mounts.h"
#include "platform/posix_internal.h"

namespace platform::posix {
namespace {

// What statfs calls the kernel's own drivers.
constexpr long kFatMagic = 0x4d44;        // "vfat", "msdos"
constexpr long kExFatMagic = 0x2011BAB0;  // "exfat"

// fusefat counts the volume's clusters as its files: where the bytes of the
// volume over its "files" give a power of two that the free bytes over its
// free "files" give too, that is the cluster.
std::optional<std::int64_t> ClusterOfCounts(const struct statvfs& info) {
  if (info.f_files == 0 || info.f_frsize == 0) return std::nullopt;
  const std::uint64_t bytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
  const std::uint64_t cluster = bytes / info.f_files;
  if (cluster < 512 || cluster > 65536 || (cluster & (cluster - 1)) != 0) return std::nullopt;
  const std::uint64_t free = static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
  if (free / cluster != info.f_ffree) return std::nullopt;
  return static_cast<std::int64_t>(cluster);
}

}  // namespace

MountFacts FactsOfMount(int fd, const std::string& rootPrefix) {
  MountFacts facts;
  struct stat held;
  if (::fstat(fd, &held) != 0) return facts;
  facts.device = held.st_dev;
  struct statfs kind;
  if (::fstatfs(fd, &kind) == 0) {
    if (kind.f_type == kFatMagic) facts.fat = FatKind::kFat;
    if (kind.f_type == kExFatMagic) facts.fat = FatKind::kExFat;
  }
  const std::vector<MountEntry> mounts = ReadMountInfo(rootPrefix);
  const MountEntry* mount = MountOfDevice(mounts, major(held.st_dev), minor(held.st_dev));
  if (mount == nullptr) return facts;
  if (const FatKind fat = FatKindOfType(mount->type); fat != FatKind::kNone) facts.fat = fat;
  // The kernel's FAT gives its cluster as f_frsize; fusefat gives 1 KiB.
  if (facts.fat == FatKind::kFat && IsFuseType(mount->type)) {
    facts.cluster =
        mount->source.starts_with('/') ? ReadClusterOfBootSector(rootPrefix + mount->source) : -1;
    if (facts.cluster <= 0) facts.cluster = kFatClusterUnknown;
  }
  return facts;
}

VolumeRoom RoomOf(int fd, const MountFacts& facts) {
  VolumeRoom room;
  struct statvfs info;
  if (::fstatvfs(fd, &info) == 0 && info.f_frsize != 0) {
    // f_bavail, not f_bfree: ext4 keeps part of the free blocks for root.
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::uint64_t size = info.f_frsize;
    const std::uint64_t blocks = info.f_bavail;
    room.freeBytes = blocks > kMax / size ? static_cast<std::int64_t>(kMax)
                                          : static_cast<std::int64_t>(blocks * size);
    room.blockSize = static_cast<std::int64_t>(size);
    // File systems that do not count entries (FAT) report no total.
    if (info.f_files != 0) room.freeEntries = static_cast<std::int64_t>(info.f_favail);
  }
  if (facts.cluster > 0) {
    // A FUSE FAT driver: its file counts are clusters, not entries.
    room.freeEntries = -1;
    std::int64_t cluster = facts.cluster;
    if (cluster == kFatClusterUnknown) cluster = ClusterOfCounts(info).value_or(cluster);
    room.blockSize = std::max(room.blockSize, cluster);
  }
  if (facts.fat == FatKind::kFat) room.largestFile = kFatLargestFile;
  return room;
}

}  // namespace platform::posix
