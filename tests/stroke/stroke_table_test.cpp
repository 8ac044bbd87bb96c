// SPDX-License-Identifier: GPL-3.0-or-later
// The committed stroke table, checked from outside: the generator is run again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace fs = std::filesystem;

namespace {

const fs::path kUnihan = "/usr/share/unicode/Unihan_IRGSources.txt.bz2";
const fs::path kPython = "/usr/bin/python3";

TEST(StrokeTable, IsWhatTheGeneratorMakesFromTheUnicodeData) {
#if defined(_WIN32)
  GTEST_SKIP() << "the table generators are Linux tools, checked by the Linux build";
#endif
  if (!fs::exists(kUnihan) || !fs::exists(kPython)) {
    GTEST_SKIP() << "needs " << kUnihan << " (package unicode-data) and " << kPython;
  }
  const std::string other =
      DataVersionDiffers("src/stroke/stroke_table.inc",
                         "bzcat " + kUnihan.string() + " | head -n 20", "Unicode version: ");
  if (!other.empty()) GTEST_SKIP() << other;
  std::string why;
  EXPECT_TRUE(GeneratorReproduces("tools/gen_stroke_table.py", "src/stroke/stroke_table.inc", why))
      << why;
}

}  // namespace
