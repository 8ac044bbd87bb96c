// The committed stroke table and the console command, checked from outside:
// the generator is run again and the console program is started.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_command.h"

namespace fs = std::filesystem;

namespace {

const fs::path kUnihan = "/usr/share/unicode/Unihan_IRGSources.txt.bz2";
const fs::path kPython = "/usr/bin/python3";

TEST(StrokeTable, IsWhatTheGeneratorMakesFromTheUnicodeData) {
  if (!fs::exists(kUnihan) || !fs::exists(kPython)) {
    GTEST_SKIP() << "needs " << kUnihan << " (package unicode-data) and " << kPython;
  }
  std::string why;
  EXPECT_TRUE(GeneratorReproduces("tools/gen_stroke_table.py", "src/stroke/stroke_table.inc", why))
      << why;
}

TEST(StrokesCommand, PrintsTheStrokeTextOfAUtf8Title) {
  const CommandResult r = RunCli("strokes '海风'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "104\n");
}

TEST(StrokesCommand, RefusesTextWithoutGbkFormWithStatus2) {
  for (const char* text : {"'한국'", "'海😀'", "\"$(printf '\\377')\""}) {
    const CommandResult r = RunCli(std::string("strokes ") + text);
    EXPECT_EQ(r.status, 2) << text;
    EXPECT_EQ(r.out, "") << text;
    EXPECT_NE(r.err.find("no GBK form"), std::string::npos) << text << ": " << r.err;
  }
}

TEST(StrokesCommand, WantsExactlyOneText) {
  for (const char* args : {"strokes", "strokes a b"}) {
    const CommandResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage"), std::string::npos) << args;
  }
}

}  // namespace
