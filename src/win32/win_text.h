// SPDX-License-Identifier: GPL-3.0-or-later
// GBK text of the forms <-> the UTF-16 of the wide Win32 calls, through the
// program's own codec (never the system's code page), so that a title shows
// and is stored exactly as the jukebox will read it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w32ui {

// The GBK text as UTF-16; bytes that are not GBK show as \xNN.
std::wstring Wide(const std::string& gbk);

// The UTF-16 text as GBK, or nothing when a character has no GBK form.
std::optional<std::string> FromWide(std::wstring_view text);

// UTF-16 <-> UTF-8, for the names the forms refuse (they have no GBK form).
std::string Utf8(std::wstring_view text);
std::wstring WideOfUtf8(std::string_view utf8);

}  // namespace w32ui
