// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary folder for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

class TempDir {
 public:
  // A new folder in the system's temporary folder, or in base when given
  // (a drive root such as R:\ in the Windows tests).
  TempDir();
  explicit TempDir(const std::filesystem::path& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as a GBK path ending with '/', ready to hand to the core
  // (the temporary folder's own name is ASCII).
  std::string Gbk() const { return path_.string() + "/"; }

  // Writes bytes to a file below the folder (parents created); returns its
  // path. relative is UTF-8 (on Linux any bytes).
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const;
  // Reads a whole file.
  static std::string Read(const std::filesystem::path& file);

 private:
  std::filesystem::path path_;
};

// A path as UTF-8 text, as a program's command line takes it.
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The names in a folder (not below it).
std::set<std::string> NamesIn(const std::filesystem::path& folder);

// Bytes that look random, the same for the same seed, never zero (so that
// bytes a stick lost, read back as zeros, always differ from them): a video's
// content that differs from every other video's.
std::string VideoBytes(std::size_t size, unsigned seed);
