// Table rows that several product lines share.
#pragma once

class TBaseSong;

// Languages of every product line: 1 国语, 2 英语, 3 粤语, 4 闽南语, 5 日语, 6 韩语, 7 其他.
void AddStandardLanguages(TBaseSong& list);
// Audio tracks of every product line: 2 VCD伴唱, 3 VCD原唱.
void AddVcdAudioTracks(TBaseSong& list);
// The DVD audio tracks Tarvel and Mirel add after those: 12, 21, 23, 32.
void AddDvdAudioTracks(TBaseSong& list);
