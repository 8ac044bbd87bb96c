// SPDX-License-Identifier: GPL-3.0-or-later
// What the probe's verdicts mean for adding a file, whatever library probes.
#include "media/probe.h"

namespace media {

bool Refused(Verdict verdict) {
  return verdict != Verdict::kPlayable && verdict != Verdict::kOtherVideo;
}

}  // namespace media
