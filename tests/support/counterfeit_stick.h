// SPDX-License-Identifier: GPL-3.0-or-later
// The counterfeit stick of tests/tools/counterfeit_fs.cpp mounted on a folder
// for one test and unmounted at its end. POSIX only.
#pragma once

#include <sys/vfs.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/run_command.h"

class CounterfeitStick {
 public:
  // Mounts a stick that keeps the first `keep` bytes written to it on `at`
  // (created). When it cannot (the program was not built, there is no
  // /dev/fuse, mounting is not allowed), Mounted() is false and WhyNot()
  // says why, for GTEST_SKIP.
  CounterfeitStick(const std::filesystem::path& at, std::uint64_t keep, bool directIo = false)
      : at_(at) {
#ifndef ADDSONGS_COUNTERFEIT_FS
    (void)keep;
    (void)directIo;
    why_ = "counterfeit_fs was not built (libfuse3 not found when configuring)";
#else
    if (!std::filesystem::exists("/dev/fuse")) {
      why_ = "no /dev/fuse on this machine";
      return;
    }
    std::filesystem::create_directories(at_);
    const auto run = RunShell(ShellQuote(ADDSONGS_COUNTERFEIT_FS) + " " + ShellQuote(at_.string()) +
                              " --keep " + std::to_string(keep) + (directIo ? " --direct-io" : ""));
    // The program returns once the stick is mounted, and stays behind it.
    struct statfs info;
    constexpr long kFuseMagic = 0x65735546;
    if (run.status != 0 || ::statfs(at_.c_str(), &info) != 0 || info.f_type != kFuseMagic) {
      why_ = "cannot mount the counterfeit stick (root, or access to /dev/fuse, is needed): " +
             run.err;
      mounted_ = run.status == 0;
      if (why_.back() == '\n') why_.pop_back();
      return;
    }
    mounted_ = true;
#endif
  }

  ~CounterfeitStick() {
    if (!mounted_) return;
    const std::string at = ShellQuote(at_.string());
    RunShell("fusermount3 -u " + at + " || umount -l " + at);
  }

  CounterfeitStick(const CounterfeitStick&) = delete;
  CounterfeitStick& operator=(const CounterfeitStick&) = delete;

  bool Mounted() const {
    return why_.empty();
  }
  const std::string& WhyNot() const {
    return why_;
  }
  const std::filesystem::path& Path() const {
    return at_;
  }

 private:
  std::filesystem::path at_;
  std::string why_;
  bool mounted_ = false;  // something may be mounted there: unmount it at the end
};
