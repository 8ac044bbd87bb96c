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

namespace platform {

// One line of /proc/self/mountinfo, the fields this program needs.
struct MountEntry {
  unsigned major = 0;  // device number of the file system; major 0 is no block device
  unsigned minor = 0;
  std::string root;        // folder of the file system shown at the mount point ("/" = all)
  std::string mountPoint;  // as the kernel writes it: "/" or without a trailing '/'
};

// Decodes one field of mountinfo: the kernel writes space, tab, newline and
// backslash as \040 \011 \012 \134. Any backslash followed by three octal
// digits is decoded; other text is kept as it is.
std::string DecodeMountField(std::string_view field);

// The entries of a mountinfo text, in the order of its lines. Lines that do
// not have the form "id parent major:minor root mountpoint ..." are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// ParseMountInfo of rootPrefix + "/proc/self/mountinfo"; empty when that file
// cannot be read.
std::vector<MountEntry> ReadMountInfo(const std::string& rootPrefix);

// True when the block device major:minor is on removable media: the device,
// or for a partition the disk that holds it, has "removable" = 1 under
// rootPrefix + "/sys". The device is found through the link
// /sys/dev/block/<major>:<minor>; a partition is told by its "partition"
// file and its disk is the folder above it. Optical drives (SCSI device type
// 5, CD/DVD) do not count: they take no files. False when an entry is missing.
bool IsRemovableBlockDevice(const std::string& rootPrefix, unsigned major, unsigned minor);

// The mount points of the removable volumes, each ending with '/', sorted by
// mount point (byte order of the text without the final '/'). A volume is a
// mount of the whole file system (root "/") of a removable block device;
// mounts without a block device (major 0: proc, tmpfs ...) and bind mounts of
// a sub-folder are not volumes. Where several mounts share one mount point
// only the last, the one that is seen, counts.
std::vector<std::string> RemovableMountPoints(const std::string& rootPrefix);

// The mount point, ending with '/', that holds an absolute path whose links
// are resolved: the longest mount point that is the path itself or one of its
// parent folders. Empty when none is (only without a "/" entry).
std::string MountPointOf(const std::vector<MountEntry>& mounts, std::string_view path);

}  // namespace platform
