// Names of a POSIX system that open like files but are none.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

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

}  // namespace
}  // namespace platform
