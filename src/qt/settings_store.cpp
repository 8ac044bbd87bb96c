// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/settings_store.h"

#include <QSettings>

namespace qtui {
namespace {
QString Key(const std::string& section, const std::string& name) {
  return QString::fromStdString(section + "/" + name);
}
}  // namespace

std::optional<std::string> QtSettingsStore::Text(const std::string& section,
                                                 const std::string& name) const {
  const QSettings settings;
  const QVariant value = settings.value(Key(section, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

std::optional<bool> QtSettingsStore::Flag(const std::string& section,
                                          const std::string& name) const {
  const QSettings settings;
  const QVariant value = settings.value(Key(section, name));
  if (!value.isValid()) return std::nullopt;
  return value.toBool();
}

void QtSettingsStore::SetText(const std::string& section, const std::string& name,
                              const std::string& text) {
  QSettings().setValue(Key(section, name), QString::fromStdString(text));
}

void QtSettingsStore::SetFlag(const std::string& section, const std::string& name, bool on) {
  QSettings().setValue(Key(section, name), on);
}

}  // namespace qtui
