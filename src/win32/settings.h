// What the desktop program remembers between runs (the last folders, the
// read-back setting), under the user's own registry key, where the Qt
// program's settings would sit on Windows: HKEY_CURRENT_USER\<key>.
#pragma once

#include <optional>
#include <string>

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

}  // namespace w32ui
