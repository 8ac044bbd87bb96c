// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a song's file on the target already holds its video: the file a
// run that did not end left there, which a run started again need not copy.
#pragma once

#include <string>

#include "platform/env.h"
#include "run/target_dir.h"

// Whether the target's .dat of number (Contents().dats, read through the
// folder held since Inspect, from the device) holds the same bytes as the
// file at video (read through env): the same size, and the same checksum
// of the whole of both, read only when the sizes are equal. False when
// either cannot be read; never throws for what a file or a stick does.
bool SameSongFile(platform::Env& env, const TTargetDir& target, const std::string& number,
                  const std::string& video);
