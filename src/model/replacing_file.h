// Writes a file so that the old one survives every failure: the bytes go to a
// temporary name beside the target, are flushed to the device, and only then
// is the temporary renamed over the target and the folder flushed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/env.h"

class TReplacingFile {
 public:
  // Creates the temporary file (the target name + ".part"). Throws
  // std::system_error when it cannot be created.
  TReplacingFile(platform::Env* env, std::string target);
  // Without Commit, removes the temporary file; the target is untouched.
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  // Appends bytes; throws std::system_error.
  void Append(const char* data, std::size_t n);
  // Flushes, closes, renames over the target, flushes the folder. Throws
  // std::system_error; the target is then either the old file or the new one.
  void Commit();

 private:
  platform::Env* env_;
  std::string target_;
  std::string temp_;
  std::unique_ptr<platform::WritableFile> file_;
  bool committed_ = false;
};
