// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows of the stick: where it is, how many songs its
// list holds, its free space and the number the next new song gets. Made by
// looking at its vod folder, which writes nothing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/env.h"
#include "run/target_dir.h"
#include "ui/views.h"

struct TStickLook {
  TStickView view;  // its text as StickTextOf gives it
  bool usb = false;
  int highest = -1;             // the highest song number (0-9999) the list names; -1 none
  int unlisted = 0;             // song files no line of the list names
  std::uint64_t listPrint = 0;  // the list's fingerprint (TVodText::print); 0 without one
};

// The look of a vod folder already inspected: there is what it holds,
// freeBytes its room (-1 unknown). usb: it is the USB disk's, shown as where.
// The next number is the one after the highest.
TStickLook DescribeStick(bool usb, const std::string& where, const TTargetDir::TContents& there,
                         std::int64_t freeBytes, const TTargetDir::TSongNoOf& songNoOf);

// The strip's line for the look as it is now (view.nextNumber may have been
// moved on since DescribeStick).
std::string StickTextOf(const TStickLook& look);

// Looks at the vod folder vod (of the stick shown as where): inspects it and
// describes it. A folder that cannot be read, or that another run holds, is
// a look with trouble set and the reason in its text; never throws for what
// a stick can do.
TStickLook LookAtStick(platform::Env& env, bool usb, const std::string& where,
                       const std::string& vod, const TTargetDir::TSongNoOf& songNoOf);

// The four digits of a song number 0-9999 ("0030").
std::string FourDigits(int number);
