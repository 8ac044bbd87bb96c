// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_mounts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/linux_fat.h"
#include "platform/posix_env.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

TEST(DecodeMountField, DecodesThreeDigitOctalEscapesAndKeepsEverythingElse) {
  struct Case {
    std::string field, decoded;
  };
  const Case cases[] = {
      {"/media/usb", "/media/usb"},
      {"/media/my\\040stick", "/media/my stick"},
      {"/a\\011b\\012c\\134d", "/a\tb\nc\\d"},
      {"/end\\134", "/end\\"},
      {"/short\\04", "/short\\04"},  // fewer than three digits
      {"/big\\400", "/big\\400"},    // beyond one byte
      {"/nonoctal\\018", "/nonoctal\\018"},
      {"/trailing\\", "/trailing\\"},
      {"/\xe6\xad\x8c", "/\xe6\xad\x8c"},  // UTF-8 bytes pass through
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeMountField(c.field), c.decoded) << c.field;
}

TEST(ParseMountInfo, TakesDeviceRootAndMountPointAndSkipsMalformedLines) {
  std::vector<MountEntry> entries = ParseMountInfo(
      "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n"
      "\n"
      "garbage\n"
      "37 35 x:1 / /bad rw - ext4 /dev/x rw\n"
      "38 35 8:1 / relative rw - ext4 /dev/x rw\n"
      "39 35 259:7 / /media/my\\040disk rw shared:5 - vfat /dev/nvme0n1p7 rw\n"
      "40 35 0:41 / /mnt/fat rw,nosuid shared:7 master:2 - fuse.fusefat /srv/my\\040stick.img rw\n"
      "41 35 0:42 / /mnt/odd rw\n");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].major, 98u);
  EXPECT_EQ(entries[0].minor, 0u);
  EXPECT_EQ(entries[0].root, "/mnt1");
  EXPECT_EQ(entries[0].mountPoint, "/mnt2");
  EXPECT_EQ(entries[0].type, "ext3");
  EXPECT_EQ(entries[0].source, "/dev/root");
  EXPECT_EQ(entries[1].major, 259u);
  EXPECT_EQ(entries[1].minor, 7u);
  EXPECT_EQ(entries[1].mountPoint, "/media/my disk");
  EXPECT_EQ(entries[1].type, "vfat");
  EXPECT_EQ(entries[1].source, "/dev/nvme0n1p7");
  EXPECT_EQ(entries[2].type, "fuse.fusefat") << "after two optional fields";
  EXPECT_EQ(entries[2].source, "/srv/my stick.img");
  EXPECT_EQ(entries[3].mountPoint, "/mnt/odd") << "a line without type is still a mount";
  EXPECT_EQ(entries[3].type, "");
}

TEST(MountOfDevice, IsTheLastMountOfTheDevice) {
  const std::vector<MountEntry> mounts = ParseMountInfo(
      "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
      "2 1 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
      "3 1 8:17 /vod /srv/vod rw - vfat /dev/sdb1 rw\n");
  ASSERT_NE(MountOfDevice(mounts, 8, 17), nullptr);
  EXPECT_EQ(MountOfDevice(mounts, 8, 17)->mountPoint, "/srv/vod");
  EXPECT_EQ(MountOfDevice(mounts, 8, 1)->mountPoint, "/");
  EXPECT_EQ(MountOfDevice(mounts, 17, 8), nullptr);
  EXPECT_EQ(MountOfDevice(mounts, 0, 17), nullptr);
}

TEST(FatKindOfType, TakesTheKernelsFatAndFuseSubtypesThatNameFat) {
  struct Case {
    std::string type;
    FatKind kind;
    bool fuse;
  };
  const Case cases[] = {
      {"vfat", FatKind::kFat, false},
      {"msdos", FatKind::kFat, false},
      {"fat", FatKind::kFat, false},
      {"fuse.fusefat", FatKind::kFat, true},
      {"fuseblk.fatfs", FatKind::kFat, true},
      {"exfat", FatKind::kExFat, false},
      {"fuse.exfat", FatKind::kExFat, true},
      {"fuseblk.fuse-exfat", FatKind::kExFat, true},
      {"fuseblk", FatKind::kNone, true},
      {"fuse", FatKind::kNone, true},
      {"fuse.sshfs", FatKind::kNone, true},
      {"fusefat", FatKind::kNone, false},  // no FUSE type: "fuse." comes first
      {"ext4", FatKind::kNone, false},
      {"tmpfs", FatKind::kNone, false},
      {"ntfs3", FatKind::kNone, false},
      {"", FatKind::kNone, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FatKindOfType(c.type), c.kind) << c.type;
    EXPECT_EQ(IsFuseType(c.type), c.fuse) << c.type;
  }
}

// The first sector of a FAT volume with the two fields of its cluster.
std::string BootSector(unsigned bytesPerSector, unsigned sectorsPerCluster) {
  std::string sector(512, '\0');
  sector[0] = '\xeb';
  sector.replace(3, 8, "mkfs.fat");
  sector[11] = static_cast<char>(bytesPerSector & 0xff);
  sector[12] = static_cast<char>(bytesPerSector >> 8);
  sector[13] = static_cast<char>(sectorsPerCluster);
  sector[510] = '\x55';
  sector[511] = '\xaa';
  return sector;
}

TEST(ClusterOfBootSector, IsBytesPerSectorTimesSectorsPerClusterWhenBothAreFats) {
  struct Case {
    unsigned bytesPerSector, sectorsPerCluster;
    std::int64_t cluster;
  };
  const Case cases[] = {
      {512, 8, 4096},      {512, 64, 32768}, {512, 1, 512}, {4096, 1, 4096},
      {2048, 128, 262144}, {0, 0, -1},       {512, 0, -1},  {512, 3, -1},
      {513, 1, -1},        {256, 2, -1},     {8192, 1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClusterOfBootSector(BootSector(c.bytesPerSector, c.sectorsPerCluster)), c.cluster)
        << c.bytesPerSector << " x " << c.sectorsPerCluster;
  }
  EXPECT_EQ(ClusterOfBootSector(BootSector(512, 8).substr(0, 13)), -1) << "cut short";
  EXPECT_EQ(ClusterOfBootSector(BootSector(512, 8).substr(0, 14)), 4096);
}

TEST(MountPointOf, PicksTheLongestMountPointThatIsAWholeFolderPrefix) {
  std::vector<MountEntry> mounts = ParseMountInfo(
      "1 0 8:1 / / rw - ext4 a rw\n"
      "2 1 8:17 / /media/usb rw - vfat b rw\n"
      "3 2 0:40 / /media/usb/inner rw - tmpfs c rw\n");
  struct Case {
    std::string path, point;
  };
  const Case cases[] = {
      {"/media/usb", "/media/usb/"},
      {"/media/usb/", "/media/usb/"},
      {"/media/usb/vod/660001.dat", "/media/usb/"},
      {"/media/usb2/vod", "/"},
      {"/media/usb/inner/x", "/media/usb/inner/"},
      {"/", "/"},
      {"/home/user", "/"},
  };
  for (const Case& c : cases) EXPECT_EQ(MountPointOf(mounts, c.path), c.point) << c.path;

  std::vector<MountEntry> noRoot = ParseMountInfo("2 1 8:17 / /media/usb rw - vfat b rw\n");
  EXPECT_EQ(MountPointOf(noRoot, "/home/user"), "");
}

// A fake /proc and /sys laid out as Linux lays them out: the devices live under
// /sys/devices below their bus, and /sys/dev/block/<major>:<minor> links to them.
class FakeSystemRoot : public ::testing::Test {
 protected:
  // A disk's place under /sys/devices: on the PCI bus (SATA, NVMe), or
  // behind a USB root hub.
  static constexpr const char* kPci = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0";
  static constexpr const char* kUsb =
      "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0";

  void SetUp() override {
    AddDisk("sda", "8:0", "0", kPci);  // the system's SATA disk, "/" on sda1
    AddPartition("sda", kPci, "sda1", "8:1");
    AddDisk("sdb", "8:16", "1", kUsb);  // a USB stick that says it is removable
    AddPartition("sdb", kUsb, "sdb1", "8:17");
    AddDisk("sdc", "8:32", "1", kUsb);  // ... formatted without partitions
    AddDisk("sdd", "8:48", "0", kUsb);  // a USB stick (or hard disk) that says fixed
    AddPartition("sdd", kUsb, "sdd1", "8:49");
    AddDisk("sde", "8:64", "", kPci);            // a disk without a "removable" file
    AddDisk("sdf", "8:80", "1", kPci);           // an eSATA disk that says removable
    AddDisk("sdg", "8:96", "1", kUsb, "", "0");  // a card reader's slot, no card in
    AddDisk("sr0", "11:0", "1", kUsb, "5");      // a USB optical drive
    AddDisk("mmcblk0", "179:0", "1", "pci0000:00/0000:00:1c.0/mmc0");  // a built-in reader
    AddPartition("mmcblk0", "pci0000:00/0000:00:1c.0/mmc0", "mmcblk0p1", "179:1");
  }

  void AddDisk(const std::string& name, const std::string& device, const std::string& removable,
               const std::string& bus, const std::string& scsiType = "",
               const std::string& size = "7864320") {
    const std::string folder = "sys/devices/" + bus + "/block/" + name;
    if (!removable.empty()) root_.Write(folder + "/removable", removable + "\n");
    if (!scsiType.empty()) root_.Write(folder + "/device/type", scsiType + "\n");
    root_.Write(folder + "/size", size + "\n");
    root_.Write(folder + "/dev", device + "\n");
    Link(device, "../../devices/" + bus + "/block/" + name);
  }

  void AddPartition(const std::string& disk, const std::string& bus, const std::string& name,
                    const std::string& device) {
    const std::string folder = "sys/devices/" + bus + "/block/" + disk + "/" + name;
    root_.Write(folder + "/partition", "1\n");
    root_.Write(folder + "/removable", "0\n");  // partitions always say 0
    root_.Write(folder + "/size", "7862272\n");
    Link(device, "../../devices/" + bus + "/block/" + disk + "/" + name);
  }

  void Link(const std::string& device, const std::string& target) {
    fs::create_directories(root_.path() / "sys/dev/block");
    fs::create_directory_symlink(target, root_.path() / "sys/dev/block" / device);
  }

  void SetMountInfo(const std::string& text) { root_.Write("proc/self/mountinfo", text); }
  std::string Root() const { return root_.path().string(); }
  std::vector<std::string> UsbMountPoints(const std::string& programDir = "") const {
    return UsbVolumes(MountedVolumes(Root(), programDir));
  }

  TempDir root_;
};

TEST_F(FakeSystemRoot, FactsOfTheDeviceOrOfTheDiskHoldingThePartition) {
  struct Case {
    unsigned major, minor;
    bool onUsb, removable, hasMedium, takesFiles;
    const char* what;
  };
  const Case cases[] = {
      {8, 0, false, false, true, true, "the system's SATA disk"},
      {8, 1, false, false, true, true, "its partition"},
      {8, 17, true, true, true, true, "partition of a USB stick that says removable"},
      {8, 32, true, true, true, true, "USB stick without partitions"},
      {8, 49, true, false, true, true, "partition of a USB stick that says fixed"},
      {8, 80, false, true, true, true, "eSATA disk that says removable"},
      {8, 96, true, true, false, true, "card reader slot without a card"},
      {11, 0, true, true, true, false, "optical drive"},
      {179, 1, false, true, true, true, "card partition, removable only on its disk"},
      {8, 64, false, false, true, true, "no removable file"},
      {8, 112, false, false, false, true, "no /sys/dev/block entry"},
      {0, 21, false, false, false, true, "no block device"},
  };
  for (const Case& c : cases) {
    const VolumeFacts f = FactsOfBlockDevice(Root(), c.major, c.minor);
    EXPECT_EQ(f.onUsb, c.onUsb) << c.what;
    EXPECT_EQ(f.removable, c.removable) << c.what;
    EXPECT_EQ(f.hasMedium, c.hasMedium) << c.what;
    EXPECT_EQ(f.takesFiles, c.takesFiles) << c.what;
  }
  EXPECT_FALSE(FactsOfBlockDevice(Root() + "/nowhere", 8, 17).onUsb) << "missing /sys";
}

TEST_F(FakeSystemRoot, TheUsbDisksAreTheUsbOrRemovableVolumesByMountPoint) {
  const std::string root = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
  const std::string proc = "22 1 0:21 / /proc rw - proc proc rw\n";
  const std::string tmpfs = "23 1 0:40 / /media/ram rw - tmpfs tmpfs rw\n";
  const std::string usb = "30 1 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n";
  const std::string disk = "31 1 8:32 / /media/disk rw - vfat /dev/sdc rw\n";
  const std::string fixedUsb = "32 1 8:49 / /media/sandisk rw - vfat /dev/sdd1 rw\n";
  const std::string esata = "33 1 8:80 / /media/aaa-esata rw - ext4 /dev/sdf rw\n";
  struct Case {
    const char* what;
    std::string mountinfo;
    Strings expected;
    std::string programDir = "";
  };
  const Case cases[] = {
      {"partition of a USB stick", root + proc + usb, {"/media/usb/"}},
      {"a USB stick that says it is fixed", root + fixedUsb, {"/media/sandisk/"}},
      {"whole-disk file system", root + disk, {"/media/disk/"}},
      {"fixed disk, proc and tmpfs only", root + proc + tmpfs, {}},
      {"sorted by mount point", root + usb + disk + proc, {"/media/disk/", "/media/usb/"}},
      {"a removable eSATA disk counts, after a USB volume before it",
       root + esata.substr(0, esata.find("/media")) + "/media/zz-esata rw - ext4 /dev/sdf rw\n" +
           fixedUsb,
       {"/media/sandisk/", "/media/zz-esata/"}},
      {"sorted by bytes, not by line",
       "40 1 8:17 / /media/usb\\040b rw - vfat x rw\n41 1 8:32 / /media/usb rw - vfat y rw\n",
       {"/media/usb/", "/media/usb b/"}},
      {"escaped mount point",
       "30 1 8:17 / /media/my\\040usb\\011tab\\134back rw - vfat /dev/sdb1 rw\n",
       {"/media/my usb\ttab\\back/"}},
      {"the system booted from a USB disk is never taken",
       "1 0 8:49 / / rw - ext4 /dev/sdd1 rw\n" + usb,
       {"/media/usb/"}},
      {"nor the USB disk this program runs from",
       root + usb + disk,
       {"/media/disk/"},
       "/media/usb/addsongs"},
      {"bind mount of a sub-folder is no volume",
       root + "33 1 8:17 /music /srv/music rw - vfat /dev/sdb1 rw\n",
       {}},
      {"bind mount of the whole volume is one",
       root + usb + "34 1 8:17 / /mnt/again rw - vfat /dev/sdb1 rw\n",
       {"/media/usb/", "/mnt/again/"}},
      {"optical drive", root + "35 1 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n", {}},
      {"card reader slot without a card", root + "36 1 8:96 / /media/card rw - vfat x rw\n", {}},
      {"missing /sys entries",
       root + "36 1 8:112 / /media/ghost rw - vfat /dev/sdh rw\n" +
           "37 1 8:64 / /media/nofile rw - vfat /dev/sde rw\n",
       {}},
      {"covered by a later mount on the same point",
       usb + "38 30 0:41 / /media/usb rw - tmpfs tmpfs rw\n",
       {}},
      {"covering an earlier mount on the same point",
       "38 1 0:41 / /media/usb rw - tmpfs tmpfs rw\n" + usb,
       {"/media/usb/"}},
      {"malformed lines between good ones", "junk\n\n" + usb + "1 2 3\n", {"/media/usb/"}},
      {"empty mountinfo", "", {}},
  };
  for (const Case& c : cases) {
    SetMountInfo(c.mountinfo);
    EXPECT_EQ(UsbMountPoints(c.programDir), c.expected) << c.what;
  }
}

TEST_F(FakeSystemRoot, UsbVolumesAreGbkAndSkipMountPointsWithoutGbkForm) {
  SetMountInfo(
      "30 1 8:17 / /media/\xe6\xad\x8c\xe6\x9b\xb2 rw - vfat /dev/sdb1 rw\n"  // 歌曲
      "31 1 8:32 / /media/\xf0\x9f\x98\x80 rw - vfat /dev/sdc rw\n"           // emoji
      "32 1 179:1 / /media/\xff rw - vfat /dev/mmcblk0p1 rw\n");              // not UTF-8
  std::unique_ptr<Env> env = NewPosixEnv(Root());
  EXPECT_EQ(env->UsbVolumes(), Strings{Gbk(u8"/media/歌曲/")});
}

TEST_F(FakeSystemRoot, VolumeOfIsTheMountPointHoldingThePathOrItsNearestExistingParent) {
  TempDir disk;
  const std::string base = fs::canonical(disk.path()).string();
  fs::create_directories(disk.path() / "vol/vod");
  disk.Write("vol/vod/vod.txt", "x");
  fs::create_directories(disk.path() / "vol2");
  fs::create_directory_symlink(disk.path() / "vol/vod", disk.path() / "link");
  SetMountInfo("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n30 1 8:17 / " + base +
               "/vol rw - vfat /dev/sdb1 rw\n");
  std::unique_ptr<Env> env = NewPosixEnv(Root());
  const std::string vol = base + "/vol/";
  struct Case {
    std::string path, volume;
  };
  const Case cases[] = {
      {base + "/vol", vol},
      {base + "/vol/vod/vod.txt", vol},
      {base + "/vol/vod/not/yet/made", vol},
      {base + "/vol/vod/../vod/./vod.txt", vol},
      {base + "/link/new.dat", vol},  // the link is resolved
      {base + "/vol2/vod", "/"},      // a name that only begins like the mount point
      {base + "/missing/deeper", "/"},
      {"\xff/vol", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(env->VolumeOf(c.path), c.volume) << c.path;
}

TEST_F(FakeSystemRoot, WithoutMountInfoThereAreNoVolumes) {
  std::unique_ptr<Env> env = NewPosixEnv(Root());
  EXPECT_TRUE(env->UsbVolumes().empty());
  EXPECT_EQ(env->VolumeOf("/"), "");
}

TEST_F(FakeSystemRoot, ExecutableDirIsTheFolderOfTheProgramLinkInGbk) {
  std::unique_ptr<Env> env = NewPosixEnv(Root());
  EXPECT_EQ(env->ExecutableDir(), "") << "no /proc/self/exe";
  fs::create_directories(root_.path() / "proc/self");
  fs::create_symlink(u8"/opt/加歌/addsongs", root_.path() / "proc/self/exe");
  EXPECT_EQ(env->ExecutableDir(), Gbk(u8"/opt/加歌/"));
  fs::remove(root_.path() / "proc/self/exe");
  fs::create_symlink("/addsongs", root_.path() / "proc/self/exe");
  EXPECT_EQ(env->ExecutableDir(), "/");
}

TEST_F(FakeSystemRoot, TheRoomOfAFolderTakesTheClusterAndLimitOfItsMountsType) {
  TempDir disk;
  struct stat held;
  struct statvfs volume;
  ASSERT_EQ(::stat(disk.path().c_str(), &held), 0);
  ASSERT_EQ(::statvfs(disk.path().c_str(), &volume), 0);
  const auto frsize = static_cast<std::int64_t>(volume.f_frsize);
  const std::string device =
      std::to_string(major(held.st_dev)) + ":" + std::to_string(minor(held.st_dev));
  root_.Write("dev/sdb1", BootSector(512, 32));       // 16 KiB clusters
  root_.Write("dev/sdc1", std::string(512, '\0'));    // exFAT keeps zeros there
  fs::create_directories(root_.path() / "dev/sdd1");  // not a file or device
  constexpr std::int64_t kNoLimit = -1;
  struct Case {
    std::string type, source;
    std::int64_t blockSize, largestFile;
  };
  const Case cases[] = {
      {"vfat", "/dev/sdb1", frsize, kFatLargestFile},  // the kernel tells its cluster
      {"msdos", "/dev/sdb1", frsize, kFatLargestFile},
      {"fuse.fusefat", "/dev/sdb1", std::max<std::int64_t>(16384, frsize), kFatLargestFile},
      {"fuse.fusefat", "/dev/sde1", 32768, kFatLargestFile},  // no such source
      {"fuse.fusefat", "fusefat", 32768, kFatLargestFile},    // a name, not a path
      {"fuse.fusefat", "/dev/sdc1", 32768, kFatLargestFile},  // no FAT boot sector
      {"fuse.fusefat", "/dev/sdd1", 32768, kFatLargestFile},
      {"fuse.exfat", "/dev/sdb1", frsize, kNoLimit},
      {"ext4", "/dev/sdb1", frsize, kNoLimit},
      {"tmpfs", "tmpfs", frsize, kNoLimit},
  };
  for (const Case& c : cases) {
    SetMountInfo("1 0 8:1 / / rw - ext4 /dev/sda1 rw\n30 1 " + device + " / " +
                 disk.path().string() + " rw,relatime shared:1 - " + c.type + " " + c.source +
                 " rw\n");
    const std::unique_ptr<Env> env = NewPosixEnv(Root());
    const VolumeRoom room = env->OpenFolder(disk.Gbk())->Room();
    EXPECT_EQ(room.blockSize, c.blockSize) << c.type << " " << c.source;
    EXPECT_EQ(room.largestFile, c.largestFile) << c.type << " " << c.source;
    EXPECT_GT(room.freeBytes, 0) << c.type << " " << c.source;
  }
}

TEST_F(FakeSystemRoot, AFolderOnTheSameFileSystemKnowsItsMountAsItsParentDoes) {
  TempDir disk;
  fs::create_directories(disk.path() / "vod");
  struct stat held;
  ASSERT_EQ(::stat(disk.path().c_str(), &held), 0);
  SetMountInfo("30 1 " + std::to_string(major(held.st_dev)) + ":" +
               std::to_string(minor(held.st_dev)) + " / " + disk.path().string() +
               " rw - fuse.fusefat fusefat rw\n");
  const std::unique_ptr<Folder> base = NewPosixEnv(Root())->OpenFolder(disk.Gbk());
  EXPECT_EQ(base->OpenFolder("vod", false)->Room().blockSize, 32768);
  EXPECT_EQ(base->OpenFolder("new", true)->Room().largestFile, kFatLargestFile);
}

TEST_F(FakeSystemRoot, VolumeIdIsTheNameOfTheByUuidLinkToTheFoldersBlockDevice) {
  TempDir disk;
  struct stat held;
  ASSERT_EQ(::stat(disk.path().c_str(), &held), 0);
  fs::create_directories(root_.path() / "dev/disk/by-uuid");
  const fs::path dev = root_.path() / "dev";
  if (::mknod((dev / "sdb1").c_str(), S_IFBLK | 0600, held.st_dev) != 0) {
    GTEST_SKIP() << "making a device node needs root";
  }
  ASSERT_EQ(::mknod((dev / "sdc1").c_str(), S_IFBLK | 0600,
                    makedev(major(held.st_dev), minor(held.st_dev) + 1)),
            0);
  ASSERT_EQ(::mknod((dev / "tty9").c_str(), S_IFCHR | 0600, held.st_dev), 0);
  const fs::path byUuid = dev / "disk/by-uuid";
  fs::create_symlink("../../sdc1", byUuid / "0000-1111");  // another device
  fs::create_symlink("../../tty9", byUuid / "0000-2222");  // the number, but no block device
  fs::create_symlink("../../sdz9", byUuid / "0000-3333");  // leads nowhere
  fs::create_symlink("../../sdb1", byUuid / "0\\x20x");    // not an id's characters
  fs::create_symlink("../../sdb1", byUuid / "7777-8888");  // a second name: the first counts
  fs::create_symlink("../../sdb1", byUuid / "1A2B-3C4D");
  root_.Write("dev/disk/by-uuid/0000-0000", "a file");
  const std::unique_ptr<Folder> folder = NewPosixEnv(Root())->OpenFolder(disk.Gbk());
  EXPECT_EQ(folder->VolumeId(), "1A2B-3C4D");
  fs::remove(byUuid / "1A2B-3C4D");
  fs::remove(byUuid / "7777-8888");
  EXPECT_EQ(folder->VolumeId(), "") << "no link leads to its device";
  fs::remove_all(dev / "disk");
  EXPECT_EQ(folder->VolumeId(), "") << "no /dev/disk/by-uuid";
}

TEST(PosixDefaultEnv, ExecutableDirHoldsThisTestProgram) {
  std::string dir = Env::Default()->ExecutableDir();
  ASSERT_TRUE(dir.ends_with('/')) << dir;
  EXPECT_TRUE(Env::Default()->FileExists(dir + "platform_tests")) << dir;
}

}  // namespace
}  // namespace platform
