# The Debian packages the project needs, sourced by run.sh and test.sh.
# Building: the compiler, CMake and Ninja, Qt 6 Widgets for the desktop program,
# FFmpeg's libavformat (with libavcodec and libavutil) that reads the videos,
# found by pkg-config; its version is also the FFmpeg built for Windows.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libavformat-dev libavcodec-dev libavutil-dev)
# Running the desktop program: a Chinese font and Qt's own texts in Chinese.
RUN_PACKAGES=(fonts-wqy-zenhei qt6-translations-l10n)
# Tests: GoogleTest, ICU as the codec's oracle, the Unicode data and Python
# for re-running the table generators, Google Benchmark for bench/, FUSE 3
# for the counterfeit stick the tests mount (tests/tools/counterfeit_fs.cpp), a
# virtual display for the Windows window tests under Wine; a real FAT stick for
# the console's FAT test (an image made by dosfstools' mkfs.fat and checked by
# its fsck.fat, written and read as a DOS tool does by mtools, mounted through
# fusefat), and strace, with which tests/tools/kill_points.sh kills a run at
# each system call; the certificates with which tools/fetch_phrase_data.sh
# downloads the phrase table's source where npm is not installed; the ffmpeg
# program, which makes the tests' video files when they run.
TEST_PACKAGES=(googletest libgtest-dev libicu-dev icu-devtools unicode-data python3 ca-certificates libbenchmark-dev
  fuse3 libfuse3-dev xvfb xauth fusefat dosfstools mtools strace ffmpeg)
# Making the Debian package: dpkg-shlibdeps finds the libraries it needs.
PACKAGE_PACKAGES=(dpkg-dev file)
# The Windows build and its tests: the 64-bit MinGW-w64 C++ compiler with
# POSIX threads, and Wine to run the programs. test.sh runs them when present.
# FFmpeg for Windows is built from Debian's source package
# (scripts/ffmpeg-mingw.sh): dpkg-source unpacks it, make builds it.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev make)
# The Windows installer (scripts/make-installer.sh): makensis; its test looks
# for the installed program's window with xdotool on a virtual display.
INSTALLER_PACKAGES=(nsis xvfb xauth xdotool)
# Fuzzing (fuzz/): clang and the libFuzzer and sanitizer runtimes of its
# version. Installed by CI; test.sh fuzzes briefly where they are present.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
