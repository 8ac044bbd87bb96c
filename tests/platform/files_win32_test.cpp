// SPDX-License-Identifier: GPL-3.0-or-later
// What only Windows has: device names, the program's folder with its DLL,
// both folder separators, the user's data folder, and the system's error
// codes and words.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
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

TEST(Win32Files, DeviceNamesAreNoFilesAndAreNotRead) {
  Env* env = Env::Default();
  // GetFileAttributesW calls NUL an ordinary file; reading it would give
  // nothing and pass for an empty vod.txt.
  for (const char* path : {"NUL", "nul", "\\\\.\\NUL"}) {
    EXPECT_FALSE(env->FileExists(path)) << path;
    EXPECT_FALSE(env->DirExists(path)) << path;
    EXPECT_EQ(env->FileSize(path), -1) << path;
    const std::string what = ErrorOf([&] { ReadWholeFile(*env, path); });
    EXPECT_NE(what.find("not a regular file"), std::string::npos) << path << ": " << what;
  }
}

TEST(Win32Files, ExecutableDirHoldsThisTestProgramAndTheStrokeLibrary) {
  Env* env = Env::Default();
  const std::string dir = env->ExecutableDir();
  ASSERT_TRUE(dir.ends_with('\\')) << dir;
  EXPECT_TRUE(env->FileExists(dir + "platform_tests.exe")) << dir;
  EXPECT_TRUE(env->FileExists(dir + "OruStroke.dll")) << "the DLL sits beside the programs";
  EXPECT_EQ(env->PathSeparator(), '\\');
}

TEST(Win32Files, BothSeparatorsNameTheSameFile) {
  TempDir tmp;
  Env* env = Env::Default();
  const std::string base = tmp.path().string();
  tmp.Write("a/b/song.dat", "12345");
  for (const char* name : {"\\a\\b\\song.dat", "/a/b/song.dat", "\\a/b\\song.dat"}) {
    EXPECT_EQ(env->FileSize(base + name), 5) << name;
  }
  std::vector<std::string> names = env->ListFiles(base + "/a/b");
  EXPECT_EQ(names, std::vector<std::string>{"song.dat"});
}

TEST(Win32Files, ErrorsCarryTheSystemsCodeAndWords) {
  TempDir tmp;
  Env* env = Env::Default();
  struct Case {
    const char* what;
    std::function<void()> call;
    std::errc expected;
  };
  const std::string missing = tmp.path().string() + "\\missing.dat";
  const Case cases[] = {
      {"open a missing file", [&] { env->OpenForRead(missing); },
       std::errc::no_such_file_or_directory},
      {"open a missing folder", [&] { env->OpenFolder(tmp.Gbk() + "no"); },
       std::errc::no_such_file_or_directory},
      {"rename a missing file",
       [&] { env->OpenFolder(tmp.path().string())->Rename("missing.dat", "b.dat"); },
       std::errc::no_such_file_or_directory},
  };
  for (const Case& c : cases) {
    std::error_code code;
    const std::string what = ErrorOf(c.call, &code);
    EXPECT_EQ(code.category(), std::system_category()) << c.what;
    EXPECT_EQ(code, c.expected) << c.what << ": " << code.value();
    const std::string reason = ReasonText(code);
    EXPECT_TRUE(what.ends_with(": " + reason + Gbk(u8"）"))) << what;
    EXPECT_FALSE(reason.empty() || reason.ends_with('\n') || reason.ends_with('.')) << reason;
  }
}

TEST(Win32Files, ErrnoCodesKeepTheCLibrarysWords) {
  // Error 27 of the system is a disk's missing sector; errno 27 is a file
  // that is too large. The reader's cap must say the latter.
  TempDir tmp;
  tmp.Write("big", std::string(kMaxTextFileBytes + 1, 'a'));
  std::error_code code;
  const std::string what =
      ErrorOf([&] { ReadWholeFile(*Env::Default(), tmp.Gbk() + "big"); }, &code);
  EXPECT_EQ(code, std::errc::file_too_large);
  EXPECT_EQ(ReasonText(code), "File too large");
  EXPECT_TRUE(what.ends_with(": File too large" + Gbk(u8"）"))) << what;
}

TEST(Win32Files, DataDirIsTheUsersLocalAppDataFolder) {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr) GTEST_SKIP() << "LOCALAPPDATA is not set";
  const std::wstring wide(local);
  const std::optional<std::string> name =
      gbk::TryFromUtf16(std::u16string(wide.begin(), wide.end()));
  ASSERT_TRUE(name) << "the profile's folder has a GBK name";
  std::string expected = *name;
  if (!expected.ends_with('\\')) expected += '\\';
  EXPECT_EQ(Env::Default()->DataDir(), expected + "addsongs\\");
}

}  // namespace
}  // namespace platform
