// SPDX-License-Identifier: GPL-3.0-or-later
// The exported function of the stroke-count library, called through the shared library.
#include "stroke/OruStroke.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace {

struct Case {
  const char* what;
  std::uint32_t unit;
  std::int32_t strokes;
};

TEST(GetStrokeUnicode, GivesTheTotalStrokesOfWellKnownCharacters) {
  const std::vector<Case> cases = {
      {"一", 0x4E00, 1},
      {"乙", 0x4E59, 1},
      {"人", 0x4EBA, 2},
      {"大", 0x5927, 3},
      {"中", 0x4E2D, 4},
      {"风", 0x98CE, 4},
      {"国", 0x56FD, 8},
      {"海", 0x6D77, 10},
      {"爱", 0x7231, 10},
      {"愛", 0x611B, 13},
      {"龍", 0x9F8D, 16},
      {"鑫", 0x946B, 24},
      {"鬱", 0x9B31, 29},
      {"齉", 0x9F49, 36},
      {"龘", 0x9F98, 48},
      // Several counts in the Han database: the first (mainland form) is used.
      {"范", 0x8303, 8},
      {"骨", 0x9AA8, 9},
      // A compatibility ideograph of the code page (GBK FE40).
      {"兀", 0xFA0C, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetStroke_Unicode(c.unit), c.strokes) << c.what;
  }
}

TEST(GetStrokeUnicode, GivesZeroForEveryUnitThatIsNotAHanCharacterOfTheCodePage) {
  const std::vector<Case> cases = {
      {"NUL", 0x0000, 0},
      {"space", 0x0020, 0},
      {"digit 0", 0x0030, 0},
      {"A", 0x0041, 0},
      {"euro sign (GBK 80)", 0x20AC, 0},
      {"ideographic full stop", 0x3002, 0},
      {"full-width A", 0xFF21, 0},
      {"full-width digit 1", 0xFF11, 0},
      {"first high surrogate", 0xD800, 0},
      {"last high surrogate", 0xDBFF, 0},
      {"first low surrogate", 0xDC00, 0},
      {"last low surrogate", 0xDFFF, 0},
      {"private use of the code page (GBK FE50)", 0xE815, 0},
      {"Extension A ideograph outside the code page", 0x3400, 0},
      {"unified ideograph after the code page's range", 0x9FA6, 0},
      {"last unified ideograph block unit", 0x9FFF, 0},
      {"noncharacter U+FFFF", 0xFFFF, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetStroke_Unicode(c.unit), c.strokes) << c.what;
  }
}

TEST(GetStrokeUnicode, GivesZeroAboveTheCodeUnitRangeInsteadOfTruncating) {
  // 0x14E2D would read as 中 (U+4E2D) if only the low 16 bits were looked at.
  for (std::uint32_t unit : {0x10000u, 0x14E2Du, 0x16D77u, 0x20000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(GetStroke_Unicode(unit), 0) << std::hex << unit;
  }
}

#if !defined(_WIN32)
TEST(GetStrokeUnicode, IsExportedUnmangledFromTheSharedLibraryThatTheProgramCalls) {
  void* library = dlopen(ORUSTROKE_FILE, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr) << "the library is not loaded at start: " << ORUSTROKE_FILE;
  void* symbol = dlsym(library, "GetStroke_Unicode");
  ASSERT_NE(symbol, nullptr) << dlerror();
  EXPECT_EQ(symbol, reinterpret_cast<void*>(&GetStroke_Unicode));
  using Fn = std::int32_t (*)(std::uint32_t);
  EXPECT_EQ(reinterpret_cast<Fn>(symbol)(0x6D77), 10);
  dlclose(library);
}
#endif

}  // namespace
