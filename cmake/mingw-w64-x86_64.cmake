# Cross build for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix); the test programs run under Wine.
#
#   cmake --preset mingw && cmake --build --preset mingw
#   scripts/wine-test.sh          # prepares a Wine prefix, runs ctest --preset mingw
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)

# The "posix" thread model: std::thread and std::mutex of GCC 12 need it.
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_triple}-g++-posix REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${mingw_triple}-gcc-posix)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime and winpthread linked in, so the programs and OruStroke.dll
# need no DLL that Windows lacks.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# ctest and gtest_discover_tests start the .exe files through Wine.
find_program(ADDSONGS_WINE NAMES wine wine64)
if(ADDSONGS_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ADDSONGS_WINE})
endif()
