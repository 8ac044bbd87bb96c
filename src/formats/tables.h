// SPDX-License-Identifier: GPL-3.0-or-later
// Table rows that several product lines share.
#pragma once

#include <cstdint>
#include <initializer_list>

class TBaseSong;
class TBmTable;

// Appends one row per name, with the codes firstCode, firstCode+1, ... in
// order; the names are UTF-8 literals turned into GBK.
void AddRows(TBmTable& table, std::int32_t firstCode, std::initializer_list<const char8_t*> names);

// Languages of every product line: 1 国语, 2 英语, 3 粤语, 4 闽南语, 5 日语, 6 韩语, 7 其他.
void AddStandardLanguages(TBaseSong& list);
// Audio tracks of every product line: 2 VCD伴唱, 3 VCD原唱.
void AddVcdAudioTracks(TBaseSong& list);
// The DVD audio tracks Tarvel and Mirel add after those: 12, 21, 23, 32.
void AddDvdAudioTracks(TBaseSong& list);
