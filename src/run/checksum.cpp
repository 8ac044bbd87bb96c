// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/checksum.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {
constexpr std::uint64_t kP1 = 0x9E3779B185EBCA87u;
constexpr std::uint64_t kP2 = 0xC2B2AE3D27D4EB4Fu;
constexpr std::uint64_t kP3 = 0x165667B19E3779F9u;
constexpr std::uint64_t kP4 = 0x85EBCA77C2B2AE63u;
constexpr std::uint64_t kP5 = 0x27D4EB2F165667C5u;

std::uint64_t Rotl(std::uint64_t x, int r) {
  return (x << r) | (x >> (64 - r));
}

// Little-endian reads, whatever the machine: one load where the machine is
// little-endian.
std::uint64_t Read64(const unsigned char* p) {
  std::uint64_t v = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, sizeof v);
  } else {
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  }
  return v;
}

std::uint64_t Read32(const unsigned char* p) {
  return std::uint64_t{p[0]} | std::uint64_t{p[1]} << 8 | std::uint64_t{p[2]} << 16 |
         std::uint64_t{p[3]} << 24;
}

std::uint64_t Round(std::uint64_t acc, std::uint64_t input) {
  acc += input * kP2;
  return Rotl(acc, 31) * kP1;
}

std::uint64_t Merge(std::uint64_t acc, std::uint64_t lane) {
  acc ^= Round(0, lane);
  return acc * kP1 + kP4;
}
}  // namespace

void TChecksum::Stripe(const unsigned char* p) {
  for (int i = 0; i < 4; ++i) lanes_[i] = Round(lanes_[i], Read64(p + 8 * i));
}

void TChecksum::Update(const char* data, std::size_t n) {
  const auto* p = reinterpret_cast<const unsigned char*>(data);
  length_ += n;
  if (pendingBytes_ > 0) {
    const std::size_t take = std::min(n, sizeof pending_ - pendingBytes_);
    std::memcpy(pending_ + pendingBytes_, p, take);
    pendingBytes_ += take;
    p += take;
    n -= take;
    if (pendingBytes_ < sizeof pending_) return;
    Stripe(pending_);
    pendingBytes_ = 0;
  }
  // The lanes stay in registers over the stripes: stored in the object,
  // every load of the input (bytes, which may alias anything) would have to
  // wait for them to be written back.
  std::uint64_t a = lanes_[0], b = lanes_[1], c = lanes_[2], d = lanes_[3];
  for (; n >= 32; p += 32, n -= 32) {
    a = Round(a, Read64(p));
    b = Round(b, Read64(p + 8));
    c = Round(c, Read64(p + 16));
    d = Round(d, Read64(p + 24));
  }
  lanes_[0] = a;
  lanes_[1] = b;
  lanes_[2] = c;
  lanes_[3] = d;
  std::memcpy(pending_, p, n);
  pendingBytes_ = n;
}

std::uint64_t TChecksum::Value() const {
  std::uint64_t h;
  if (length_ >= 32) {
    h = Rotl(lanes_[0], 1) + Rotl(lanes_[1], 7) + Rotl(lanes_[2], 12) + Rotl(lanes_[3], 18);
    for (const std::uint64_t lane : lanes_) h = Merge(h, lane);
  } else {
    h = kP5;  // seed 0
  }
  h += length_;
  const unsigned char* p = pending_;
  std::size_t n = pendingBytes_;
  for (; n >= 8; p += 8, n -= 8) h = Rotl(h ^ Round(0, Read64(p)), 27) * kP1 + kP4;
  if (n >= 4) {
    h = Rotl(h ^ (Read32(p) * kP1), 23) * kP2 + kP3;
    p += 4;
    n -= 4;
  }
  for (; n > 0; ++p, --n) h = Rotl(h ^ (*p * kP5), 11) * kP1;
  h ^= h >> 33;
  h *= kP2;
  h ^= h >> 29;
  h *= kP3;
  h ^= h >> 32;
  return h;
}

std::uint64_t TChecksum::Of(std::string_view bytes) {
  TChecksum sum;
  sum.Update(bytes);
  return sum.Value();
}
