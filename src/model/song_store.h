// SPDX-License-Identifier: GPL-3.0-or-later
// The part of a product line's song list that is the same for every line:
// the 100 record slots and the slot operations that only move records.
//
// A product line derives from TSongStore<its record type> and supplies what
// truly differs: its tables (in its constructor), the fields a line cannot do
// without, the text of one line, and its line parser. Record defaults are the
// record type's member initializers, so a reset is a fresh record per slot.
#pragma once

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/messages.h"
#include "model/uclsSong.h"

template <class TData>
class TSongStore : public TBaseSong {
 public:
  using Record = TData;
  using MandatoryList = std::span<std::string TData::*const>;

  TSongStore(std::uint8_t productLine, platform::Env* env) : TBaseSong(productLine, env) {
    InitSongs();
  }

  void ResetSongs() override { songs_.fill(TData{}); }

  // For songs 0..FCount-1: lets the message loop run, checks the mandatory
  // fields in their order, appends the song's line. Lines of earlier songs
  // stay in FLines when a later one is incomplete (TSongRefused naming the
  // song and its first blank field, with the text "加歌信息不完整,不能有空项")
  // or its line is refused (CheckLine). A song loaded and left unchanged
  // gets the line it came from, unjudged.
  int BuildLines() override {
    for (int i = 0; i < FCount; ++i) {
      PumpMessages();
      if (const std::string& unchanged = UnchangedLine(i); !unchanged.empty()) {
        AddLine(unchanged);
        continue;
      }
      const TData& song = songs_[static_cast<std::size_t>(i)];
      const std::vector<std::string> blank = BlankFields(song);
      if (!blank.empty()) throw TSongRefused(msg::Incomplete(), i, blank.front());
      std::string line = LineOf(song);
      CheckLine(line, i);
      AddLine(std::move(line));
    }
    return 0;
  }

  std::vector<std::string> BlankFields(const TBaseSongData& record) const override {
    std::vector<std::string> blank;
    const auto* song = dynamic_cast<const TData*>(&record);
    if (song == nullptr) return blank;
    for (auto field : MandatoryFields()) {
      if (IsBlank(song->*field)) blank.push_back(FieldName(field));
    }
    return blank;
  }

  // 6 for an empty line or a slot outside 0..99, else the line parser's verdict.
  std::uint8_t ParseLine(const std::string& line, int index) override {
    if (line.empty() || index < 0 || index >= kSongSlots) return 6;
    return ParseRecord(line, songs_[static_cast<std::size_t>(index)]);
  }

  void CopySongFiles(const std::string&, const std::string& targetDir,
                     const TFileCopyProc& onFileCopy) override {
    CopyIntoFolder(targetDir, onFileCopy);
  }

  std::string SongNoOf(const std::string& line) const override {
    TData scratch;
    return ParseRecord(line, scratch) == 0 ? scratch.SongNo : std::string();
  }

  // The slot at index. Throws std::out_of_range outside 0..99 instead of
  // touching memory that is not a slot.
  TBaseSongData* GetSong(int index) override { return &Slot(index); }

  // Copies the record into slot FCount. Throws std::invalid_argument for a
  // record of another product line and std::length_error when all 100 slots
  // are in use (a store of fixed size must not be written past its end).
  void AddSong(const TBaseSongData& record) override {
    const auto* own = dynamic_cast<const TData*>(&record);
    if (own == nullptr) throw std::invalid_argument("song record of another product line");
    if (FCount < 0 || FCount >= kSongSlots) throw std::length_error("all song slots are in use");
    songs_[static_cast<std::size_t>(FCount)] = *own;
    ++FCount;
  }

 protected:
  TData& Slot(int index) {
    if (index < 0 || index >= kSongSlots) throw std::out_of_range("song slot out of range");
    return songs_[static_cast<std::size_t>(index)];
  }
  const TData& Slot(int index) const { return const_cast<TSongStore*>(this)->Slot(index); }

  // The fields that must not be blank, in the order they are tested, and
  // the name of a field ("Singer").
  virtual MandatoryList MandatoryFields() const = 0;
  virtual std::string FieldName(std::string TData::*field) const = 0;
  // Refuses (TSongRefused) a song's line the jukebox would not read whole;
  // every line passes here.
  virtual void CheckLine(const std::string& /*line*/, int /*index*/) const {}
  // The vod.txt line of one complete song.
  virtual std::string LineOf(const TData& song) const = 0;
  // The product line's parser: 0 when the line is accepted into the record.
  virtual std::uint8_t ParseRecord(const std::string& line, TData& record) const = 0;

 private:
  std::array<TData, kSongSlots> songs_;
};
