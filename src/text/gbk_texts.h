// SPDX-License-Identifier: GPL-3.0-or-later
// Defines a function that gives one of the program's texts in GBK, turned
// from its readable UTF-8 literal once, at the first call:
//   ADDSONGS_TEXT(DoneText, u8"用户加歌完成")  ->  const std::string& DoneText();
#pragma once

#include <string>

#include "text/gbk.h"

#define ADDSONGS_TEXT(name, utf8)              \
  const std::string& name() {                  \
    static const std::string text = Gbk(utf8); \
    return text;                               \
  }
