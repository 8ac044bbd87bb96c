// Folders, files and free space on the real disk, below a temporary folder,
// the same on every system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

void WriteAll(Env* env, const std::string& path, const std::string& content) {
  std::unique_ptr<WritableFile> file = env->CreateForWrite(path);
  file->Append(content.data(), content.size());
  file->Sync();
  file->Close();
}

std::string ReadAll(Env* env, const std::string& path) {
  std::unique_ptr<SequentialFile> file = env->OpenForRead(path);
  std::string content;
  char buffer[7];
  while (std::size_t got = file->Read(buffer, sizeof buffer)) content.append(buffer, got);
  return content;
}

class EnvFiles : public ::testing::Test {
 protected:
  Env* env_ = Env::Default();
  TempDir tmp_;
};

TEST_F(EnvFiles, FreeBytesAreThoseThisUserMayWriteOrMinusOneForAMissingPath) {
  EXPECT_EQ(env_->FreeBytes(tmp_.Gbk() + "missing"), -1);
  EXPECT_EQ(env_->BlockSize(tmp_.Gbk() + "missing"), -1);
  fs::space_info space = fs::space(tmp_.path());
  std::int64_t free = env_->FreeBytes(tmp_.path().string());
  // Other programs write meanwhile; the figure is the one available to this
  // user (without the blocks ext4 keeps for the administrator).
  EXPECT_NEAR(static_cast<double>(free), static_cast<double>(space.available), 64.0 * 1024 * 1024);
  EXPECT_GT(env_->BlockSize(tmp_.path().string()), 0);
}

TEST_F(EnvFiles, CreateDirsMakesEveryMissingParentAndFailsWhereAFileStandsInTheWay) {
  const std::string deep = tmp_.Gbk() + "a/b/c/vod/";
  EXPECT_TRUE(env_->CreateDirs(deep));
  EXPECT_TRUE(fs::is_directory(tmp_.path() / "a/b/c/vod"));
  EXPECT_TRUE(env_->DirExists(deep));
  EXPECT_TRUE(env_->CreateDirs(deep)) << "existed before";
  EXPECT_TRUE(env_->CreateDirs(tmp_.Gbk() + "a/b")) << "existed before, no final separator";

  tmp_.Write("file", "x");
  EXPECT_FALSE(env_->CreateDirs(tmp_.Gbk() + "file"));
  EXPECT_FALSE(env_->CreateDirs(tmp_.Gbk() + "file/sub"));
  EXPECT_FALSE(env_->CreateDirs(""));
}

TEST_F(EnvFiles, ExistsAndSizeTellFilesFromFolders) {
  tmp_.Write("song.dat", std::string(12800, 's'));
  fs::create_directory(tmp_.path() / "folder");
  struct Case {
    std::string name;
    bool file, dir;
    std::int64_t size;
  };
  const Case cases[] = {
      {"song.dat", true, false, 12800},
      {"folder", false, true, -1},
      {"missing", false, false, -1},
      {"song.dat/below", false, false, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(env_->FileExists(tmp_.Gbk() + c.name), c.file) << c.name;
    EXPECT_EQ(env_->DirExists(tmp_.Gbk() + c.name), c.dir) << c.name;
    EXPECT_EQ(env_->FileSize(tmp_.Gbk() + c.name), c.size) << c.name;
  }
}

TEST_F(EnvFiles, RemoveFileIsTrueWhenTheFileIsGoneAfterwards) {
  tmp_.Write("vod.txt", "old");
  fs::create_directory(tmp_.path() / "folder");
  EXPECT_TRUE(env_->RemoveFile(tmp_.Gbk() + "vod.txt"));
  EXPECT_FALSE(fs::exists(tmp_.path() / "vod.txt"));
  EXPECT_TRUE(env_->RemoveFile(tmp_.Gbk() + "vod.txt")) << "already missing";
  EXPECT_FALSE(env_->RemoveFile(tmp_.Gbk() + "folder")) << "a folder is not a file";
  EXPECT_TRUE(fs::is_directory(tmp_.path() / "folder"));
}

TEST_F(EnvFiles, WrittenBytesReadBackInChunks) {
  std::string content;
  for (int i = 0; i < 12800; ++i) content += static_cast<char>(i * 7);
  WriteAll(env_, tmp_.Gbk() + "song.dat", content);
  EXPECT_EQ(TempDir::Read(tmp_.path() / "song.dat"), content);

  std::unique_ptr<SequentialFile> in = env_->OpenForRead(tmp_.Gbk() + "song.dat");
  char buffer[5120];
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 5120u);
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 5120u);
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 2560u);
  EXPECT_EQ(std::string(buffer, 2560), content.substr(10240));
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
}

TEST_F(EnvFiles, CreateForWriteReplacesAnExistingFileAsAWhole) {
  tmp_.Write("vod.txt", "a much longer old content\r\n");
  WriteAll(env_, tmp_.Gbk() + "vod.txt", "new\r\n");
  EXPECT_EQ(TempDir::Read(tmp_.path() / "vod.txt"), "new\r\n");

  env_->CreateForWrite(tmp_.Gbk() + "vod.txt")->Close();
  EXPECT_EQ(env_->FileSize(tmp_.Gbk() + "vod.txt"), 0);
}

TEST_F(EnvFiles, CloseTwiceIsHarmlessAndWritingAfterCloseThrows) {
  std::unique_ptr<WritableFile> file = env_->CreateForWrite(tmp_.Gbk() + "f");
  file->Append("ab", 2);
  file->Close();
  EXPECT_NO_THROW(file->Close());
  EXPECT_THROW(file->Append("c", 1), std::system_error);
  EXPECT_THROW(file->Sync(), std::system_error);
  EXPECT_EQ(TempDir::Read(tmp_.path() / "f"), "ab");
}

TEST_F(EnvFiles, FileErrorsNameThePathAndTheReason) {
  const std::string missing = tmp_.Gbk() + "no such.dat";
  const std::string inMissingFolder = tmp_.Gbk() + "no folder/vod.txt";
  std::error_code code;
  std::string what = ErrorOf([&] { env_->OpenForRead(missing); }, &code);
  EXPECT_NE(what.find(missing), std::string::npos) << what;
  EXPECT_TRUE(what.ends_with(": " + ReasonText(code) + Gbk(u8"）"))) << what;
  EXPECT_EQ(code, std::errc::no_such_file_or_directory);

  what = ErrorOf([&] { env_->CreateForWrite(inMissingFolder); });
  EXPECT_NE(what.find(inMissingFolder), std::string::npos) << what;

  what = ErrorOf([&] { env_->RenameReplace(missing, tmp_.Gbk() + "b"); });
  EXPECT_NE(what.find(missing), std::string::npos) << what;

  what = ErrorOf([&] { env_->SyncDir(tmp_.Gbk() + "no folder"); });
  EXPECT_NE(what.find(tmp_.Gbk() + "no folder"), std::string::npos) << what;

  const std::string chinese = tmp_.Gbk() + Gbk(u8"缺少的歌.dat");
  what = ErrorOf([&] { env_->OpenForRead(chinese); });
  EXPECT_NE(what.find(chinese), std::string::npos) << "GBK path in the message";
}

TEST_F(EnvFiles, WholeFileReaderTakesOnlyRegularFilesUpToItsCap) {
  tmp_.Write("at cap", std::string(kMaxTextFileBytes, 'a'));
  tmp_.Write("over cap", std::string(kMaxTextFileBytes + 1, 'a'));
  const struct {
    std::string path;
    std::string why;  // empty: read in full
  } cases[] = {
      {tmp_.Gbk() + "at cap", ""},
      {tmp_.Gbk() + "over cap", "larger than 1024 KiB"},
      {tmp_.Gbk(), "not a regular file"},
  };
  for (const auto& c : cases) {
    std::string read;
    const std::string what = ErrorOf([&] { read = ReadWholeFile(*env_, c.path); });
    if (c.why.empty()) {
      EXPECT_EQ(read.size(), static_cast<std::size_t>(kMaxTextFileBytes));
    } else {
      EXPECT_NE(what.find(c.why), std::string::npos) << c.path << ": " << what;
      EXPECT_NE(what.find(c.path), std::string::npos) << what;
    }
  }
}

TEST_F(EnvFiles, ListFilesNamesTheFilesOfAFolderOnly) {
  tmp_.Write("a.dat", "1");
  tmp_.Write(gbk::ToUtf8(Gbk(u8"歌.dat")), "2");
  fs::create_directory(tmp_.path() / "sub");
  std::vector<std::string> names = env_->ListFiles(tmp_.Gbk());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.dat", Gbk(u8"歌.dat")}));
  EXPECT_TRUE(env_->ListFiles(tmp_.Gbk() + "missing/").empty());
}

TEST_F(EnvFiles, RenameReplaceTakesThePlaceOfAnExistingFile) {
  tmp_.Write("vod.txt", "old");
  tmp_.Write("vod.tmp", "new");
  env_->RenameReplace(tmp_.Gbk() + "vod.tmp", tmp_.Gbk() + "vod.txt");
  EXPECT_EQ(TempDir::Read(tmp_.path() / "vod.txt"), "new");
  EXPECT_FALSE(fs::exists(tmp_.path() / "vod.tmp"));

  tmp_.Write("other.tmp", "fresh");
  env_->RenameReplace(tmp_.Gbk() + "other.tmp", tmp_.Gbk() + "other.dat");
  EXPECT_EQ(TempDir::Read(tmp_.path() / "other.dat"), "fresh");
}

TEST_F(EnvFiles, SyncDirFlushesAnExistingFolder) {
  EXPECT_NO_THROW(env_->SyncDir(tmp_.path().string()));
  tmp_.Write("file", "x");
  EXPECT_THROW(env_->SyncDir(tmp_.Gbk() + "file"), std::system_error) << "not a folder";
}

TEST_F(EnvFiles, ChineseGbkNamesAreTheirUnicodeNamesOnTheDisk) {
  const std::string folder = tmp_.Gbk() + Gbk(u8"歌曲/新歌");
  const std::string file = folder + "/" + Gbk(u8"月亮代表我的心-邓丽君.dat");
  ASSERT_TRUE(env_->CreateDirs(folder));
  WriteAll(env_, file, "video");

  fs::path native = tmp_.path() / fs::path(u8"歌曲/新歌/月亮代表我的心-邓丽君.dat");
  EXPECT_TRUE(fs::is_regular_file(native));
  int entries = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(native.parent_path())) {
    EXPECT_TRUE(entry.path().filename() == fs::path(u8"月亮代表我的心-邓丽君.dat"));
    ++entries;
  }
  EXPECT_EQ(entries, 1);

  EXPECT_TRUE(env_->FileExists(file));
  EXPECT_EQ(env_->FileSize(file), 5);
  EXPECT_EQ(ReadAll(env_, file), "video");
  EXPECT_EQ(env_->VolumeOf(file), env_->VolumeOf(tmp_.path().string()));
  env_->RenameReplace(file, folder + "/" + Gbk(u8"660001.dat"));
  EXPECT_TRUE(fs::exists(tmp_.path() / fs::path(u8"歌曲/新歌/660001.dat")));
  EXPECT_TRUE(env_->RemoveFile(folder + "/660001.dat"));
}

TEST_F(EnvFiles, PathsWithoutNativeFormAreRefusedAndTouchNothing) {
  tmp_.Write("ab", "keep");
  const std::string cases[] = {
      tmp_.Gbk() + "\x81",                    // lead byte at the end
      tmp_.Gbk() + "\xff.dat",                // not a GBK byte
      tmp_.Gbk() + "\x81\x20x",               // bad trail byte
      tmp_.Gbk() + std::string("ab\0cd", 5),  // NUL would cut the name to "ab"
  };
  for (const std::string& path : cases) {
    SCOPED_TRACE(testing::PrintToString(path));
    EXPECT_FALSE(env_->FileExists(path));
    EXPECT_FALSE(env_->DirExists(path));
    EXPECT_EQ(env_->FileSize(path), -1);
    EXPECT_EQ(env_->FreeBytes(path), -1);
    EXPECT_EQ(env_->VolumeOf(path), "");
    EXPECT_FALSE(env_->CreateDirs(path));
    EXPECT_FALSE(env_->RemoveFile(path));

    std::error_code code;
    std::string what = ErrorOf([&] { env_->OpenForRead(path); }, &code);
    EXPECT_EQ(code, std::errc::illegal_byte_sequence) << what;
    EXPECT_NE(what.find("not valid GBK"), std::string::npos) << what;
    EXPECT_NE(what.find(tmp_.path().string()), std::string::npos) << what;
    EXPECT_THROW(env_->CreateForWrite(path), std::system_error);
    EXPECT_THROW(env_->RenameReplace(tmp_.Gbk() + "ab", path), std::system_error);
    EXPECT_THROW(env_->RenameReplace(path, tmp_.Gbk() + "x"), std::system_error);
    EXPECT_THROW(env_->SyncDir(path), std::system_error);
  }
  EXPECT_EQ(TempDir::Read(tmp_.path() / "ab"), "keep");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(tmp_.path())) ++entries;
  EXPECT_EQ(entries, 1) << "nothing created";
}

}  // namespace
}  // namespace platform
