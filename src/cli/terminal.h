// SPDX-License-Identifier: GPL-3.0-or-later
// Text for the terminal, which reads UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// GBK text of the core as UTF-8; bytes that are not GBK appear as \xNN, so
// that any line of a file or any error text can be printed.
std::string ForTerminal(std::string_view gbkText);

}  // namespace cli
