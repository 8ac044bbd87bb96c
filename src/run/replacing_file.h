// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a file so that the old one survives every failure: the bytes go to a
// temporary name beside the target, are flushed to the device, and only then
// is the temporary renamed over the target and the folder flushed.
//
// Everything happens in a folder held open (platform::Folder): the temporary
// file is created exclusively and never through a link, so nothing a stick
// holds under our names can redirect the write.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/env.h"

class TReplacingFile {
 public:
  // Creates the temporary file (name + ".part") in folder. Whatever stands
  // under that name (an earlier run's file, a link, a pipe, a folder) is
  // removed first, without being followed or opened. Throws
  // platform::FileError when it cannot be created.
  TReplacingFile(platform::Folder& folder, std::string name);
  // Without Commit, removes the temporary file; the target is untouched.
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;

  // Appends bytes; throws platform::FileError.
  void Append(const char* data, std::size_t n);
  // Flushes and closes the temporary file, whose bytes are then on the
  // device under TemporaryName() (to be read back before they take the
  // target's place). Throws platform::FileError.
  void Finish();
  const std::string& TemporaryName() const { return temp_; }
  // Finishes (when not yet), renames over the target, flushes the folder.
  // Throws platform::FileError; the target is then either the old file or
  // the new one, or, on FAT, whose rename removes the old name first,
  // neither: the new one is then left whole under TemporaryName().
  void Commit();

  // Writes the whole file at once (Append and Commit).
  static void Write(platform::Folder& folder, const std::string& name, std::string_view bytes);
  // The same for the file at path (GBK; a bare name is in the working
  // folder), its folder held open through env. Throws platform::FileError.
  static void Write(platform::Env& env, const std::string& path, std::string_view bytes);

  // True for a name this class gives the temporary file of one of the files
  // a run writes, in any case: "vod.txt.part", or "66....dat.part" for a
  // song's copy. A run that was killed leaves such files behind; nothing
  // else is named so.
  static bool IsTemporaryName(std::string_view name);

 private:
  platform::Folder& folder_;
  std::string name_;
  std::string temp_;
  std::unique_ptr<platform::WritableFile> file_;
  bool committed_ = false;
};
