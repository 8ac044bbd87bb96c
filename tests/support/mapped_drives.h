// SPDX-License-Identifier: GPL-3.0-or-later
// Drive letters that a Windows test run maps to folders of its own:
// scripts/wine-test.sh maps a removable one and a fixed one in its Wine
// prefix and names them in these variables, e.g. ADDSONGS_TEST_USB_DRIVE=R:.
#pragma once

#include <cstdlib>
#include <string>

inline constexpr const char* kUsbDriveVariable = "ADDSONGS_TEST_USB_DRIVE";
inline constexpr const char* kFixedDriveVariable = "ADDSONGS_TEST_FIXED_DRIVE";

// The drive named by the variable, as "R:"; empty when it is not set.
inline std::string MappedDrive(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? value : "";
}
