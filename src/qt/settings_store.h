// SPDX-License-Identifier: GPL-3.0-or-later
// The forms' settings store (ui/settings.h) on QSettings: a setting of
// section s and name n is the key "s/n" of the application's QSettings, as
// the program has always kept it; flags are stored as booleans.
#pragma once

#include "ui/settings.h"

namespace qtui {

class QtSettingsStore final : public ISettingsStore {
 public:
  std::optional<std::string> Text(const std::string& section,
                                  const std::string& name) const override;
  std::optional<bool> Flag(const std::string& section, const std::string& name) const override;
  void SetText(const std::string& section, const std::string& name,
               const std::string& text) override;
  void SetFlag(const std::string& section, const std::string& name, bool on) override;
};

}  // namespace qtui
