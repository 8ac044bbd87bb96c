// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's instructions (the README's Chinese section "使用说明"), built
// into the program so that F1 shows them without a network or a file
// beside the program.
#pragma once

#include <string>

// The section as Markdown, UTF-8, its heading included, its pictures left
// out.
const std::string& OwnerHelpMarkdown();

// The same as plain text, for a window that shows no Markdown: headings
// without their '#', no "**" and no '`'.
std::string OwnerHelpText();
