// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/settings.h"

#include "win32/win_api.h"
#include "win32/win_text.h"

namespace w32ui {
namespace {

// Reads one value of HKCU\key\group into buffer; its type, or 0 when unset.
DWORD Read(const std::wstring& key, const wchar_t* group, const wchar_t* name, void* buffer,
           DWORD& size) {
  const std::wstring path = key + L"\\" + group;
  DWORD type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type,
                   buffer, &size) != ERROR_SUCCESS) {
    return 0;
  }
  return type;
}

void Write(const std::wstring& key, const wchar_t* group, const wchar_t* name, DWORD type,
           const void* data, DWORD size) {
  const std::wstring path = key + L"\\" + group;
  HKEY hkey = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey,
                      nullptr) != ERROR_SUCCESS) {
    return;  // not remembered: the next start opens where the system says
  }
  RegSetValueExW(hkey, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(hkey);
}

}  // namespace

std::optional<std::wstring> RegistrySettings::Text(const wchar_t* group,
                                                   const wchar_t* name) const {
  wchar_t buffer[2048];
  DWORD size = sizeof buffer;
  if (Read(key_, group, name, buffer, size) != REG_SZ) return std::nullopt;
  return std::wstring(buffer);
}

std::optional<unsigned long> RegistrySettings::Number(const wchar_t* group,
                                                      const wchar_t* name) const {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (Read(key_, group, name, &value, size) != REG_DWORD) return std::nullopt;
  return value;
}

void RegistrySettings::SetText(const wchar_t* group, const wchar_t* name,
                               const std::wstring& value) {
  Write(key_, group, name, REG_SZ, value.c_str(),
        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettings::SetNumber(const wchar_t* group, const wchar_t* name, unsigned long value) {
  const DWORD data = value;
  Write(key_, group, name, REG_DWORD, &data, sizeof data);
}

std::optional<std::string> RegistryStore::Text(const std::string& section,
                                               const std::string& name) const {
  const auto text = settings_.Text(WideOfUtf8(section).c_str(), WideOfUtf8(name).c_str());
  if (!text) return std::nullopt;
  return Utf8(*text);
}

std::optional<bool> RegistryStore::Flag(const std::string& section, const std::string& name) const {
  const auto number = settings_.Number(WideOfUtf8(section).c_str(), WideOfUtf8(name).c_str());
  if (!number) return std::nullopt;
  return *number != 0;
}

void RegistryStore::SetText(const std::string& section, const std::string& name,
                            const std::string& text) {
  settings_.SetText(WideOfUtf8(section).c_str(), WideOfUtf8(name).c_str(), WideOfUtf8(text));
}

void RegistryStore::SetFlag(const std::string& section, const std::string& name, bool on) {
  settings_.SetNumber(WideOfUtf8(section).c_str(), WideOfUtf8(name).c_str(), on ? 1 : 0);
}

}  // namespace w32ui
