// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/video_file.h"

#include <algorithm>
#include <random>
#include <sstream>

namespace {

// ffmpeg -f lavfi -i color=black:s=16x16:r=25:d=0.5 -c:v mpeg1video
//        -packetsize 512 -f mpeg, up to its first padding packet.
constexpr const char* kClipHex =
    "000001ba2100010001c33367000001bb0009c333670021ffe0e0e6000001e000fb3100037bb11100035f91000001b3"
    "01"
    "001013ffffe018000001b80008004000000100000ffff80000010113f87d294888000001000057fff8800000010112"
    "70"
    "000001000097fff8800000010112700000010000d7fff880000001011270000001000117fff8800000010112700000"
    "01"
    "000157fff880000001011270000001000197fff8800000010112700000010001d7fff8800000010112700000010002"
    "17"
    "fff880000001011270000001000257fff880000001011270000001000297fff8800000010112700000010002d7fff8"
    "80"
    "000001011270000001b301001013ffffe018000001b80008060000000100000ffff80000010113f87d294888";

std::string Clip() {
  std::string bytes;
  const std::string hex = kClipHex;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

constexpr std::size_t kHeader = 6;  // 00 00 01 BE and a 16-bit length
constexpr std::size_t kLargestPacket = kHeader + 0xFFFF;

}  // namespace

bool WriteVideoFile(std::ostream& out, std::uint64_t size, unsigned seed) {
  static const std::string clip = Clip();
  out.write(clip.data(), static_cast<std::streamsize>(clip.size()));
  std::uint64_t left = size > clip.size() + kHeader ? size - clip.size() : kHeader;
  std::mt19937 random(seed);
  // Never zero, so the padding holds no start code a demuxer could take.
  std::uniform_int_distribution<int> byte(1, 255);
  std::string packet;
  packet.reserve(kLargestPacket);
  while (left > 0 && out) {
    auto length = static_cast<std::size_t>(std::min<std::uint64_t>(left, kLargestPacket));
    // What is left after this packet must hold a packet's header too.
    if (left - length > 0 && left - length < kHeader) length -= kHeader;
    const std::size_t payload = length - kHeader;
    packet.assign("\x00\x00\x01\xBE", 4);
    packet += static_cast<char>(payload >> 8);
    packet += static_cast<char>(payload & 0xFF);
    for (std::size_t i = 0; i < payload; ++i) packet += static_cast<char>(byte(random));
    out.write(packet.data(), static_cast<std::streamsize>(packet.size()));
    left -= length;
  }
  out.flush();
  return static_cast<bool>(out);
}

std::string VideoFile(std::size_t size, unsigned seed) {
  std::ostringstream bytes;
  WriteVideoFile(bytes, size, seed);
  return bytes.str();
}
