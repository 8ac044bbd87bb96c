// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_texts.h"
#include "ui/views.h"

const std::string& TCopyPanel::Title() const {
  return checking ? ui_text::CheckTitle() : ui_text::CopyTitle();
}

std::string TCopyPanel::SongCount() const {
  return checking ? ui_text::CheckOfSongs(song, songs) : ui_text::SongOfSongs(song, songs);
}

std::string TCopyPanel::SongLine() const {
  std::string line = songs > 0 ? SongCount() : std::string();
  if (!timeLeft.empty()) line += "    " + timeLeft;
  return line;
}
