// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_text.h"

#include "text/gbk.h"

namespace qtui {

QString ToQt(const std::string& gbk) {
  const std::u16string utf16 = gbk::ToUtf16(gbk::Printable(gbk));
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::optional<std::string> FromQt(const QString& text) {
  const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<std::size_t>(text.size()));
  return gbk::TryFromUtf16(utf16);
}

}  // namespace qtui
