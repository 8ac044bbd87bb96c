// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a row's track choice agrees with the audio streams its video holds.
// A VCD track is a channel of the one stereo stream (伴唱 left, 原唱 right);
// a DVD track is a stream of its own: Tarvel's and Mirel's "DVD(23)" names
// streams 2 and 3 (from 1), Dovan's "DVD 1 轨" stream 1 (from 0). Nothing
// here guesses which channel or stream holds the voice.
#pragma once

#include <string>
#include <vector>

#include "media/probe.h"
#include "model/uclsSong.h"

// Why the track the cell names disagrees with the file's audio (GBK, for the
// cell's tip), "" when it agrees or names no track of the list's tables.
// dvd: the row's media type is DVD (Dovan), so the cell names a DVD track.
std::string TrackDoubt(const TBaseSong& list, bool dvd, const std::string& cell,
                       const std::vector<media::AudioStream>& audio);
