// SPDX-License-Identifier: GPL-3.0-or-later
// The console's strokes command, started as a program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"

namespace {

TEST(StrokesCommand, PrintsTheStrokeTextOfAUtf8Title) {
  const CommandResult r = RunCli({"strokes", "海风"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "104\n");
}

TEST(StrokesCommand, RefusesTextWithoutGbkFormWithStatus2) {
  std::vector<std::string> texts = {"한국", "海😀"};
#if !defined(_WIN32)  // a Windows command line is UTF-16: it cannot hold a stray byte
  texts.push_back("\xFF");
#endif
  for (const std::string& text : texts) {
    const CommandResult r = RunCli({"strokes", text});
    EXPECT_EQ(r.status, 2) << text;
    EXPECT_EQ(r.out, "") << text;
    EXPECT_NE(r.err.find("no GBK form"), std::string::npos) << text << ": " << r.err;
  }
}

TEST(StrokesCommand, WantsExactlyOneText) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"strokes"}, std::vector<std::string>{"strokes", "a", "b"}}) {
    const CommandResult r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_NE(r.err.find("usage"), std::string::npos) << args.size();
  }
}

}  // namespace
