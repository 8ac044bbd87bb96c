// SPDX-License-Identifier: GPL-3.0-or-later
// The check step of a run: every file the copy wrote is read back from the
// device and compared with what was meant to be there, before the list
// names it. A disk that acknowledged writes it threw away (a counterfeit
// stick), or a failing one, is caught here instead of at the jukebox.
#pragma once

#include <string>
#include <vector>

#include "platform/env.h"
#include "run/copy.h"
#include "run/run.h"

// Reads back each file of written from folder (shownDir is its path for the
// observer), telling observer of each and of its pieces. outcome.checked
// marks the songs read back right (and those the run does not copy, of
// count songs); verified, differ and unreadable name the songs, readError
// the first error; a cancel (observer) leaves the rest in unchecked. Never
// throws for what the stick does.
void ReadBack(platform::Folder& folder, const std::string& shownDir,
              const std::vector<TRunSong>& songs, const std::vector<TWrittenFile>& written,
              IRunObserver& observer, TRunOutcome& outcome);
