// The committed stroke table and the console command, checked from outside:
// the generator is run again and the console program is started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("stroke_tests_" + std::to_string(random()));
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

const fs::path kUnihan = "/usr/share/unicode/Unihan_IRGSources.txt.bz2";
const fs::path kPython = "/usr/bin/python3";

TEST(StrokeTable, IsWhatTheGeneratorMakesFromTheUnicodeData) {
  if (!fs::exists(kUnihan) || !fs::exists(kPython)) {
    GTEST_SKIP() << "needs " << kUnihan << " (package unicode-data) and " << kPython;
  }
  const fs::path source = ADDSONGS_SOURCE_DIR;
  TempDir dir;
  const fs::path output = dir.path() / "stroke_table.inc";
  const std::string command = Quoted(kPython) + " " +
                              Quoted(source / "tools" / "gen_stroke_table.py") + " --output " +
                              Quoted(output) + " > " + Quoted(dir.path() / "log") + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir.path() / "log");
  const std::string committed = ReadFile(source / "src" / "stroke" / "stroke_table.inc");
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(ReadFile(output) == committed)
      << "src/stroke/stroke_table.inc is out of date; run tools/gen_stroke_table.py";
}

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::string& args) {
  TempDir dir;
  const std::string command = Quoted(ADDSONGS_CLI) + " " + args + " > " +
                              Quoted(dir.path() / "out") + " 2> " + Quoted(dir.path() / "err");
  const int raw = std::system(command.c_str());
  const int status = raw >= 256 ? raw / 256 : raw;  // exit status from the shell's wait status
  return {status, ReadFile(dir.path() / "out"), ReadFile(dir.path() / "err")};
}

TEST(StrokesCommand, PrintsTheStrokeTextOfAUtf8Title) {
  const CliResult r = RunCli("strokes '海风'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "104\n");
}

TEST(StrokesCommand, RefusesTextWithoutGbkFormWithStatus2) {
  for (const char* text : {"'한국'", "'海😀'", "\"$(printf '\\377')\""}) {
    const CliResult r = RunCli(std::string("strokes ") + text);
    EXPECT_EQ(r.status, 2) << text;
    EXPECT_EQ(r.out, "") << text;
    EXPECT_NE(r.err.find("no GBK form"), std::string::npos) << text << ": " << r.err;
  }
}

TEST(StrokesCommand, WantsExactlyOneText) {
  for (const char* args : {"strokes", "strokes a b"}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage"), std::string::npos) << args;
  }
}

}  // namespace
