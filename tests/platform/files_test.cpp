// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST_F(EnvFiles, AFileIsReadInChunksToItsEnd) {
  std::string content;
  for (int i = 0; i < 12800; ++i) content += static_cast<char>(i * 7);
  tmp_.Write("song.dat", content);

  std::unique_ptr<SequentialFile> in = env_->OpenForRead(tmp_.Gbk() + "song.dat");
  char buffer[5120];
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 5120u);
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 5120u);
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 2560u);
  EXPECT_EQ(std::string(buffer, 2560), content.substr(10240));
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
}

TEST_F(EnvFiles, CloseTwiceIsHarmlessAndWritingAfterCloseThrows) {
  std::unique_ptr<WritableFile> file = env_->OpenFolder(tmp_.Gbk())->CreateNew("f");
  file->Append("ab", 2);
  file->Close();
  EXPECT_NO_THROW(file->Close());
  EXPECT_THROW(file->Append("c", 1), std::system_error);
  EXPECT_THROW(file->Sync(), std::system_error);
  EXPECT_EQ(TempDir::Read(tmp_.path() / "f"), "ab");
}

TEST_F(EnvFiles, FileErrorsNameThePathAndTheReason) {
  const std::string missing = tmp_.Gbk() + "no such.dat";
  std::error_code code;
  std::string what = ErrorOf([&] { env_->OpenForRead(missing); }, &code);
  EXPECT_NE(what.find(missing), std::string::npos) << what;
  EXPECT_TRUE(what.ends_with(": " + ReasonText(code) + Gbk(u8"）"))) << what;
  EXPECT_EQ(code, std::errc::no_such_file_or_directory);

  what = ErrorOf([&] { env_->OpenFolder(tmp_.Gbk() + "no folder"); });
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

TEST_F(EnvFiles, ChineseGbkNamesAreTheirUnicodeNamesOnTheDisk) {
  const std::string folder = tmp_.Gbk() + Gbk(u8"歌曲/新歌");
  const std::string name = Gbk(u8"月亮代表我的心-邓丽君.dat");
  const std::string file = folder + "/" + name;
  auto held = env_->OpenFolder(tmp_.Gbk())
                  ->OpenFolder(Gbk(u8"歌曲"), true)
                  ->OpenFolder(Gbk(u8"新歌"), true);
  auto out = held->CreateNew(name);
  out->Append("video", 5);
  out->Close();

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
  held->Rename(name, "660001.dat");
  EXPECT_TRUE(fs::exists(tmp_.path() / fs::path(u8"歌曲/新歌/660001.dat")));
  held->Remove("660001.dat");
  EXPECT_FALSE(env_->FileExists(folder + "/660001.dat"));
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
    EXPECT_EQ(env_->VolumeOf(path), "");

    std::error_code code;
    std::string what = ErrorOf([&] { env_->OpenForRead(path); }, &code);
    EXPECT_EQ(code, std::errc::illegal_byte_sequence) << what;
    EXPECT_NE(what.find("not valid GBK"), std::string::npos) << what;
    EXPECT_NE(what.find(tmp_.path().string()), std::string::npos) << what;
    EXPECT_THROW(env_->OpenFolder(path), std::system_error);
  }
  EXPECT_EQ(TempDir::Read(tmp_.path() / "ab"), "keep");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(tmp_.path())) ++entries;
  EXPECT_EQ(entries, 1) << "nothing created";
}

}  // namespace
}  // namespace platform
