// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/stick_view.h"

#include <algorithm>
#include <set>

#include "model/messages.h"
#include "run/stick_list.h"
#include "text/uPublic.h"
#include "ui/ui_texts.h"

std::string FourDigits(int number) {
  std::string text = std::to_string(((number % 10000) + 10000) % 10000);
  return std::string(4 - text.size(), '0') + text;
}

TStickLook DescribeStick(bool usb, const std::string& where, const TTargetDir::TContents& there,
                         std::int64_t freeBytes, const TTargetDir::TSongNoOf& songNoOf) {
  TStickLook look;
  look.view.found = true;
  look.view.where = where;
  look.view.freeBytes = freeBytes;
  std::set<std::string> listed;
  if (there.hasVodTxt) {
    look.listPrint = there.vod.print;
    for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
      if (IsBlank(there.vod.lines[i])) continue;
      const std::string number = SongNumberOfLine(there.vod, i, songNoOf);
      if (number.size() != 6) continue;
      ++look.view.songs;
      listed.insert(number);
      look.highest = std::max(look.highest, StrToInt(number.substr(2)));
    }
  }
  look.usb = usb;
  for (const std::string& number : there.datNumbers) {
    if (listed.count(number) == 0) ++look.unlisted;
  }
  look.view.nextNumber = FourDigits(look.highest + 1);
  look.view.text = StickTextOf(look);
  return look;
}

std::string StickTextOf(const TStickLook& look) {
  const TStickView& view = look.view;
  if (!view.found) return ui_text::NoStick();
  if (view.trouble) return view.text;
  return ui_text::StickLine(look.usb, view.where, view.songs,
                            view.freeBytes >= 0 ? FormatDiskSize(view.freeBytes) : "",
                            view.nextNumber, look.unlisted);
}

TStickLook LookAtStick(platform::Env& env, bool usb, const std::string& where,
                       const std::string& vod, const TTargetDir::TSongNoOf& songNoOf) {
  try {
    TTargetDir target(env, vod, songNoOf);
    target.Inspect();
    return DescribeStick(usb, where, target.Contents(), target.Room().freeBytes, songNoOf);
  } catch (const std::exception& error) {
    TStickLook look;
    look.usb = usb;
    look.view.found = true;
    look.view.trouble = true;
    look.view.where = where;
    look.view.text = ui_text::StickTrouble(usb, where, msg::TextOf(error));
    return look;
  }
}
