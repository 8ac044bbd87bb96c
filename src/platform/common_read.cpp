#include "platform/env.h"

namespace platform {

std::string ReadWholeFile(Env& env, const std::string& path) {
  auto file = env.OpenForRead(path);
  std::string bytes;
  char buffer[8192];
  while (const std::size_t n = file->Read(buffer, sizeof buffer)) bytes.append(buffer, n);
  return bytes;
}

}  // namespace platform
