// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/stick_invariant.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "text/gbk.h"
#include "text/uPublic.h"

namespace fs = std::filesystem;

namespace {

std::string NameOf(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool IsBlankLine(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// The regular files of the folder whose names are name in any ASCII case.
std::vector<fs::path> FilesNamed(const fs::path& folder, const std::string& name) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_regular_file(ec) && LowerAscii(NameOf(entry.path())) == LowerAscii(name)) {
      found.push_back(entry.path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

struct Text {
  std::vector<std::string> lines;  // every line, blank ones too
  bool endsWithBreak = false;
};

Text LinesOf(std::string bytes) {
  Text text;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  text.endsWithBreak = !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    text.lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) text.lines.push_back(line);
  return text;
}

// The list's song lines with their places in the file.
StickList SongLines(const fs::path& file, const Text& text) {
  StickList list;
  list.file = file;
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    if (IsBlankLine(text.lines[i])) continue;
    list.lines.push_back(text.lines[i]);
    list.lineNumbers.push_back(static_cast<int>(i) + 1);
  }
  return list;
}

// A .part left by a run is the list when it is whole: it ends with a line
// break and every song it lists has its .dat there.
bool IsCompletePart(const fs::path& vodFolder, const Text& text, const SongNumberOf& numberOf) {
  if (!text.endsWithBreak) return false;
  for (const std::string& line : text.lines) {
    if (IsBlankLine(line)) continue;
    const std::string number = numberOf(line);
    if (number.empty() || FilesNamed(vodFolder, number + ".dat").empty()) return false;
  }
  return true;
}

std::string Quoted(const std::string& gbk) {
  return "\"" + Shown(gbk) + "\"";
}

}  // namespace

std::string Shown(const std::string& gbk) {
  if (auto utf8 = gbk::TryToUtf8(gbk)) return *utf8;
  std::string shown;
  for (const char c : gbk) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      shown += c;
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    }
  }
  return shown;
}

// ---- The table of songs ----

std::string StickSongs::Key(const std::string& line) const {
  const std::string number = numberOf_(line);
  if (number.empty()) return line;
  // The field that is the number, else its first place in the line.
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(';', start);
    if (end == std::string::npos) end = line.size();
    if (line.compare(start, end - start, number) == 0) {
      return line.substr(0, start) + "#" + line.substr(end);
    }
    start = end + 1;
  }
  const std::size_t at = line.find(number);
  return at == std::string::npos ? line
                                 : line.substr(0, at) + "#" + line.substr(at + number.size());
}

void StickSongs::Add(const std::string& line, std::string bytes) {
  const std::string key = Key(line);
  bytes_[key] = std::move(bytes);
  lines_[key] = line;
}

void StickSongs::AddFromStick(const fs::path& vodFolder) {
  const StickList list = ListOf(vodFolder, numberOf_);
  for (const std::string& line : list.lines) {
    const std::string number = numberOf_(line);
    const auto dats = FilesNamed(vodFolder, number + ".dat");
    if (number.empty() || dats.empty()) {
      throw std::runtime_error("the song " + Shown(line) + " of " + list.file.string() +
                               " has no .dat");
    }
    Add(line, ReadAll(dats.front()));
  }
}

const std::string* StickSongs::BytesOf(const std::string& line) const {
  const auto found = bytes_.find(Key(line));
  return found == bytes_.end() ? nullptr : &found->second;
}

std::string StickSongs::LineHolding(const std::string& bytes) const {
  for (const auto& [key, songBytes] : bytes_) {
    if (songBytes == bytes) return lines_.at(key);
  }
  return "";
}

// ---- The list and the check ----

StickList ListOf(const fs::path& vodFolder, const SongNumberOf& numberOf) {
  std::vector<std::string> problems;
  const auto lists = FilesNamed(vodFolder, "vod.txt");
  if (lists.size() > 1) {
    std::string names;
    for (const auto& file : lists) names += " " + NameOf(file);
    problems.push_back("the vod folder holds " + std::to_string(lists.size()) +
                       " lists side by side:" + names);
  }
  StickList list;
  if (!lists.empty()) list = SongLines(lists.front(), LinesOf(ReadAll(lists.front())));
  if (list.lines.empty()) {
    for (const auto& part : FilesNamed(vodFolder, "vod.txt.part")) {
      const Text text = LinesOf(ReadAll(part));
      if (IsCompletePart(vodFolder, text, numberOf)) {
        list = SongLines(part, text);
        break;
      }
    }
  }
  list.problems = std::move(problems);
  return list;
}

std::vector<fs::path> VodFolders(const fs::path& stickRoot) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(stickRoot, ec)) {
    if (entry.is_directory(ec) && LowerAscii(NameOf(entry.path())) == "vod") found.push_back(entry);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> CheckStick(const fs::path& vodFolder, const StickSongs& songs,
                                    const std::vector<std::string>& keptLines) {
  const StickList list = ListOf(vodFolder, songs.NumberOf());
  std::vector<std::string> breaches = list.problems;
  const std::string listName = list.file.empty() ? "the list" : NameOf(list.file);
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    const std::string& line = list.lines[i];
    const std::string where =
        listName + " line " + std::to_string(list.lineNumbers[i]) + " " + Quoted(line);
    const std::string number = songs.NumberOf()(line);
    if (number.empty()) {
      breaches.push_back(where + " names no song number");
      continue;
    }
    const auto dats = FilesNamed(vodFolder, number + ".dat");
    if (dats.empty()) {
      breaches.push_back(where + " names " + number + ".dat, which is not on the stick");
      continue;
    }
    if (dats.size() > 1) {
      breaches.push_back(where + " names " + number + ".dat, which is there " +
                         std::to_string(dats.size()) + " times in different cases");
    }
    const std::string* expected = songs.BytesOf(line);
    if (expected == nullptr) {
      breaches.push_back(where + " is no song a run onto this stick may list");
      continue;
    }
    const std::string bytes = ReadAll(dats.front());
    if (bytes == *expected) continue;
    std::string what = where + ": " + NameOf(dats.front()) +
                       " holds other bytes than the song's (" + std::to_string(bytes.size()) +
                       " bytes, the song " + std::to_string(expected->size()) + ")";
    const std::string other = songs.LineHolding(bytes);
    if (!other.empty()) {
      what += ": they are the video of " + Quoted(other);
    } else if (bytes.size() < expected->size() && expected->compare(0, bytes.size(), bytes) == 0) {
      what += ": only its first " + std::to_string(bytes.size()) + " bytes";
    }
    breaches.push_back(what);
  }
  for (const std::string& kept : keptLines) {
    if (IsBlankLine(kept)) continue;
    if (std::find(list.lines.begin(), list.lines.end(), kept) == list.lines.end()) {
      breaches.push_back("the kept song " + Quoted(kept) + " is no longer listed" +
                         (list.file.empty() ? " (the stick has no list)" : " in " + listName));
    }
  }
  return breaches;
}
