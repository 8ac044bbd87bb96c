// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/run.h"

#include <algorithm>
#include <set>

#include "platform/env.h"
#include "run/copy.h"
#include "run/errors.h"
#include "run/list_copies.h"
#include "run/list_file.h"
#include "run/messages.h"
#include "run/read_back.h"
#include "run/replacing_file.h"
#include "run/stick_list.h"
#include "run/vod_text.h"
#include "text/uPublic.h"

namespace {

// The numbers of the songs the run copies (TRunSong::Copies).
std::set<std::string> NumbersCopied(const TRunPlan& plan) {
  std::set<std::string> numbers;
  for (const TRunSong& song : plan.songs) {
    if (song.Copies()) numbers.insert(song.number);
  }
  return numbers;
}

// The numbers of plan.remove whose .dat the run removes: those the target
// holds a song file of (a regular file named 66NNNN.dat, Contents().dats),
// which no song of the plan has and no kept line names.
std::set<std::string> NumbersRemoved(const TRunPlan& plan, const TTargetDir& target,
                                     const TTargetDir::TSongNoOf& songNoOf) {
  std::set<std::string> listed;
  for (const TRunSong& song : plan.songs) listed.insert(song.number);
  std::string kept;
  for (const std::string& line : plan.keptLines) kept += line + "\r\n";
  const TVodText keptText = DecodeVodText(kept);
  for (std::size_t i = 0; i < keptText.lines.size(); ++i) {
    listed.insert(SongNumberOfLine(keptText, i, songNoOf));
  }
  std::set<std::string> numbers;
  for (const std::string& number : plan.remove) {
    if (listed.count(number) == 0 && target.Contents().dats.count(number) != 0) {
      numbers.insert(number);
    }
  }
  return numbers;
}

// The numbers whose lines the old list loses before the copies: the songs
// copied and the files removed.
std::set<std::string> NumbersTakenOut(const TRunPlan& plan, const std::set<std::string>& removed) {
  std::set<std::string> numbers = NumbersCopied(plan);
  numbers.insert(removed.begin(), removed.end());
  return numbers;
}

// One run: the plan, the target, and what happened so far.
class TRun {
 public:
  TRun(platform::Env& env, TTargetDir& target, const TRunPlan& plan, IRunObserver& observer,
       const TTargetDir::TSongNoOf& songNoOf)
      : env_(env),
        target_(target),
        plan_(plan),
        observer_(observer),
        songNoOf_(songNoOf),
        removing_(NumbersRemoved(plan, target, songNoOf)),
        listThere_(target.Contents().listBytes) {}

  TRunOutcome Run();

 private:
  void CheckRefusals(const platform::VolumeRoom& room);
  void KeepListCopy();
  void TakeOutOfList(platform::Folder& folder);
  // Removes the files of removing_ through the held folder and flushes it;
  // a file that cannot be removed is told (notRemoved), not a stop.
  void RemoveFiles(platform::Folder& folder);
  // The list's bytes: the lines of the songs listable (all when null), the
  // kept lines, and after a stop the old lines whose .dat no new song
  // touched.
  std::string ListBytes(const std::vector<bool>* listable) const;
  void WriteList(platform::Folder& folder, const std::string& bytes);
  // After a stop: the list := the songs complete (and read back right)
  // there, when that changes it. Never throws.
  void SaveCompleteSongs(platform::Folder& folder);
  // A stop the owner or a file error caused, as the outcome tells it.
  void Stopped(const std::exception& error);

  platform::Env& env_;
  TTargetDir& target_;
  const TRunPlan& plan_;
  IRunObserver& observer_;
  const TTargetDir::TSongNoOf& songNoOf_;
  TRunOutcome outcome_;
  std::vector<TWrittenFile> written_;
  // The numbers whose .dat the run removes (NumbersRemoved).
  const std::set<std::string> removing_;
  // The list's bytes on the target now.
  std::string listThere_;
  // The old list's lines the run took out before copying whose files stay
  // (number, line).
  std::vector<std::pair<std::string, std::string>> takenOut_;
};

// The order of a run on the target. Whatever moment the program dies or the
// stick is pulled, also on FAT, whose rename removes the old name before it
// writes the new one, every line of the stick's list (its vod.txt, or where
// that is missing or empty the whole vod.txt.part a stopped run left) names
// a .dat that holds that line's song, and the songs a run keeps stay listed:
//  1. Look at the target (TTargetDir::Inspect, before the run): nothing is
//     written. A list that is missing, empty or unreadable beside a whole
//     vod.txt.part: the part is the list.
//  2. Check the room, the file entries and the largest file; a refusal
//     writes nothing.
//  3. Keep a copy of the list on this computer.
//  4. Make the folder; a part taken for the list goes in its place; other
//     temporary files go.
//  5. Where a new song takes the number of a song the list names, or the
//     run removes a song's file, the list without those songs replaces it
//     first, flushed: no list names a .dat while a new song takes its place
//     or after it is gone.
//  6. Remove the files of the songs the owner let go, which no list names
//     now, and flush the folder; a file that stays is told, the run goes on.
//     Then copy each new song under a temporary name, flush it, rename it to
//     its 66NNNN.dat, which no list names now. A song whose .dat holds its
//     video already (the file of a run that did not end) is not copied.
//  7. Read every new .dat back from the device and compare it.
//  8. Write the new list under a temporary name, flush it, read it back,
//     rename it over the list, read it back once more.
// A copy that stops at 6 (an error, a cancel) reads back what is complete
// and ends at 8 with the songs complete and read back right; the songs whose
// files it removed are not listed again. Bytes that come back other than
// written, or a stick that cannot be read, end the run at 7: the list is not
// replaced.
TRunOutcome TRun::Run() {
  using TEnd = TRunOutcome::TEnd;
  const std::string& shown = target_.Path();
  try {
    // 2. The room of the target's volume, all of it checked before anything
    // is made there.
    const platform::VolumeRoom room = target_.Room();
    CheckRefusals(room);
    const std::int64_t need = RoomNeeded(env_, target_, plan_, room.blockSize, songNoOf_);
    if (room.freeBytes < need) {
      outcome_.end = TEnd::kLowSpace;
      outcome_.drive = env_.VolumeOf(shown);
      if (outcome_.drive.empty()) outcome_.drive = shown;
      outcome_.need = FormatDiskSize(need);
      outcome_.free = FormatDiskSize(room.freeBytes);
      return outcome_;
    }
    KeepListCopy();  // 3
  } catch (const TUserError& refused) {
    outcome_.end = TEnd::kRefused;
    outcome_.message = msg::TextOf(refused);
    return outcome_;
  }

  bool stopped = false;
  try {
    platform::Folder& folder = target_.Make();  // 4
    TakeOutOfList(folder);                      // 5
    RemoveFiles(folder);                        // 6
    try {
      CopySongs(env_, target_, shown, plan_.songs, observer_, outcome_, written_);  // 6
    } catch (const std::exception& error) {
      stopped = true;
      Stopped(error);
    }
    if (plan_.verify) ReadBack(folder, shown, plan_.songs, written_, observer_, outcome_);  // 7
    if (!outcome_.differ.empty()) {
      outcome_.end = TEnd::kDiffers;
      outcome_.message = msg::ReadBackDiffers(outcome_.differ, outcome_.listShortened);
      return outcome_;
    }
    if (!outcome_.unreadable.empty()) {
      if (stopped) return outcome_;  // the copy's error says what happened
      outcome_.end = TEnd::kUnreadable;
      outcome_.message =
          msg::ReadBackUnreadable(outcome_.readError, outcome_.verified, outcome_.unreadable);
      return outcome_;
    }
    if (stopped || !outcome_.unchecked.empty()) {
      if (!stopped) {
        outcome_.end = TEnd::kStopped;
        outcome_.cancelled = outcome_.checking = true;
        outcome_.message = msg::CopyCancelled();
      }
      SaveCompleteSongs(folder);
      return outcome_;
    }
    WriteList(folder, ListBytes(nullptr));  // 8
    // Written into a folder whose disk went away is not written.
    target_.CheckStillThere();
  } catch (const TReadBackFailed& failed) {
    outcome_.end = failed.differ ? TEnd::kDiffers : TEnd::kUnreadable;
    outcome_.message = msg::TextOf(failed);
  } catch (const TTargetRefused& refused) {
    outcome_.end = TEnd::kRefused;
    outcome_.message = msg::TextOf(refused);
  } catch (const std::exception& error) {
    Stopped(error);
  }
  return outcome_;
}

void TRun::Stopped(const std::exception& error) {
  outcome_.end = TRunOutcome::TEnd::kStopped;
  outcome_.cancelled = dynamic_cast<const TCopyCancelled*>(&error) != nullptr;
  outcome_.message = msg::TextOf(error);
}

void TRun::CheckRefusals(const platform::VolumeRoom& room) {
  const TTargetDir::TContents& there = target_.Contents();
  // Songs read back from a list have no video file: they keep the .dat the
  // target holds, and a run that lacks one stops before anything is written.
  if (const TRunSong* lacking = SongWithoutItsFile(target_, plan_.songs)) {
    throw TTargetRefused(msg::NoVideoFile(lacking->number, lacking->title));
  }
  // File entries: one per song's new .dat, the list, the temporary file of
  // the copy or the list under way, and the vod folder itself when it is to
  // be made.
  if (room.freeEntries >= 0) {
    std::int64_t needed = 1;
    if (target_.MissingFolder()) needed += 1;
    if (!there.hasVodTxt) needed += 1;
    for (const TRunSong& song : plan_.songs) {
      if (song.Copies() && there.dats.count(song.number) == 0) ++needed;
    }
    if (needed > room.freeEntries) {
      throw TTargetRefused(msg::TooFewEntries(needed, room.freeEntries));
    }
  }
  if (room.largestFile >= 0) {
    for (const TRunSong& song : plan_.songs) {
      const std::int64_t size = song.Copies() ? env_.FileSize(song.video) : -1;
      if (size > room.largestFile) {
        throw TTargetRefused(
            msg::TooLargeForVolume(song.Label(), FormatDiskSize(room.largestFile + 1)));
      }
    }
  }
}

void TRun::KeepListCopy() {
  try {
    TListCopies(env_).KeepListOf(target_, songNoOf_);
  } catch (const std::exception& error) {
    throw TTargetRefused(msg::ListCopyFailed(msg::TextOf(error)));
  }
}

void TRun::TakeOutOfList(platform::Folder& folder) {
  const TTargetDir::TContents& there = target_.Contents();
  if (!there.hasVodTxt) return;
  const std::set<std::string> out = NumbersTakenOut(plan_, removing_);
  bool shortens = false;
  for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
    if (IsBlank(there.vod.lines[i])) continue;
    const std::string number = SongNumberOfLine(there.vod, i, songNoOf_);
    if (out.count(number) == 0) continue;
    shortens = true;
    if (removing_.count(number) != 0) continue;
    takenOut_.emplace_back(number, there.vod.FileLine(i));
    outcome_.listShortened = true;
  }
  if (!shortens) return;
  const std::string bytes = ListWithout(there.vod, out, songNoOf_);
  // Written whole and flushed (folder too) before a file it named goes.
  TReplacingFile::Write(folder, there.listName, bytes);
  listThere_ = bytes;
  outcome_.listsWritten.push_back(FingerprintOf(bytes));
}

void TRun::RemoveFiles(platform::Folder& folder) {
  for (const std::string& number : removing_) {
    const std::string& name = target_.Contents().dats.at(number).name;
    try {
      // Only a song's file: whatever took its name since the run looked (a
      // folder, a link) stays; a file gone meanwhile is skipped.
      const platform::FolderEntry now = folder.Stat(name);
      if (now.kind == platform::EntryKind::kNone) continue;
      if (now.kind != platform::EntryKind::kFile) {
        outcome_.notRemoved.push_back(number);
        continue;
      }
      folder.Remove(name);
      outcome_.removed.push_back(number);
      outcome_.removedBytes += now.size;
    } catch (const platform::FileError&) {
      outcome_.notRemoved.push_back(number);
    }
  }
  if (!outcome_.removed.empty()) folder.Sync();
}

std::string TRun::ListBytes(const std::vector<bool>* listable) const {
  TStringList lines;
  std::set<std::string> listed;
  for (std::size_t i = 0; i < plan_.lines.size(); ++i) {
    if (listable != nullptr && (i >= listable->size() || !(*listable)[i])) continue;
    lines.push_back(plan_.lines[i]);
    if (i < plan_.songs.size()) listed.insert(plan_.songs[i].number);
  }
  std::string bytes = plan_.encode(lines);
  for (const std::string& kept : plan_.keptLines) bytes += kept + "\r\n";
  if (listable == nullptr) return bytes;
  // After a stop, the old songs whose .dat no new song touched are still
  // there: those of a list being replaced, and those taken out before the
  // copy.
  std::set<std::string> touched;
  for (std::size_t i = 0; i < plan_.songs.size() && i < outcome_.placed.size(); ++i) {
    if (outcome_.placed[i]) touched.insert(plan_.songs[i].number);
  }
  auto relist = [&](const std::vector<std::pair<std::string, std::string>>& old) {
    for (const auto& [number, line] : old) {
      if (touched.count(number) != 0 || listed.count(number) != 0) continue;
      // Only a line whose .dat is still there: not one the run removed.
      if (!number.empty() && target_.Contents().dats.count(number) == 0) continue;
      if (removing_.count(number) != 0) continue;
      listed.insert(number);
      bytes += line + "\r\n";
    }
  };
  relist(plan_.replacedLines);
  relist(takenOut_);
  return bytes;
}

void TRun::WriteList(platform::Folder& folder, const std::string& bytes) {
  outcome_.listsWritten.push_back(FingerprintOf(bytes));
  WriteCheckedList(folder, target_.Contents().listName, bytes, plan_.verify, outcome_.vodWritten);
}

void TRun::SaveCompleteSongs(platform::Folder& folder) {
  std::vector<bool> listable = outcome_.complete;
  listable.resize(plan_.songs.size(), false);
  for (std::size_t i = 0; i < listable.size(); ++i) {
    if (plan_.verify && i < outcome_.checked.size()) {
      listable[i] = listable[i] && outcome_.checked[i];
    }
  }
  // Nothing on the target changed: the list still tells the truth.
  if (!outcome_.changed && !outcome_.listShortened) return;
  const std::string bytes = ListBytes(&listable);
  if (FingerprintOf(bytes) == FingerprintOf(listThere_)) return;
  try {
    WriteList(folder, bytes);
  } catch (const std::exception&) {
    // The stop is what the owner is told; vodWritten tells whether the list
    // was replaced.
  }
}

}  // namespace

int SongsCopied(const std::vector<TRunSong>& songs) {
  return static_cast<int>(std::count_if(songs.begin(), songs.end(),
                                        [](const TRunSong& song) { return song.Copies(); }));
}

TRunOutcome RunOnto(platform::Env& env, TTargetDir& target, const TRunPlan& plan,
                    IRunObserver& observer, const TTargetDir::TSongNoOf& songNoOf) {
  return TRun(env, target, plan, observer, songNoOf).Run();
}

std::int64_t RoomNeeded(platform::Env& env, const TTargetDir& target, const TRunPlan& plan,
                        std::int64_t unit, const TTargetDir::TSongNoOf& songNoOf) {
  const std::int64_t block = std::max<std::int64_t>(unit, 1);
  auto whole = [block](std::int64_t bytes) {
    return bytes <= 0 ? 0 : (bytes + block - 1) / block * block;
  };
  const TTargetDir::TContents& there = target.Contents();
  // The room in use beyond what the target holds now, step by step; the
  // fullest moment is what the run needs.
  std::int64_t used = 0;
  std::int64_t most = 0;
  auto add = [&](std::int64_t bytes) { most = std::max(most, used += whole(bytes)); };
  auto drop = [&](std::int64_t bytes) { used -= whole(bytes); };
  if (target.MissingFolder()) add(block);  // FAT gives a folder a cluster
  std::int64_t list = static_cast<std::int64_t>(there.listBytes.size());
  const std::set<std::string> removed = NumbersRemoved(plan, target, songNoOf);
  const std::string shortened = ListWithout(there.vod, NumbersTakenOut(plan, removed), songNoOf);
  if (there.hasVodTxt && shortened.size() != there.listBytes.size()) {
    add(static_cast<std::int64_t>(shortened.size()));
    drop(list);
    list = static_cast<std::int64_t>(shortened.size());
  }
  // Bytes the window counted or the target holds that the run does not
  // write anew: files removed, videos there already, files replaced.
  std::int64_t freed = 0;
  for (const std::string& number : removed) {
    const std::int64_t size = there.dats.at(number).size;
    drop(size);
    freed += size;
  }
  for (const TRunSong& song : plan.songs) {
    if (song.onTarget) freed += std::max<std::int64_t>(env.FileSize(song.video), 0);
    if (!song.Copies()) continue;
    add(env.FileSize(song.video));  // its temporary file, beside the old one
    const auto old = there.dats.find(song.number);
    if (old != there.dats.end()) {
      drop(old->second.size);
      freed += old->second.size;
    }
  }
  std::string listBytes = plan.encode(plan.lines);
  for (const std::string& kept : plan.keptLines) listBytes += kept + "\r\n";
  add(static_cast<std::int64_t>(listBytes.size()));
  drop(list);
  return std::max(most, plan.needSize - freed);
}
