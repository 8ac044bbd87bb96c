// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_mounts.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

bool IsOctal(char c, char highest) {
  return c >= '0' && c <= highest;
}

// Fields of one line, split at spaces; escaped spaces (\040) stay inside.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos) end = line.size();
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

bool ParseNumber(std::string_view text, unsigned* value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseDevice(std::string_view text, unsigned* major, unsigned* minor) {
  std::size_t colon = text.find(':');
  return colon != std::string_view::npos && ParseNumber(text.substr(0, colon), major) &&
         ParseNumber(text.substr(colon + 1), minor);
}

// The first line of a small /sys file without surrounding white space; empty
// when the file cannot be read.
std::string ReadFirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  const char* blanks = " \t\r\n";
  std::size_t first = line.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

std::string WithSlash(const std::string& mountPoint) {
  return mountPoint.ends_with('/') ? mountPoint : mountPoint + '/';
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1], '3') &&
        IsOctal(field[i + 2], '7') && IsOctal(field[i + 3], '7')) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::vector<std::string_view> fields = SplitFields(text.substr(start, end - start));
    start = end + 1;

    MountEntry entry;
    if (fields.size() < 5 || !ParseDevice(fields[2], &entry.major, &entry.minor)) continue;
    entry.root = DecodeMountField(fields[3]);
    entry.mountPoint = DecodeMountField(fields[4]);
    if (!entry.mountPoint.starts_with('/')) continue;
    // After the mount options come optional fields ("shared:5" ...), then
    // "-", the file system's type and its source.
    for (std::size_t i = 6; i + 2 < fields.size(); ++i) {
      if (fields[i] != "-") continue;
      entry.type = DecodeMountField(fields[i + 1]);
      entry.source = DecodeMountField(fields[i + 2]);
      break;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

const MountEntry* MountOfDevice(const std::vector<MountEntry>& mounts, unsigned major,
                                unsigned minor) {
  const MountEntry* found = nullptr;
  for (const MountEntry& m : mounts) {
    if (m.major == major && m.minor == minor) found = &m;
  }
  return found;
}

std::vector<MountEntry> ReadMountInfo(const std::string& rootPrefix) {
  std::ifstream in(fs::path(rootPrefix + "/proc/self/mountinfo"), std::ios::binary);
  if (!in) return {};
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseMountInfo(text);
}

namespace {

// The resolved /sys folder of the device, and of the disk holding it.
struct DevicePaths {
  fs::path device;
  fs::path disk;
};

std::optional<DevicePaths> PathsOf(const std::string& rootPrefix, unsigned major, unsigned minor) {
  if (major == 0) return std::nullopt;
  std::error_code ec;
  const fs::path link =
      rootPrefix + "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor);
  fs::path device = fs::canonical(link, ec);
  if (ec) return std::nullopt;
  fs::path disk = fs::exists(device / "partition", ec) ? device.parent_path() : device;
  return DevicePaths{std::move(device), std::move(disk)};
}

// A USB bus in a /sys path: "usb" and its number ("usb2"), the root hub the
// devices behind it hang from.
bool RunsThroughUsb(const fs::path& path) {
  for (const fs::path& part : path) {
    const std::string name = part.string();
    if (name.size() > 3 && name.starts_with("usb") &&
        name.find_first_not_of("0123456789", 3) == std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

VolumeFacts FactsOfBlockDevice(const std::string& rootPrefix, unsigned major, unsigned minor) {
  VolumeFacts facts;
  facts.hasMedium = false;
  const std::optional<DevicePaths> paths = PathsOf(rootPrefix, major, minor);
  if (!paths) return facts;
  facts.onUsb = RunsThroughUsb(paths->disk);
  facts.removable = ReadFirstLine(paths->disk / "removable") == "1";
  const std::string size = ReadFirstLine(paths->device / "size");
  facts.hasMedium = size.empty() || size != "0";
  facts.takesFiles = ReadFirstLine(paths->disk / "device" / "type") != "5";
  return facts;
}

std::string DiskOfBlockDevice(const std::string& rootPrefix, unsigned major, unsigned minor) {
  const std::optional<DevicePaths> paths = PathsOf(rootPrefix, major, minor);
  return paths ? paths->disk.string() : std::string();
}

std::vector<VolumeFacts> MountedVolumes(const std::string& rootPrefix,
                                        const std::string& programDir) {
  std::vector<MountEntry> mounts = ReadMountInfo(rootPrefix);
  // A later mount on the same mount point hides the earlier one.
  std::map<std::string, const MountEntry*> visible;
  for (const MountEntry& m : mounts) visible[m.mountPoint] = &m;

  // The disks of the system's own volumes: the one holding "/", and the one
  // holding the program.
  std::set<std::string> systemDisks;
  for (const std::string& folder : {std::string("/"), programDir}) {
    if (folder.empty()) continue;
    const std::string point = MountPointOf(mounts, folder);
    const std::string bare = point.size() > 1 ? point.substr(0, point.size() - 1) : point;
    const auto found = visible.find(bare);
    if (found == visible.end()) continue;
    const std::string disk =
        DiskOfBlockDevice(rootPrefix, found->second->major, found->second->minor);
    if (!disk.empty()) systemDisks.insert(disk);
  }

  std::vector<VolumeFacts> volumes;
  for (const auto& [point, m] : visible) {
    if (m->root != "/" || m->major == 0) continue;
    VolumeFacts facts = FactsOfBlockDevice(rootPrefix, m->major, m->minor);
    facts.root = WithSlash(point);
    facts.system = systemDisks.count(DiskOfBlockDevice(rootPrefix, m->major, m->minor)) != 0;
    volumes.push_back(std::move(facts));
  }
  return volumes;
}

std::string MountPointOf(const std::vector<MountEntry>& mounts, std::string_view path) {
  const std::string* best = nullptr;
  for (const MountEntry& m : mounts) {
    const std::string& point = m.mountPoint;
    bool holds = point == "/" ? path.starts_with('/')
                              : path.starts_with(point) &&
                                    (path.size() == point.size() || path[point.size()] == '/');
    if (holds && (best == nullptr || point.size() >= best->size())) best = &point;
  }
  return best == nullptr ? std::string() : WithSlash(*best);
}

}  // namespace platform
