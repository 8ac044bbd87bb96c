// SPDX-License-Identifier: GPL-3.0-or-later
// The help built into the program is the README's section for the owner.
#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "ui/owner_help.h"

namespace {

TEST(OwnerHelp, IsTheReadmesOwnerSectionWithoutItsPicturesAndAsPlainText) {
  const std::string& markdown = OwnerHelpMarkdown();
  const std::string text = OwnerHelpText();
  const std::string readme = TempDir::Read(ADDSONGS_SOURCE_DIR "/README.md");
  const struct {
    const std::string& help;
    const char* part;
    bool there;
  } cases[] = {
      {markdown, "## 使用说明（给点歌机的主人）", true},
      {markdown, "**在 Windows 上安装**", true},
      {markdown, "按 Ctrl+Z 撤销", true},
      {markdown, "![", false},
      {markdown, "## Pinyin read by words", false},  // the next section
      {text, "使用说明（给点歌机的主人）\n", true},
      {text, "在 Windows 上安装：", true},
      {text, "addsongs-cli export vod.txt", true},
      {text, "**", false},
      {text, "`", false},
      {text, "## ", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.help.find(c.part) != std::string::npos, c.there) << c.part;
  }
  EXPECT_TRUE(text.starts_with("使用说明"));
  // Every line of the section is in the README as it stands.
  EXPECT_NE(readme.find(markdown.substr(0, 200)), std::string::npos);
}

}  // namespace
