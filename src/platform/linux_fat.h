// SPDX-License-Identifier: GPL-3.0-or-later
// FAT file systems as Linux mounts them: by the kernel ("vfat", "msdos"), or
// through FUSE (Debian's fusefat: "fuse.fusefat"), whose statvfs does not
// tell the cluster (fusefat reports 1 KiB blocks whatever the cluster is).
//
// Pure helpers and one reader of a boot sector; nothing here throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// FAT12/16/32 keep a file's size in 32 bits.
inline constexpr std::int64_t kFatLargestFile = (std::int64_t{1} << 32) - 1;

// The cluster taken when a FUSE FAT mount's boot sector cannot be read:
// the largest one in common use. Counting a little too much room per file is
// safe; too little fails a run half way.
inline constexpr std::int64_t kFatClusterUnknown = 32 * 1024;

enum class FatKind : std::uint8_t {
  kNone,   // no FAT file system
  kFat,    // FAT12/16/32: files of up to kFatLargestFile bytes
  kExFat,  // exFAT: no such limit, but the same drivers' habits
};

// What a mount's type (mountinfo's, e.g. "vfat", "fuse.fusefat") names:
// "vfat", "msdos", "fat" and a FUSE type ("fuse.*", "fuseblk.*") whose
// subtype contains "fat" are FAT; "exfat" and FUSE subtypes containing
// "exfat" are exFAT; anything else none.
FatKind FatKindOfType(std::string_view type);

// Whether a mount's type is a FUSE file system ("fuse", "fuseblk", "fuse.*",
// "fuseblk.*"), whose driver is a program rather than the kernel.
bool IsFuseType(std::string_view type);

// The cluster size a FAT boot sector gives: bytes per sector (offset 11, two
// bytes little-endian: 512, 1024, 2048 or 4096) times sectors per cluster
// (offset 13: a power of two up to 128). -1 when sector is shorter than 14
// bytes or those fields hold anything else (not FAT: exFAT keeps zeros there).
std::int64_t ClusterOfBootSector(std::string_view sector);

// ClusterOfBootSector of the first sector of the file or block device at
// path (a native path), read without waiting on it; -1 when it cannot be
// opened for reading (as an ordinary user, most block devices), is neither a
// regular file nor a block device, or holds no FAT boot sector.
std::int64_t ReadClusterOfBootSector(const std::string& path);

}  // namespace platform
