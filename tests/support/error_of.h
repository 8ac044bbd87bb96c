// SPDX-License-Identifier: GPL-3.0-or-later
// Catching a file error in a test, to look at its text and code.
#pragma once

#include <string>
#include <system_error>

// Runs the call and returns what() of the std::system_error it throws, or
// "no error"; stores the error's code when code is not null.
template <typename Call>
std::string ErrorOf(Call call, std::error_code* code = nullptr) {
  try {
    call();
  } catch (const std::system_error& e) {
    if (code != nullptr) *code = e.code();
    return e.what();
  }
  return "no error";
}
