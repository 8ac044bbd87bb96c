// The free space of a volume, as the rest of the program asks for it.
#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Env;
}

// The free bytes of the volume that holds the path, as many as this user may
// write; -1 when they cannot be read. Asks env, or the real system when env is
// null.
std::int64_t DiskFreeBytes(const std::string& path, platform::Env* env = nullptr);
