// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal.h"

#include "text/gbk.h"

namespace cli {

std::string ForTerminal(std::string_view gbkText) {
  return gbk::ToUtf8(gbk::Printable(gbkText));
}

}  // namespace cli
