// SPDX-License-Identifier: GPL-3.0-or-later
// A property check of a fuzz target: a broken property aborts, so libFuzzer
// keeps the input as a crash and prints where the property is written.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {
[[noreturn]] inline void Fail(const char* property, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, property);
  std::abort();
}
}  // namespace fuzz

#define FUZZ_CHECK(property) ((property) ? void(0) : ::fuzz::Fail(#property, __FILE__, __LINE__))
