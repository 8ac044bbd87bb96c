// SPDX-License-Identifier: GPL-3.0-or-later
// A checksum of a stream of bytes, fast enough to be taken while a file is
// copied (a few tenths of a byte per cycle): 64 bits after the XXH64
// construction, four lanes over 32-byte stripes, then an avalanche. It tells
// a file that came back from a disk changed; it is no protection against
// someone who means to forge one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class TChecksum {
 public:
  // Adds bytes; pieces of any size give the value of the whole.
  void Update(const char* data, std::size_t n);
  void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
  // The checksum of everything added so far (Update may go on afterwards).
  std::uint64_t Value() const;
  std::uint64_t Length() const { return length_; }

  // The checksum of one piece of bytes.
  static std::uint64_t Of(std::string_view bytes);

 private:
  void Stripe(const unsigned char* p);

  std::uint64_t lanes_[4] = {0x9E3779B185EBCA87u + 0xC2B2AE3D27D4EB4Fu, 0xC2B2AE3D27D4EB4Fu, 0,
                             0 - 0x9E3779B185EBCA87u};
  unsigned char pending_[32] = {};
  std::size_t pendingBytes_ = 0;
  std::uint64_t length_ = 0;
};
