// SPDX-License-Identifier: GPL-3.0-or-later
// GBK text of the forms <-> QString, through the program's own codec, so that
// a title shows and is stored exactly as the jukebox will read it.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace qtui {

// The GBK text as a QString; bytes that are not GBK show as \xNN.
QString ToQt(const std::string& gbk);

// The QString as GBK, or nothing when a character has no GBK form.
std::optional<std::string> FromQt(const QString& text);

}  // namespace qtui
