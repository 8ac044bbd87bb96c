// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold on a stick at every moment, whatever stopped a run:
//
//   every line of the stick's list names a .dat whose bytes are that line's
//   song, and, after a run that kept the songs there, every song the list
//   held before is still listed.
//
// The stick's list is vod.txt in the vod folder, its name matched without
// regard to ASCII case (VOD.TXT, Vod.Txt); where that is missing or holds no
// song line, a complete vod.txt.part (any case) a run left: one that ends
// with a line break and whose song lines each name an existing .dat. Blank
// lines do not count. A song's .dat is "66NNNN.dat" in any case, NNNN taken
// from the line by the product line's own reader.
//
// Which bytes are a line's song comes from a table built from sticks a run
// was not stopped on: the list there before and the list a whole run wrote.
// A line is looked up with its song number masked, so a song that a later
// run numbered anew is still that song.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The song number ("660012") a line of the list names; "" when it names none.
using SongNumberOf = std::function<std::string(const std::string& line)>;

class StickSongs {
 public:
  explicit StickSongs(SongNumberOf numberOf) : numberOf_(std::move(numberOf)) {}

  // The song of this line is these bytes.
  void Add(const std::string& line, std::string bytes);
  // Every song line of the list in vodFolder, with the bytes of the .dat it
  // names there. Throws std::runtime_error when a .dat it names is missing.
  void AddFromStick(const std::filesystem::path& vodFolder);

  // The bytes the line's song must hold; null for a line that is no song of
  // the table.
  const std::string* BytesOf(const std::string& line) const;
  // The line with its song number masked: the same song under any number.
  std::string Key(const std::string& line) const;
  // The table's line whose song holds exactly these bytes; "" for none.
  std::string LineHolding(const std::string& bytes) const;

  const SongNumberOf& NumberOf() const { return numberOf_; }

 private:
  SongNumberOf numberOf_;
  std::map<std::string, std::string> bytes_;  // Key(line) -> bytes
  std::map<std::string, std::string> lines_;  // Key(line) -> line as added
};

// The stick's list as the jukebox reads it from the vod folder.
struct StickList {
  std::filesystem::path file;      // empty when there is none
  std::vector<std::string> lines;  // its song lines, without blank ones
  std::vector<int> lineNumbers;    // 1-based, in the file, one per song line
  // Breaches seen while finding it (two lists side by side).
  std::vector<std::string> problems;
};
StickList ListOf(const std::filesystem::path& vodFolder, const SongNumberOf& numberOf);

// The folders named "vod" in any case below the stick's root, sorted.
std::vector<std::filesystem::path> VodFolders(const std::filesystem::path& stickRoot);

// Every breach of the invariant in vodFolder, each a readable sentence
// (which line, which .dat, what is wrong); none when it holds. keptLines:
// the song lines the list held before a run that kept them (empty for a
// run that replaced them).
std::vector<std::string> CheckStick(const std::filesystem::path& vodFolder, const StickSongs& songs,
                                    const std::vector<std::string>& keptLines);

// The GBK text shown readably (UTF-8), its bytes outside GBK as \xNN.
std::string Shown(const std::string& gbk);
