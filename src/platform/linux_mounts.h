// SPDX-License-Identifier: GPL-3.0-or-later
// Mounted volumes as Linux describes them in /proc/self/mountinfo and /sys.
//
// Pure readers: every function that reads the system takes a root prefix that
// is put in front of "/proc/..." and "/sys/...", so a test builds a fake /proc
// and /sys in a temporary folder. The real system is the prefix "".
//
// All texts here are native paths (the bytes the kernel uses, UTF-8 in
// practice); turning them into GBK is the caller's job. Nothing here throws:
// a file that cannot be read counts as empty or missing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/usb_volumes.h"

namespace platform {

// One line of /proc/self/mountinfo, the fields this program needs.
struct MountEntry {
  unsigned major = 0;  // device number of the file system; major 0 is no block device
  unsigned minor = 0;
  std::string root;        // folder of the file system shown at the mount point ("/" = all)
  std::string mountPoint;  // as the kernel writes it: "/" or without a trailing '/'
  std::string type;        // of the file system: "vfat", "ext4", a FUSE one "fuse.fusefat" ...
  std::string source;      // what is mounted: "/dev/sdb1", or any text the file system gives
};

// Decodes one field of mountinfo: the kernel writes space, tab, newline and
// backslash as \040 \011 \012 \134. Any backslash followed by three octal
// digits is decoded; other text is kept as it is.
std::string DecodeMountField(std::string_view field);

// The entries of a mountinfo text, in the order of its lines. Lines that do
// not have the form "id parent major:minor root mountpoint ..." are skipped;
// type and source, which follow the field "-", are empty in a line without it.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// The mount of the file system on device major:minor (a folder's st_dev):
// the last such entry, null when there is none. Every mount of one device
// is the same file system, whatever folder of it each one shows.
const MountEntry* MountOfDevice(const std::vector<MountEntry>& mounts, unsigned major,
                                unsigned minor);

// ParseMountInfo of rootPrefix + "/proc/self/mountinfo"; empty when that file
// cannot be read.
std::vector<MountEntry> ReadMountInfo(const std::string& rootPrefix);

// What /sys tells of the block device major:minor, for finding the USB disk:
// the device, or for a partition the disk that holds it (told by its
// "partition" file; the disk is the folder above), found through the link
// /sys/dev/block/<major>:<minor>:
// - onUsb: the disk's resolved path runs through a USB bus ("usb1", "usb2"
//   ... under the controller), whatever the disk says of its media;
// - removable: the disk's "removable" is 1;
// - hasMedium: the device's "size" (in sectors) is not 0;
// - takesFiles: false for an optical drive (SCSI device type 5).
// root and system are left to the caller. A device that cannot be found
// gives facts that no rule takes (not on USB, not removable, no medium).
VolumeFacts FactsOfBlockDevice(const std::string& rootPrefix, unsigned major, unsigned minor);

// The resolved /sys path of the disk that holds the block device (for a
// partition, its disk); empty when there is none.
std::string DiskOfBlockDevice(const std::string& rootPrefix, unsigned major, unsigned minor);

// The facts of every mounted volume, sorted by mount point (byte order of the
// text without the final '/'), each mount point ending with '/'. A volume is
// a mount of the whole file system (root "/") of a block device; mounts
// without one (major 0: proc, tmpfs ...) and bind mounts of a sub-folder are
// not volumes, and where several mounts share one mount point only the last,
// the one that is seen, counts. A volume on the disk that holds "/" or the
// folder programDir (a native path; "" for none) is the system's own.
std::vector<VolumeFacts> MountedVolumes(const std::string& rootPrefix,
                                        const std::string& programDir);

// The mount point, ending with '/', that holds an absolute path whose links
// are resolved: the longest mount point that is the path itself or one of its
// parent folders. Empty when none is (only without a "/" entry).
std::string MountPointOf(const std::vector<MountEntry>& mounts, std::string_view path);

}  // namespace platform
