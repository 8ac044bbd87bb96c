// SPDX-License-Identifier: GPL-3.0-or-later
// The copy panel's texts, which every window shows as the form says.
#include <gtest/gtest.h>

#include <string>

#include "ui/ui_texts.h"
#include "ui/views.h"

namespace {

TEST(CopyPanel, TitleAndSongLineFollowThePhaseTheCountAndTheTimeLeft) {
  const std::string left = ui_text::TimeLeft(40);
  const struct {
    bool checking;
    int song, songs;
    std::string timeLeft;
    const std::string& title;
    std::string count, line;
  } cases[] = {
      {false, 2, 3, "", ui_text::CopyTitle(), ui_text::SongOfSongs(2, 3),
       ui_text::SongOfSongs(2, 3)},
      {false, 2, 3, left, ui_text::CopyTitle(), ui_text::SongOfSongs(2, 3),
       ui_text::SongOfSongs(2, 3) + "    " + left},
      {true, 1, 3, left, ui_text::CheckTitle(), ui_text::CheckOfSongs(1, 3),
       ui_text::CheckOfSongs(1, 3) + "    " + left},
      // Before the run knows its songs, no count; a time left still shows.
      {false, 0, 0, "", ui_text::CopyTitle(), ui_text::SongOfSongs(0, 0), ""},
      {true, 0, 0, left, ui_text::CheckTitle(), ui_text::CheckOfSongs(0, 0), "    " + left},
  };
  for (const auto& c : cases) {
    TCopyPanel panel;
    panel.checking = c.checking;
    panel.song = c.song;
    panel.songs = c.songs;
    panel.timeLeft = c.timeLeft;
    EXPECT_EQ(panel.Title(), c.title) << c.checking;
    EXPECT_EQ(panel.SongCount(), c.count) << c.song << "/" << c.songs;
    EXPECT_EQ(panel.SongLine(), c.line) << c.song << "/" << c.songs << " " << c.timeLeft;
  }
}

}  // namespace
