// SPDX-License-Identifier: GPL-3.0-or-later
// A folder held open: what the run does on the target goes through it. The
// same on every system; links and pipes are in folder_posix_test.cpp and
// folder_win32_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(SequentialFile& file) {
  std::string content;
  char buffer[5];
  while (std::size_t got = file.Read(buffer, sizeof buffer)) content.append(buffer, got);
  return content;
}

void WriteNew(Folder& folder, const std::string& name, const std::string& content) {
  auto file = folder.CreateNew(name);
  file->Append(content.data(), content.size());
  file->Sync();
  file->Close();
}

class HeldFolder : public ::testing::Test {
 protected:
  TempDir tmp_;
  std::unique_ptr<Folder> folder_ = Env::Default()->OpenFolder(tmp_.Gbk());
};

TEST_F(HeldFolder, WritesRenamesAndReadsRelativeToTheFolder) {
  EXPECT_EQ(folder_->Path().back(), Env::Default()->PathSeparator());
  WriteNew(*folder_, "660000.dat.part", "video");
  folder_->Rename("660000.dat.part", "660000.dat");
  folder_->Sync();
  EXPECT_EQ(TempDir::Read(tmp_.path() / "660000.dat"), "video");
  EXPECT_FALSE(fs::exists(tmp_.path() / "660000.dat.part"));
  for (bool fromDevice : {false, true}) {
    auto file = folder_->OpenForRead("660000.dat", fromDevice);
    EXPECT_EQ(ReadAll(*file), "video");
  }

  tmp_.Write("vod.txt", "old");
  WriteNew(*folder_, "vod.txt.part", "new");
  folder_->Rename("vod.txt.part", "vod.txt");
  EXPECT_EQ(TempDir::Read(tmp_.path() / "vod.txt"), "new") << "the rename replaces";
}

TEST_F(HeldFolder, CreatesOnlyWhereNothingStands) {
  tmp_.Write("file", "keep");
  fs::create_directory(tmp_.path() / "dir");
  for (const char* name : {"file", "dir"}) {
    std::error_code code;
    ErrorOf([&] { folder_->CreateNew(name); }, &code);
    EXPECT_EQ(PortableErrno(code), EEXIST) << name;
  }
  EXPECT_EQ(TempDir::Read(tmp_.path() / "file"), "keep");
}

TEST_F(HeldFolder, TellsWhatStandsUnderANameAndListsIt) {
  tmp_.Write("song.dat", std::string(1234, 's'));
  fs::create_directory(tmp_.path() / "sub");
  EXPECT_EQ(folder_->Stat("song.dat").kind, EntryKind::kFile);
  EXPECT_EQ(folder_->Stat("song.dat").size, 1234);
  EXPECT_EQ(folder_->Stat("sub").kind, EntryKind::kFolder);
  EXPECT_EQ(folder_->Stat("missing").kind, EntryKind::kNone);

  auto entries = folder_->List();
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "song.dat");
  EXPECT_EQ(entries[0].size, 1234);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_EQ(entries[1].kind, EntryKind::kFolder);
}

TEST_F(HeldFolder, RemovesFilesAndFoldersWithWhatTheyHold) {
  tmp_.Write("a.part", "x");
  tmp_.Write("b.part/inner/deep.txt", "x");
  folder_->Remove("a.part");
  folder_->Remove("b.part");
  folder_->Remove("missing");  // nothing there: nothing to do
  EXPECT_FALSE(fs::exists(tmp_.path() / "a.part"));
  EXPECT_FALSE(fs::exists(tmp_.path() / "b.part"));
}

TEST_F(HeldFolder, OpensAndMakesSubFolders) {
  std::error_code code;
  ErrorOf([&] { folder_->OpenFolder("vod", false); }, &code);
  EXPECT_EQ(PortableErrno(code), ENOENT);
  EXPECT_FALSE(fs::exists(tmp_.path() / "vod")) << "opening does not make it";

  auto vod = folder_->OpenFolder("vod", true);
  EXPECT_TRUE(fs::is_directory(tmp_.path() / "vod"));
  WriteNew(*vod, "vod.txt", "x");
  EXPECT_TRUE(fs::exists(tmp_.path() / "vod" / "vod.txt"));
  EXPECT_NO_THROW(folder_->OpenFolder("vod", true)) << "made before: opened";

  tmp_.Write("plain", "x");
  ErrorOf([&] { folder_->OpenFolder("plain", true); }, &code);
  EXPECT_EQ(PortableErrno(code), ENOTDIR);
}

TEST_F(HeldFolder, RefusesReadingAFolderAndNamesOutsideIt) {
  fs::create_directory(tmp_.path() / "sub");
  EXPECT_NE(ErrorOf([&] { folder_->OpenForRead("sub"); }), "no error");
  std::vector<std::string> names{"", "..", "sub/x"};
  if (Env::Default()->PathSeparator() == '\\') names.push_back("sub\\x");
  for (const std::string& name : names) {
    EXPECT_NE(ErrorOf([&] { folder_->CreateNew(name); }), "no error") << name;
  }
  EXPECT_FALSE(fs::exists(tmp_.path() / "sub" / "x"));
}

TEST_F(HeldFolder, OneLockHolderAtATime) {
  auto other = Env::Default()->OpenFolder(tmp_.Gbk());
  EXPECT_TRUE(folder_->TryLock());
  EXPECT_FALSE(other->TryLock()) << "another run has it";
  folder_.reset();
  EXPECT_TRUE(other->TryLock()) << "released with its holder";
  EXPECT_TRUE(fs::is_empty(tmp_.path())) << "no lock file is left";
}

TEST_F(HeldFolder, KnowsTheRoomOfItsVolume) {
  const VolumeRoom room = folder_->Room();
  EXPECT_GT(room.freeBytes, 0);
  EXPECT_GT(room.blockSize, 0);
  EXPECT_NE(room.freeEntries, 0);
}

TEST(EnvOpenFolder, RefusesAMissingFolderAndAFile) {
  TempDir tmp;
  tmp.Write("file", "x");
  std::error_code code;
  ErrorOf([&] { Env::Default()->OpenFolder(tmp.Gbk() + "missing"); }, &code);
  EXPECT_EQ(PortableErrno(code), ENOENT);
  ErrorOf([&] { Env::Default()->OpenFolder(tmp.Gbk() + "file"); }, &code);
  EXPECT_EQ(PortableErrno(code), ENOTDIR);
}

TEST(ChineseReasons, EachCommonReasonHasItsOwnSentenceAndEpermOnFatMeansFull) {
  struct Case {
    int error;
    const char8_t* chinese;  // u8"" for none
  };
  const Case cases[] = {
      {EROFS, u8"U盘只读或写保护"},
      {ENOSPC, u8"磁盘空间已满"},
#ifdef EDQUOT
      {EDQUOT, u8"磁盘空间已满"},
#endif
      {EACCES, u8"没有读写这个文件或文件夹的权限"},
      {EPERM, u8"没有读写这个文件或文件夹的权限"},
      {ENOENT, u8"找不到这个文件或文件夹"},
      {ENOTDIR, u8"找不到这个文件或文件夹"},
      {ENODEV, u8"U盘已拔出"},
      {ENXIO, u8"U盘已拔出"},
#ifdef ENOMEDIUM
      {ENOMEDIUM, u8"U盘已拔出"},
#endif
      {EIO, u8"U盘读写出错（U盘可能已拔出或已损坏）"},
      {ENOTCONN, u8"U盘已断开（已拔出）"},
      {EFBIG, u8"文件太大，U盘的文件系统放不下（FAT32 格式的U盘放不下 4G 以上的文件）"},
      {ELOOP, u8"这是一个链接（快捷方式），为了安全不通过它读写"},
      {EINVAL, u8""},
      {EEXIST, u8""},
      {EBUSY, u8""},
  };
  const std::string full = Gbk(u8"U盘拒绝写入：U盘可能已满，或文件太大（FAT 格式）");
  for (const Case& c : cases) {
    const std::error_code code(c.error, std::generic_category());
    EXPECT_EQ(ChineseReason(code), Gbk(c.chinese)) << code.message();
    EXPECT_EQ(ChineseReasonOnFat(code), c.error == EPERM ? full : Gbk(c.chinese)) << code.message();
  }
}

TEST(FileErrorText, IsTheOwnersSentenceThenTheSystemsWordsInFullWidthParentheses) {
  struct Case {
    int error;
    const char8_t* given;     // the caller's sentence, u8"" for none
    const char8_t* sentence;  // what the text begins with
  };
  const Case cases[] = {
      {ENOSPC, u8"", u8"磁盘空间已满"},
      {EINVAL, u8"", u8"读写文件时出错"},  // a reason without a sentence of its own
      {EPERM, u8"U盘拒绝写入：U盘可能已满，或文件太大（FAT 格式）",
       u8"U盘拒绝写入：U盘可能已满，或文件太大（FAT 格式）"},
      {EROFS, u8"别的话", u8"别的话"},
  };
  const std::string what = "cannot create " + QuotedPath(Gbk(u8"/media/usb/新歌/vod.txt.part"));
  for (const Case& c : cases) {
    const std::error_code code(c.error, std::generic_category());
    const FileError error(code, what, Gbk(c.given));
    EXPECT_EQ(error.code(), code);
    EXPECT_EQ(std::string(error.what()), Gbk(c.sentence) + Gbk(u8"（系统信息：") + what + ": " +
                                             ReasonText(code) + Gbk(u8"）"))
        << gbk::ToUtf8(error.what());
  }
}

}  // namespace
}  // namespace platform
