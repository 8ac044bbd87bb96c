// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/tables.h"

#include "model/uclsSong.h"
#include "text/gbk.h"

void AddStandardLanguages(TBaseSong& list) {
  const char8_t* names[] = {u8"国语", u8"英语", u8"粤语", u8"闽南语", u8"日语", u8"韩语", u8"其他"};
  for (int i = 0; i < 7; ++i) list.Table(TTableId::kLanguages).Add(i + 1, Gbk(names[i]));
}

void AddVcdAudioTracks(TBaseSong& list) {
  list.Table(TTableId::kAudioTracks).Add(2, Gbk(u8"VCD伴唱"));
  list.Table(TTableId::kAudioTracks).Add(3, Gbk(u8"VCD原唱"));
}

void AddDvdAudioTracks(TBaseSong& list) {
  for (int code : {12, 21, 23, 32})
    list.Table(TTableId::kAudioTracks).Add(code, "DVD(" + std::to_string(code) + ")");
}

void AddRows(TBmTable& table, std::int32_t firstCode, std::initializer_list<const char8_t*> names) {
  std::int32_t code = firstCode;
  for (const char8_t* name : names) table.Add(code++, Gbk(name));
}
