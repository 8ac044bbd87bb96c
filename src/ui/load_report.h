// SPDX-License-Identifier: GPL-3.0-or-later
// What the owner is told of a vod.txt a load could not wholly read, and the
// question whether to go on: the same at start-up ("打开vod.txt文档") and
// when a run keeps the songs already on its target.
#pragma once

#include <functional>
#include <string>

#include "model/uclsSong.h"
#include "ui/views.h"

// The lines of the list's last load that were not taken (list.FLoaded), the
// first few with their numbers and why, one per line (GBK).
std::string UnreadReport(const TBaseSong& list);

// Whether the owner goes on with the list's last load of file: asked only
// when lines were left unread (going on keeps them, as the file held them,
// at the end of the new vod.txt: list.FKeptLines). A GBK list behind a
// byte-order mark is told with a warning box.
bool AcceptLoad(TBaseSong& list, const std::string& file,
                const std::function<int(const TQuestion&)>& ask,
                const std::function<void(const std::string&, const std::string&, int)>& box);
