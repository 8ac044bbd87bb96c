// SPDX-License-Identifier: GPL-3.0-or-later
// What only a POSIX system has: names that open like files but are none, and
// the user's data folder after the XDG base folders.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace platform {
namespace {

TEST(PosixPipesAndDevices, WholeFileReaderRefusesPipesAndDevices) {
  TempDir tmp;
  ASSERT_EQ(::mkfifo((tmp.path() / "fifo").c_str(), 0600), 0);
  const std::string cases[] = {
      tmp.Gbk() + "fifo",  // would wait for a writer for ever
      "/dev/zero",         // would never end
  };
  for (const std::string& path : cases) {
    const std::string what = ErrorOf([&] { ReadWholeFile(*Env::Default(), path); });
    EXPECT_NE(what.find("not a regular file"), std::string::npos) << path << ": " << what;
    EXPECT_NE(what.find(path), std::string::npos) << what;
  }
}

// Sets an environment variable (nullopt: unsets it) until it goes.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(PosixDataDir, IsXdgDataHomeWhenAbsoluteElseUnderTheHomeFolderInGbk) {
  const std::optional<std::string> unset;
  struct Case {
    std::optional<std::string> xdg, home;  // UTF-8
    std::u8string dir;                     // u8"" for none
  };
  const Case cases[] = {
      {"/srv/data", "/home/a", u8"/srv/data/addsongs/"},
      {"/srv/data//", "/home/a", u8"/srv/data/addsongs/"},
      {"/", "/home/a", u8"/addsongs/"},
      {unset, "/home/a", u8"/home/a/.local/share/addsongs/"},
      {"", "/home/a/", u8"/home/a/.local/share/addsongs/"},
      {"relative/data", "/home/a", u8"/home/a/.local/share/addsongs/"},  // ignored, as XDG says
      {unset, "/home/\xe6\xad\x8c\xe6\x89\x8b", u8"/home/歌手/.local/share/addsongs/"},
      {"/data/\xe6\xad\x8c", "/home/a", u8"/data/歌/addsongs/"},
      {unset, "/home/\xf0\x9f\x8e\xa4", u8""},  // a microphone has no GBK form
      {unset, "/home/\xff", u8""},              // not UTF-8
      {unset, "relative", u8""},
  };
  for (const Case& c : cases) {
    const ScopedVariable xdg("XDG_DATA_HOME", c.xdg);
    const ScopedVariable home("HOME", c.home);
    EXPECT_EQ(Env::Default()->DataDir(), Gbk(c.dir))
        << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
  }
}

TEST(PosixDataDir, WithoutHomeIsUnderTheUsersHomeFolderInTheUserDatabase) {
  const ScopedVariable xdg("XDG_DATA_HOME", std::nullopt);
  const ScopedVariable home("HOME", std::nullopt);
  const passwd* user = ::getpwuid(::getuid());
  if (user == nullptr || user->pw_dir == nullptr || user->pw_dir[0] != '/') {
    GTEST_SKIP() << "this user has no home folder in the user database";
  }
  std::string expected = user->pw_dir;
  while (expected.ends_with('/')) expected.pop_back();
  EXPECT_EQ(Env::Default()->DataDir(), expected + "/.local/share/addsongs/");
}

}  // namespace
}  // namespace platform
