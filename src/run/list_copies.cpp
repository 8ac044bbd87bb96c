// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/list_copies.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "run/checksum.h"
#include "run/replacing_file.h"
#include "run/stick_list.h"
#include "run/vod_text.h"
#include "text/uPublic.h"

namespace {
constexpr std::string_view kListSuffix = ".txt";
constexpr std::string_view kFactsSuffix = ".files";

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// The folder at path held open, made first with every missing parent, each
// through the folder above it.
std::unique_ptr<platform::Folder> OpenMadeFolder(platform::Env& env, std::string path) {
  auto isRoot = [](const std::string& p) {
    return (p.size() == 1 && IsSeparator(p[0])) ||
           (p.size() == 3 && p[1] == ':' && IsSeparator(p[2]));
  };
  while (path.size() > 1 && IsSeparator(path.back()) && !isRoot(path)) path.pop_back();
  std::vector<std::string> missing;
  while (!path.empty() && !isRoot(path) && !env.DirExists(path)) {
    missing.insert(missing.begin(), ExtractName(path));
    path = ExtractFolder(path);
    while (path.size() > 1 && IsSeparator(path.back()) && !isRoot(path)) path.pop_back();
  }
  std::unique_ptr<platform::Folder> folder = env.OpenFolder(path.empty() ? "." : path);
  for (const std::string& name : missing) folder = folder->OpenFolder(name, true);
  return folder;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// "20261209-153012" of a moment, in local time.
std::string IdOf(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  if (const std::tm* converted = std::localtime(&seconds)) local = *converted;
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

// "2026-12-09 15:30:12" of an id "20261209-153012" (and its "-2" of a
// second copy in the same second).
std::string WhenOf(const std::string& id) {
  if (id.size() < 15) return id;
  return id.substr(0, 4) + "-" + id.substr(4, 2) + "-" + id.substr(6, 2) + " " + id.substr(9, 2) +
         ":" + id.substr(11, 2) + ":" + id.substr(13, 2);
}

std::string FactsText(const std::string& where,
                      const std::map<std::string, TListCopies::TFileFacts>& files) {
  std::string text = "where\t" + where + "\n";
  for (const auto& [number, facts] : files) {
    text += number + "\t" + std::to_string(facts.size) + "\t" + Hex(facts.headSum) + "\n";
  }
  return text;
}

void ReadFacts(const std::string& text, TListCopies::TCopy& copy) {
  for (const std::string& line : SplitTextLines(text)) {
    TStringList fields;
    SplitString(line, '\t', fields);
    if (fields.size() == 2 && fields[0] == "where") {
      copy.where = fields[1];
    } else if (fields.size() == 3) {
      TListCopies::TFileFacts facts;
      try {
        facts.size = std::stoll(fields[1]);
        facts.headSum = std::stoull(fields[2], nullptr, 16);
      } catch (const std::exception&) {
        continue;  // a line spoilt by hand: that file is not known
      }
      copy.files[fields[0]] = facts;
    }
  }
}

std::string ReadSmallFile(platform::Folder& folder, const std::string& name) {
  const platform::FolderEntry entry = folder.Stat(name);
  if (entry.kind != platform::EntryKind::kFile) return "";
  auto file = folder.OpenForRead(name);
  return platform::ReadWhole(*file, entry.size, folder.Path() + name);
}
}  // namespace

TListCopies::TListCopies(platform::Env& env) : env_(env) {}

TListCopies::TFileFacts TListCopies::FactsOf(platform::Folder& folder, const std::string& name) {
  TFileFacts facts;
  try {
    const platform::FolderEntry entry = folder.Stat(name);
    if (entry.kind != platform::EntryKind::kFile) return facts;
    auto file = folder.OpenForRead(name);
    std::string head(kHeadBytes, '\0');
    std::size_t got = 0;
    while (got < head.size()) {
      const std::size_t n = file->Read(head.data() + got, head.size() - got);
      if (n == 0) break;
      got += n;
    }
    head.resize(got);
    facts.size = entry.size;
    facts.headSum = TChecksum::Of(head);
  } catch (const std::exception&) {
    facts = {};
  }
  return facts;
}

std::string TListCopies::StickKey(const std::string& volume, const std::string& path,
                                  const std::string& root) {
  const std::string lower = LowerAscii(path);
  if (volume.empty()) return "folder-" + Hex(FingerprintOf(lower));
  std::string within = lower;
  if (!root.empty() && lower.rfind(LowerAscii(root), 0) == 0) within = lower.substr(root.size());
  for (char& c : within) {
    if (c == '\\') c = '/';
  }
  return "volume-" + volume + "-" + Hex(FingerprintOf(within));
}

void TListCopies::Keep(const std::string& stick, const std::string& where, std::string_view bytes,
                       const std::map<std::string, TFileFacts>& files,
                       std::chrono::system_clock::time_point now) {
  const std::string dataDir = env_.DataDir();
  if (dataDir.empty()) {
    throw platform::FileError(ENOENT, "no folder for the program's data on this computer");
  }
  const char separator = env_.PathSeparator();
  auto folder = OpenMadeFolder(env_, dataDir + "list-copies" + separator + stick);
  const std::vector<TCopy> kept = Copies(stick);
  if (!kept.empty() && kept.front().bytes == bytes) return;

  std::string id = IdOf(now);
  for (int n = 2; std::any_of(kept.begin(), kept.end(), [&](const TCopy& c) { return c.id == id; });
       ++n) {
    id = IdOf(now) + "-" + std::to_string(n);
  }
  // The facts first: a list without them could not be put back safely.
  TReplacingFile::Write(*folder, id + std::string(kFactsSuffix), FactsText(where, files));
  TReplacingFile::Write(*folder, id + std::string(kListSuffix), bytes);

  // The newest kPerStick stay, this one among them.
  std::vector<std::string> ids{id};
  for (const TCopy& copy : kept) ids.push_back(copy.id);
  std::sort(ids.begin(), ids.end(), std::greater<>());
  for (std::size_t i = kPerStick; i < ids.size(); ++i) {
    folder->Remove(ids[i] + std::string(kListSuffix));
    folder->Remove(ids[i] + std::string(kFactsSuffix));
  }
}

std::vector<TListCopies::TCopy> TListCopies::Copies(const std::string& stick) {
  std::vector<TCopy> copies;
  const std::string dataDir = env_.DataDir();
  const char separator = env_.PathSeparator();
  const std::string path = dataDir + "list-copies" + separator + stick;
  if (dataDir.empty() || !env_.DirExists(path)) return copies;
  try {
    auto folder = env_.OpenFolder(path);
    for (const platform::FolderEntry& entry : folder->List()) {
      if (entry.kind != platform::EntryKind::kFile || !entry.name.ends_with(kListSuffix)) continue;
      TCopy copy;
      copy.id = entry.name.substr(0, entry.name.size() - kListSuffix.size());
      copy.when = WhenOf(copy.id);
      try {
        copy.bytes = ReadSmallFile(*folder, entry.name);
        ReadFacts(ReadSmallFile(*folder, copy.id + std::string(kFactsSuffix)), copy);
      } catch (const std::exception&) {
        continue;  // a copy that cannot be read is none
      }
      copies.push_back(std::move(copy));
    }
  } catch (const std::exception&) {
    return {};
  }
  std::sort(copies.begin(), copies.end(),
            [](const TCopy& a, const TCopy& b) { return a.id > b.id; });
  return copies;
}

std::string TListCopies::StickOf(TTargetDir& target) {
  return StickKey(target.VolumeId(), target.Path(), target.VolumeRoot());
}

void TListCopies::KeepListOf(TTargetDir& target, const TTargetDir::TSongNoOf& songNoOf) {
  const TTargetDir::TContents& there = target.Contents();
  if (!there.hasVodTxt || IsBlank(there.listBytes) || target.Held() == nullptr) return;
  // What its song files are now, so that it is never put back over files
  // that have since been given to other songs.
  std::map<std::string, TFileFacts> files;
  for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
    const std::string number = SongNumberOfLine(there.vod, i, songNoOf);
    const auto dat = there.dats.find(number);
    if (dat != there.dats.end()) files[number] = FactsOf(*target.Held(), dat->second.name);
  }
  Keep(StickOf(target), target.Path(), there.listBytes, files);
}

TListCopies::TPutBack TListCopies::PutBack(const TCopy& copy, TTargetDir& target,
                                           const TTargetDir::TSongNoOf& songNoOf) {
  TPutBack back;
  const TVodText vod = DecodeVodText(copy.bytes);
  const auto& dats = target.Contents().dats;
  for (std::size_t i = 0; i < vod.lines.size(); ++i) {
    if (IsBlank(vod.lines[i])) continue;
    const std::string number = SongNumberOfLine(vod, i, songNoOf);
    if (!number.empty()) {
      const auto was = copy.files.find(number);
      const auto dat = dats.find(number);
      const bool same = was != copy.files.end() && dat != dats.end() && target.Held() != nullptr &&
                        FactsOf(*target.Held(), dat->second.name) == was->second;
      if (!same) {
        back.leftOut.push_back(vod.lines[i]);
        continue;
      }
      ++back.songs;
    }
    back.bytes += vod.FileLine(i) + "\r\n";
  }
  if (vod.utf8 && !back.bytes.empty()) back.bytes = "\xEF\xBB\xBF" + back.bytes;
  return back;
}
