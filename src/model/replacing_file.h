// Writes a file so that the old one survives every failure: the bytes go to a
// temporary name beside the target, are flushed to the device, and only then
// is the temporary renamed over the target and the folder flushed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/env.h"

class TReplacingFile {
 public:
  // Creates the temporary file (the target name + ".part"). Throws
  // platform::FileError when it cannot be created.
  TReplacingFile(platform::Env* env, std::string target);
  // Without Commit, removes the temporary file; the target is untouched.
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  // Appends bytes; throws platform::FileError.
  void Append(const char* data, std::size_t n);
  // Flushes, closes, renames over the target, flushes the folder. Throws
  // platform::FileError; the target is then either the old file or the new one.
  void Commit();

  // True for a name this class gives the temporary file of one of the files
  // a run writes: "vod.txt.part", or "66....dat.part" for a song's copy. A
  // run that was killed leaves such files behind; nothing else is named so.
  static bool IsTemporaryName(std::string_view name);

 private:
  platform::Env* env_;
  std::string target_;
  std::string temp_;
  std::unique_ptr<platform::WritableFile> file_;
  bool committed_ = false;
};
