// SPDX-License-Identifier: GPL-3.0-or-later
// The counterfeit stick the end-to-end tests write to (tests/tools/
// counterfeit_fs.cpp): what it keeps, what it loses, and that it behaves as a
// disk otherwise. Needs FUSE and the right to mount; skipped otherwise.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/counterfeit_stick.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Bytes that are never zero, different for every seed.
std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  std::uint32_t state = seed * 2654435761u + 1;
  for (char& c : bytes) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(1 + (state >> 24) % 255);
  }
  return bytes;
}

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// Creates a file as the program does and writes it in pieces of `piece`
// bytes (the program copies in pieces of 5120), then flushes it to the device.
void WriteNew(const fs::path& file, const std::string& bytes, std::size_t piece = SIZE_MAX) {
  Fd out{::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
  ASSERT_GE(out.fd, 0) << file << ": " << std::strerror(errno);
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    const std::size_t n = std::min(piece, bytes.size() - at);
    ASSERT_EQ(::write(out.fd, bytes.data() + at, n), static_cast<ssize_t>(n))
        << file << ": the stick acknowledges every byte";
  }
  ASSERT_EQ(::fsync(out.fd), 0) << std::strerror(errno);
}

// A file's bytes, read after dropping its cached pages (so they come from
// the device) or from whatever the kernel holds.
std::string ReadBack(const fs::path& file, bool dropCache) {
  Fd in{::open(file.c_str(), O_RDONLY | O_CLOEXEC)};
  if (in.fd < 0) return "cannot open: " + std::string(std::strerror(errno));
  if (dropCache) {
    EXPECT_EQ(::posix_fadvise(in.fd, 0, 0, POSIX_FADV_DONTNEED), 0);
  }
  std::string bytes;
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(in.fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
  return bytes;
}

// Where two texts of one size first differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  if (a.size() != b.size())
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return "first difference at byte " + std::to_string(i);
  }
  return "equal";
}

TEST(CounterfeitStick, KeepsTheFirstBytesWrittenAndReadsZerosForTheRest) {
  struct Write {
    int file;
    std::size_t offset, size;
  };
  const struct {
    std::uint64_t keep;
    std::vector<Write> writes;      // one after the other, each flushed
    std::vector<std::size_t> kept;  // of each file, the bytes read back as written
  } cases[] = {
      {10000, {{0, 0, 9999}}, {9999}},
      {10000, {{0, 0, 10000}}, {10000}},
      {10000, {{0, 0, 10001}}, {10000}},
      {10000, {{0, 0, 4096}, {1, 0, 4096}, {2, 0, 4096}, {3, 0, 100}}, {4096, 4096, 1808, 0}},
      {0, {{0, 0, 5000}}, {0}},
      // Writing again where bytes were kept keeps the new ones at no cost.
      {10000, {{0, 0, 8000}, {0, 0, 12000}}, {10000}},
      {10000, {{0, 4000, 4000}, {0, 0, 12000}}, {10000}},
      // What was lost stays lost when written again.
      {10000, {{0, 0, 12000}, {0, 0, 12000}}, {10000}},
      // The end-to-end run: two videos, then the song list.
      {3000000, {{0, 0, 2000000}, {1, 0, 2000000}, {2, 0, 50}}, {2000000, 1000000, 0}},
      {100000000, {{0, 0, 2000000}, {1, 0, 2000000}, {2, 0, 50}}, {2000000, 2000000, 50}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    CounterfeitStick stick(dir.path() / "stick", c.keep);
    if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
    const fs::path vod = stick.Path() / "vod";
    ASSERT_TRUE(fs::create_directory(vod));
    std::vector<std::string> written(c.kept.size());  // what a true disk would hold
    for (std::size_t w = 0; w < c.writes.size(); ++w) {
      const Write& write = c.writes[w];
      const std::string bytes = Bytes(write.size, static_cast<unsigned>(w));
      std::string& file = written[static_cast<std::size_t>(write.file)];
      file.resize(std::max(file.size(), write.offset + write.size), '\0');
      file.replace(write.offset, write.size, bytes);
      Fd out{
          ::open((vod / std::to_string(write.file)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666)};
      ASSERT_GE(out.fd, 0) << std::strerror(errno);
      ASSERT_EQ(::pwrite(out.fd, bytes.data(), bytes.size(), static_cast<off_t>(write.offset)),
                static_cast<ssize_t>(bytes.size()))
          << "the stick acknowledges every byte";
      ASSERT_EQ(::fsync(out.fd), 0) << std::strerror(errno);
    }
    for (std::size_t i = 0; i < c.kept.size(); ++i) {
      const fs::path file = vod / std::to_string(i);
      EXPECT_EQ(fs::file_size(file), written[i].size()) << "keep " << c.keep << ", file " << i;
      std::string expected = written[i];
      std::fill(expected.begin() + static_cast<std::ptrdiff_t>(c.kept[i]), expected.end(), '\0');
      const std::string read = ReadBack(file, true);
      EXPECT_TRUE(read == expected)
          << "keep " << c.keep << ", file " << i << ": " << FirstDifference(read, expected);
    }
  }
}

TEST(CounterfeitStick, ReadsComeFromThePageCacheUntilItIsDropped) {
  // What was written stays in the kernel's cache, also when the file is
  // opened again, as on a real stick: a program that reads a file back
  // without dropping its cached pages sees the bytes it wrote, not the zeros
  // the stick holds. --direct-io reads the stick every time.
  const struct {
    bool directIo;
    std::size_t size, piece;  // written in pieces of this size
    bool cachedReadsAsWritten;
  } cases[] = {
      {false, 65536, 65536, true},
      {false, 50001, 5120, true},  // pages written in two pieces, a last page not full
      {true, 50001, 5120, false},
  };
  for (const auto& c : cases) {
    const std::string written = Bytes(c.size, 7);
    const std::string zeros(written.size(), '\0');
    TempDir dir;
    CounterfeitStick stick(dir.path() / "stick", 0, c.directIo);
    if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
    const fs::path file = stick.Path() / "660000.dat";
    WriteNew(file, written, c.piece);
    const std::string cached = ReadBack(file, false);
    EXPECT_TRUE(cached == (c.cachedReadsAsWritten ? written : zeros))
        << "direct I/O " << c.directIo << ", pieces of " << c.piece << ": "
        << FirstDifference(cached, c.cachedReadsAsWritten ? written : zeros);
    const std::string dropped = ReadBack(file, true);
    EXPECT_TRUE(dropped == zeros) << "direct I/O " << c.directIo << ", pieces of " << c.piece
                                  << ": " << FirstDifference(dropped, zeros);
  }
}

TEST(CounterfeitStick, NamesFailAsOnADisk) {
  TempDir dir;
  CounterfeitStick stick(dir.path() / "stick", 100000);
  if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
  const fs::path vod = stick.Path() / "vod";
  ASSERT_TRUE(fs::create_directories(vod / "sub"));
  WriteNew(vod / "660000.dat", "old");
  WriteNew(vod / "sub" / "inside", "x");
  const auto at = [&](const char* name) { return (vod / name).string(); };
  const auto openNew = [&](const char* name) {
    const int fd = ::open(at(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd >= 0) ::close(fd);
    return fd;
  };
  const struct {
    const char* what;
    std::function<int()> call;
    int error;
  } cases[] = {
      {"create an existing file", [&] { return openNew("660000.dat"); }, EEXIST},
      {"create over a folder", [&] { return openNew("sub"); }, EEXIST},
      {"create in a missing folder", [&] { return openNew("none/660000.dat"); }, ENOENT},
      {"open a missing file", [&] { return ::open(at("none").c_str(), O_RDONLY); }, ENOENT},
      {"open a folder to write", [&] { return ::open(at("sub").c_str(), O_WRONLY); }, EISDIR},
      {"make an existing folder", [&] { return ::mkdir(at("sub").c_str(), 0777); }, EEXIST},
      {"remove a folder holding a file", [&] { return ::rmdir(at("sub").c_str()); }, ENOTEMPTY},
      {"remove a file as a folder", [&] { return ::rmdir(at("660000.dat").c_str()); }, ENOTDIR},
      {"unlink a folder", [&] { return ::unlink(at("sub").c_str()); }, EISDIR},
      {"unlink a missing file", [&] { return ::unlink(at("none").c_str()); }, ENOENT},
      {"rename a missing file", [&] { return ::rename(at("none").c_str(), at("x").c_str()); },
       ENOENT},
      {"rename a file over a folder",
       [&] { return ::rename(at("660000.dat").c_str(), at("sub").c_str()); }, EISDIR},
      {"rename a folder over a file",
       [&] { return ::rename(at("sub").c_str(), at("660000.dat").c_str()); }, ENOTDIR},
      {"rename without replacing",
       [&] {
         return ::renameat2(AT_FDCWD, at("sub/inside").c_str(), AT_FDCWD, at("660000.dat").c_str(),
                            RENAME_NOREPLACE);
       },
       EEXIST},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(c.call(), -1) << c.what;
    EXPECT_EQ(errno, c.error) << c.what << ": " << std::strerror(errno);
  }
  EXPECT_EQ(ReadBack(vod / "660000.dat", true), "old") << "nothing above changed it";
}

TEST(CounterfeitStick, RenamesOverLocksFlushesAndReportsARoomyVolume) {
  TempDir dir;
  CounterfeitStick stick(dir.path() / "stick", 100000);
  if (!stick.Mounted()) GTEST_SKIP() << stick.WhyNot();
  const fs::path vod = stick.Path() / "vod";
  ASSERT_TRUE(fs::create_directory(vod));
  WriteNew(vod / "660000.dat", "old copy");
  WriteNew(vod / "660000.dat.part", "new copy");
  WriteNew(vod / "vod.txt", "old list");
  WriteNew(vod / "vod.txt.part", "new list");

  // The folder locked as the program locks it: a second holder is refused
  // until the first lets go.
  Fd held{::open(vod.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
  Fd other{::open(vod.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  ASSERT_GE(held.fd, 0);
  ASSERT_GE(other.fd, 0);
  EXPECT_EQ(::flock(held.fd, LOCK_EX | LOCK_NB), 0) << std::strerror(errno);
  EXPECT_EQ(::flock(other.fd, LOCK_EX | LOCK_NB), -1);
  EXPECT_EQ(errno, EWOULDBLOCK);

  // A file open for reading keeps its bytes when a rename replaces its name.
  Fd oldCopy{::open((vod / "660000.dat").c_str(), O_RDONLY | O_CLOEXEC)};
  ASSERT_GE(oldCopy.fd, 0);
  for (const char* name : {"660000.dat", "vod.txt"}) {
    const std::string part = std::string(name) + ".part";
    EXPECT_EQ(::renameat(held.fd, part.c_str(), held.fd, name), 0) << name << std::strerror(errno);
  }
  EXPECT_EQ(::fsync(held.fd), 0) << "the folder is flushed: " << std::strerror(errno);
  EXPECT_EQ(ReadBack(vod / "660000.dat", true), "new copy");
  EXPECT_EQ(ReadBack(vod / "vod.txt", true), "new list");
  char buffer[16] = {};
  EXPECT_EQ(::pread(oldCopy.fd, buffer, sizeof buffer, 0), 8);
  EXPECT_EQ(std::string(buffer), "old copy");
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(vod)) names.insert(entry.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{"660000.dat", "vod.txt"}));

  ::close(held.fd);
  held.fd = -1;
  EXPECT_EQ(::flock(other.fd, LOCK_EX | LOCK_NB), 0) << "the lock went with its holder";

  // It claims 16 GiB, nearly all free, in 4096-byte blocks.
  struct statvfs room;
  ASSERT_EQ(::statvfs(stick.Path().c_str(), &room), 0);
  EXPECT_EQ(room.f_frsize, 4096u);
  EXPECT_EQ(room.f_blocks * room.f_frsize, std::uint64_t{16} << 30);
  EXPECT_GT(room.f_bavail * room.f_frsize, std::uint64_t{15} << 30);
  EXPECT_GT(room.f_favail, 100000u);

  // Emptied, the folder goes.
  for (const char* name : {"660000.dat", "vod.txt"}) fs::remove(vod / name);
  EXPECT_EQ(::rmdir(vod.c_str()), 0) << std::strerror(errno);
}

}  // namespace
