// SPDX-License-Identifier: GPL-3.0-or-later
// A held folder on Windows: junctions and symbolic links, reads past the
// cache, the lock between two holders, names a GBK path can hold, and the
// system's own error codes.
#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

void WriteNew(Folder& folder, const std::string& name, const std::string& content) {
  auto file = folder.CreateNew(name);
  file->Append(content.data(), content.size());
  file->Sync();
  file->Close();
}

// Makes a link with cmd's mklink: "/J" a junction, "/D" a folder's symbolic
// link, "" a file's. False when this system made none: symbolic links want
// a privilege or developer mode, and Wine 8 makes no link at all (its mklink
// says nothing is wrong). Told by cmd's "dir /AL", which lists links only.
bool MakeLink(const std::string& kind, fs::path link, fs::path target) {
  link.make_preferred();  // cmd takes '/' for a switch
  target.make_preferred();
  const TempDir scratch;
  const fs::path out = scratch.path() / "out.txt";
  const std::string make = "mklink " + kind + " \"" + link.string() + "\" \"" + target.string() +
                           "\" >\"" + out.string() + "\" 2>&1";
  const std::string list =
      "dir /AL /B \"" + link.parent_path().string() + "\" >\"" + out.string() + "\" 2>&1";
  if (std::system(make.c_str()) != 0 || std::system(list.c_str()) != 0) return false;
  return TempDir::Read(out).find(link.filename().string()) != std::string::npos;
}

class HostileStick : public ::testing::Test {
 protected:
  TempDir stick_;
  TempDir outside_;  // where a link on the stick points
  std::unique_ptr<Folder> vod_ = [this] {
    fs::create_directory(stick_.path() / "vod");
    return Env::Default()->OpenFolder(stick_.Gbk() + "vod");
  }();
  fs::path Vod(const std::string& name) const { return stick_.path() / "vod" / name; }
};

TEST_F(HostileStick, ALinkUnderANameIsNeitherFollowedNorWrittenThroughAndRemovedItself) {
  const fs::path victim = outside_.Write("victim", "precious");
  fs::create_directory(outside_.path() / "elsewhere");
  struct Case {
    std::string kind;  // mklink's switch
    fs::path target;
  };
  const Case cases[] = {
      {"/J", outside_.path() / "elsewhere"},
      {"/D", outside_.path() / "elsewhere"},
      {"", victim},
  };
  int made = 0;
  for (const Case& c : cases) {
    if (!MakeLink(c.kind, Vod("660000.dat.part"), c.target)) continue;
    ++made;
    EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kLink) << c.kind;
    std::error_code code;
    ErrorOf([&] { vod_->CreateNew("660000.dat.part"); }, &code);
    EXPECT_EQ(PortableErrno(code), EEXIST) << c.kind;
    ErrorOf([&] { vod_->OpenForRead("660000.dat.part", true); }, &code);
    EXPECT_EQ(PortableErrno(code), ELOOP) << c.kind;
    ErrorOf([&] { vod_->OpenFolder("660000.dat.part", true); }, &code);
    EXPECT_EQ(PortableErrno(code), ELOOP) << c.kind;

    vod_->Remove("660000.dat.part");
    EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kNone) << c.kind;
  }
  if (made == 0) GTEST_SKIP() << "this system makes no links (Wine 8 makes none)";
  EXPECT_EQ(TempDir::Read(victim), "precious");
  EXPECT_TRUE(fs::is_empty(outside_.path() / "elsewhere"));
}

TEST_F(HostileStick, AJunctionAsTheFolderOrInsideARemovedFolderIsNotFollowed) {
  const fs::path victim = outside_.Write("elsewhere/victim", "precious");
  if (!MakeLink("/J", stick_.path() / "linked", outside_.path() / "elsewhere")) {
    GTEST_SKIP() << "this system makes no junctions (Wine 8 makes none)";
  }
  for (const std::string& path : {stick_.Gbk() + "linked", stick_.Gbk() + "linked\\"}) {
    std::error_code code;
    ErrorOf([&] { Env::Default()->OpenFolder(path); }, &code);
    EXPECT_EQ(PortableErrno(code), ELOOP) << path;
  }
  fs::create_directories(Vod("660001.dat.part/inner"));
  ASSERT_TRUE(MakeLink("/J", Vod("660001.dat.part/inner/junction"), outside_.path() / "elsewhere"));
  vod_->Remove("660001.dat.part");
  EXPECT_FALSE(fs::exists(Vod("660001.dat.part")));
  EXPECT_EQ(TempDir::Read(victim), "precious");
}

TEST_F(HostileStick, AFolderMovedAwayIsStillTheOneWrittenNotWhatNowStandsAtItsPath) {
  fs::rename(stick_.path() / "vod", stick_.path() / "moved");
  fs::create_directory(stick_.path() / "vod");
  WriteNew(*vod_, "vod.txt.part", "x");
  EXPECT_TRUE(fs::exists(stick_.path() / "moved" / "vod.txt.part"));
  // Windows renames within the file's own folder. Wine cannot rename in a
  // folder moved since it was opened and refuses ("invalid handle"), which
  // moves nothing elsewhere either.
  const std::string refused = ErrorOf([&] { vod_->Rename("vod.txt.part", "vod.txt"); });
  if (refused == "no error") {
    EXPECT_TRUE(fs::exists(stick_.path() / "moved" / "vod.txt"));
  }
  EXPECT_TRUE(fs::is_empty(stick_.path() / "vod"));
}

TEST(HeldFolderOnWindows, ReadsFromTheDeviceGiveTheExactBytesThroughAnyBuffer) {
  TempDir tmp;
  auto folder = Env::Default()->OpenFolder(tmp.Gbk());
  // Around the sector (512, 4096) and the reader's own buffer (1 MiB).
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  const std::size_t sizes[] = {0,    1,     511,      512,  513,      4095,
                               4097, 65537, kMiB - 1, kMiB, kMiB + 1, 3 * kMiB + 5};
  const std::size_t buffers[] = {1, 7, 512, 4099, 65536, kMiB - 1, kMiB, kMiB + 3};
  for (std::size_t size : sizes) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 % 251);
    const std::string name = "song" + std::to_string(size) + ".dat";
    WriteNew(*folder, name, content);
    for (std::size_t buffer : buffers) {
      if (buffer == 1 && size > kMiB) continue;  // a million calls prove nothing more
      auto file = folder->OpenForRead(name, true);
      std::string back;
      std::vector<char> scratch(buffer);
      while (std::size_t got = file->Read(scratch.data(), buffer)) back.append(scratch.data(), got);
      EXPECT_EQ(file->Read(scratch.data(), buffer), 0u) << "the end stays the end";
      EXPECT_EQ(back, content) << size << " bytes read " << buffer << " at a time";
    }
  }
}

TEST(HeldFolderOnWindows, ARequestOfAMegabyteFromTheDeviceIsAnsweredWhole) {
  // What a read-back asks for: each piece but the last comes back whole,
  // so the file takes one device read per megabyte and no more.
  TempDir tmp;
  auto folder = Env::Default()->OpenFolder(tmp.Gbk());
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  struct Case {
    std::size_t size;
    std::vector<std::size_t> pieces;
  };
  const Case cases[] = {
      {0, {}},
      {5, {5}},
      {kMiB - 1, {kMiB - 1}},
      {kMiB, {kMiB}},
      {kMiB + 1, {kMiB, 1}},
      {3 * kMiB + 5, {kMiB, kMiB, kMiB, 5}},
  };
  std::vector<char> scratch(kMiB);
  for (const Case& c : cases) {
    const std::string name = "song" + std::to_string(c.size) + ".dat";
    WriteNew(*folder, name, std::string(c.size, 'v'));
    auto file = folder->OpenForRead(name, true);
    std::vector<std::size_t> pieces;
    while (std::size_t got = file->Read(scratch.data(), scratch.size())) pieces.push_back(got);
    EXPECT_EQ(pieces, c.pieces) << c.size << " bytes";
  }
}

TEST(HeldFolderOnWindows, VolumeIdIsTheSerialNumberThatVolShows) {
  TempDir tmp;
  const std::string id = Env::Default()->OpenFolder(tmp.Gbk())->VolumeId();
  ASSERT_EQ(id.size(), 9u) << id;
  for (std::size_t i = 0; i < id.size(); ++i) {
    const char c = id[i];
    if (i == 4) {
      EXPECT_EQ(c, '-') << id;
    } else {
      EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << id;
    }
  }
  // cmd's vol: "Volume Serial Number is 1A2B-3C4D" (in the system's
  // language; Wine's in lower case), for the current drive.
  const TempDir scratch;
  const fs::path out = scratch.path() / "vol.txt";
  const std::string drive = tmp.path().root_name().string();
  const std::string vol = "cd /d " + drive + "\\ && vol >\"" + out.string() + "\" 2>&1";
  if (std::system(vol.c_str()) != 0) GTEST_SKIP() << "cmd's vol did not answer for " << drive;
  std::string shown = TempDir::Read(out);
  for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_NE(shown.find(id), std::string::npos) << shown;
}

TEST(HeldFolderOnWindows, TheLockKeepsASecondHolderOutButNotTheWorkInsideTheFolder) {
  TempDir tmp;
  auto first = Env::Default()->OpenFolder(tmp.Gbk());
  auto second = Env::Default()->OpenFolder(tmp.Gbk());
  ASSERT_TRUE(first->TryLock());
  EXPECT_TRUE(first->TryLock()) << "its holder has it already";
  EXPECT_FALSE(second->TryLock());

  // What a run does in its locked folder, and what another holder may do.
  WriteNew(*first, "660000.dat.part", "video");
  first->Rename("660000.dat.part", "660000.dat");
  first->Sync();
  WriteNew(*second, "vod.txt.part", "list");
  second->Rename("vod.txt.part", "vod.txt");
  second->Sync();
  WriteNew(*first->OpenFolder("sub", true), "x", "x");
  first->Remove("sub");
  EXPECT_EQ(first->List().size(), 2u);
  EXPECT_EQ(TempDir::Read(tmp.path() / "660000.dat"), "video");
  EXPECT_EQ(TempDir::Read(tmp.path() / "vod.txt"), "list");
  EXPECT_FALSE(second->TryLock()) << "still held";

  first.reset();
  EXPECT_TRUE(second->TryLock());
}

TEST(HeldFolderOnWindows, RemovesReadOnlyFilesAsPosixDoes) {
  TempDir tmp;
  const fs::path alone = tmp.Write("alone.part", "x");
  const fs::path inside = tmp.Write("dir.part/inner.dat", "x");
  for (const fs::path& file : {alone, inside}) {
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
  auto folder = Env::Default()->OpenFolder(tmp.Gbk());
  folder->Remove("alone.part");
  folder->Remove("dir.part");
  EXPECT_TRUE(fs::is_empty(tmp.path()));
}

TEST(HeldFolderOnWindows, NamesAreCheckedAsUnicodeNotAsGbkBytes) {
  TempDir tmp;
  auto folder = Env::Default()->OpenFolder(tmp.Gbk());
  // The second byte of 乗 and 俓 in GBK is '\'; they are single names.
  const std::string first = "\x81\x5c.dat";
  const std::string second = "\x82\x5c.dat";
  WriteNew(*folder, first, "x");
  folder->Rename(first, second);
  EXPECT_TRUE(fs::exists(tmp.path() / fs::path(u8"俓.dat")));
  EXPECT_EQ(folder->Stat(second).kind, EntryKind::kFile);
  EXPECT_EQ(folder->OpenFolder("\x83\x5c", true)->Path(), folder->Path() + "\x83\x5c\\");
  folder->Remove(second);
  EXPECT_EQ(folder->Stat(second).kind, EntryKind::kNone);

  std::error_code code;
  ErrorOf([&] { folder->CreateNew("vod.txt:hidden"); }, &code);
  EXPECT_EQ(PortableErrno(code), EINVAL) << "a stream of a file is no name in the folder";
  EXPECT_FALSE(fs::exists(tmp.path() / "vod.txt"));
}

TEST(HeldFolderOnWindows, ErrorsNameThePathAndTheNearestErrno) {
  TempDir tmp;
  tmp.Write("file", "x");
  fs::create_directory(tmp.path() / "dir");
  auto folder = Env::Default()->OpenFolder(tmp.Gbk());
  struct Case {
    const char* what;
    std::function<void()> call;
    const char* name;
    int error;
  };
  const Case cases[] = {
      {"create where a file is", [&] { folder->CreateNew("file"); }, "file", EEXIST},
      {"read a missing file", [&] { folder->OpenForRead("missing"); }, "missing", ENOENT},
      {"read a folder", [&] { folder->OpenForRead("dir", true); }, "dir", EISDIR},
      {"open a file as a folder", [&] { folder->OpenFolder("file", false); }, "file", ENOTDIR},
      {"rename a missing file", [&] { folder->Rename("missing", "x"); }, "missing", ENOENT},
  };
  for (const Case& c : cases) {
    std::error_code code;
    const std::string what = ErrorOf(c.call, &code);
    EXPECT_EQ(PortableErrno(code), c.error) << c.what << ": " << what;
    EXPECT_NE(what.find(QuotedPath(folder->Path() + c.name)), std::string::npos) << what;
  }
}

TEST(ChineseReasons, TheSystemsOwnNumbersComeFirstInChineseToo) {
  struct Case {
    int error;  // a GetLastError number
    const char8_t* chinese;
  };
  const Case cases[] = {
      {19, u8"U盘只读或写保护"},                         // ERROR_WRITE_PROTECT
      {112, u8"磁盘空间已满"},                           // ERROR_DISK_FULL
      {5, u8"没有读写这个文件或文件夹的权限"},           // ERROR_ACCESS_DENIED
      {3, u8"找不到这个文件或文件夹"},                   // ERROR_PATH_NOT_FOUND
      {21, u8"U盘已拔出"},                               // ERROR_NOT_READY
      {1617, u8"U盘已拔出"},                             // ERROR_DEVICE_REMOVED
      {1006, u8"U盘已拔出"},                             // ERROR_FILE_INVALID: the volume went away
      {1167, u8"U盘已断开（已拔出）"},                   // ERROR_DEVICE_NOT_CONNECTED
      {1117, u8"U盘读写出错（U盘可能已拔出或已损坏）"},  // ERROR_IO_DEVICE
      {223, u8"文件太大，U盘的文件系统放不下（FAT32 格式的U盘放不下 4G 以上的文件）"},
      {1920, u8"这是一个链接（快捷方式），为了安全不通过它读写"},  // ERROR_CANT_ACCESS_FILE
      {32, u8""},  // ERROR_SHARING_VIOLATION: the system's words say it better
  };
  for (const Case& c : cases) {
    const std::error_code code(c.error, std::system_category());
    EXPECT_EQ(ChineseReason(code), Gbk(c.chinese)) << c.error;
  }
  // A link refused by the program itself: Windows' C library has no words.
  EXPECT_EQ(ReasonText(std::make_error_code(std::errc::too_many_symbolic_link_levels)),
            "Too many levels of symbolic links");
}

}  // namespace
}  // namespace platform
