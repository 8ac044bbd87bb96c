#include "model/disk_free.h"

#include "platform/env.h"

std::int64_t DiskFreeBytes(const std::string& path, platform::Env* env) {
  if (env == nullptr) env = platform::Env::Default();
  return env->FreeBytes(path);
}
