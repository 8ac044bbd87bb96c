// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program remembers between runs (the last folders, the
// read-back setting), under the user's own registry key, where the Qt
// program's settings would sit on Windows: HKEY_CURRENT_USER\<key>.
#pragma once

#include <optional>
#include <string>

#include "ui/settings.h"

namespace w32ui {

// The program's key below HKEY_CURRENT_USER.
inline constexpr const wchar_t* kSettingsKey = L"Software\\addsongs\\addsongs";

class RegistrySettings {
 public:
  explicit RegistrySettings(std::wstring key) : key_(std::move(key)) {}
  // A value below the key's subkey ("folders", "songs"); nothing when unset.
  std::optional<std::wstring> Text(const wchar_t* group, const wchar_t* name) const;
  std::optional<unsigned long> Number(const wchar_t* group, const wchar_t* name) const;
  void SetText(const wchar_t* group, const wchar_t* name, const std::wstring& value);
  void SetNumber(const wchar_t* group, const wchar_t* name, unsigned long value);

 private:
  std::wstring key_;
};

// The forms' settings store (ui/settings.h) on the registry: a setting of
// section s and name n is the value n of the subkey s below the key, as the
// program has always kept it; texts are REG_SZ, flags a REG_DWORD 1 or 0.
class RegistryStore final : public ISettingsStore {
 public:
  explicit RegistryStore(std::wstring key) : settings_(std::move(key)) {}
  std::optional<std::string> Text(const std::string& section,
                                  const std::string& name) const override;
  std::optional<bool> Flag(const std::string& section, const std::string& name) const override;
  void SetText(const std::string& section, const std::string& name,
               const std::string& text) override;
  void SetFlag(const std::string& section, const std::string& name, bool on) override;

 private:
  RegistrySettings settings_;
};

}  // namespace w32ui
