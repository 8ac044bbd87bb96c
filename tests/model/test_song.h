// SPDX-License-Identifier: GPL-3.0-or-later
// A product line of its own for the tests of the shared song-list code: two
// mandatory fields, a line "name;extra", a parser that takes any line but "bad".
#pragma once

#include <array>
#include <string>

#include "model/song_store.h"

struct TestData : TBaseSongData {
  TestData() : TBaseSongData("9", "") {}
  std::string Extra = "x";
};

class TestSong : public TSongStore<TestData> {
 public:
  explicit TestSong(platform::Env* env = nullptr) : TSongStore(7, env) {}

 protected:
  MandatoryList MandatoryFields() const override {
    static const std::array<std::string TestData::*, 2> fields{&TestData::SongName,
                                                               &TestData::Extra};
    return fields;
  }
  std::string FieldName(std::string TestData::*field) const override {
    return field == &TestData::SongName ? "SongName" : "Extra";
  }
  std::string LineOf(const TestData& s) const override { return s.SongName + ";" + s.Extra; }
  std::uint8_t ParseRecord(const std::string& line, TestData& r) const override {
    if (line == "bad") return 6;
    r.SongName = line;
    return 0;
  }
};

inline TestData Song(const std::string& name, const std::string& extra = "e") {
  TestData d;
  d.SongName = name;
  d.Extra = extra;
  return d;
}
