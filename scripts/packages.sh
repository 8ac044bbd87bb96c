# The Debian packages the project needs, sourced by run.sh and test.sh.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config)
# Tests: GoogleTest, ICU as the codec's oracle, the Unicode data and Python
# for re-running the table generators, Google Benchmark for bench/.
TEST_PACKAGES=(googletest libgtest-dev libicu-dev icu-devtools unicode-data python3 libbenchmark-dev)
# Fuzzing (fuzz/): clang and the libFuzzer and sanitizer runtimes of its
# version. Installed by CI; test.sh fuzzes briefly where they are present.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
