// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/kill_env.h"

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "text/gbk.h"

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::string WithoutSeparator(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  return path;
}

fs::path NativeOf(const std::string& path) {
  const std::string utf8 = gbk::ToUtf8(path);
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// A file being written on the stick.
class KillFile : public platform::WritableFile {
 public:
  KillFile(std::unique_ptr<platform::WritableFile> inner, KillEnv& env,
           std::shared_ptr<KillEnv::Written> written)
      : inner_(std::move(inner)), env_(env), written_(std::move(written)) {}

  void Append(const char* data, std::size_t n) override {
    env_.ThrowIfGone("write to " + written_->path);
    if (env_.Step(KillOp::kAppend)) {
      inner_->Append(data, n / 2);
      written_->length += static_cast<std::int64_t>(n / 2);
      env_.Go("write to " + written_->path);
    }
    inner_->Append(data, n);
    written_->length += static_cast<std::int64_t>(n);
  }
  void Sync() override {
    env_.ThrowIfGone("flush " + written_->path);
    if (env_.Step(KillOp::kSyncFile)) env_.Go("flush " + written_->path);
    written_->synced = written_->length;
  }
  void Close() override {
    env_.ThrowIfGone("close " + written_->path);
    if (env_.Step(KillOp::kClose)) env_.Go("close " + written_->path);
    inner_->Close();
  }

 private:
  std::unique_ptr<platform::WritableFile> inner_;
  KillEnv& env_;
  std::shared_ptr<KillEnv::Written> written_;
};

// A file being read from the stick.
class KillReader : public platform::SequentialFile {
 public:
  KillReader(std::unique_ptr<platform::SequentialFile> inner, const KillEnv& env, std::string path)
      : inner_(std::move(inner)), env_(env), path_(std::move(path)) {}
  std::size_t Read(char* scratch, std::size_t n) override {
    env_.ThrowIfGone("read " + path_);
    return inner_->Read(scratch, n);
  }

 private:
  std::unique_ptr<platform::SequentialFile> inner_;
  const KillEnv& env_;
  std::string path_;
};

// A folder held open; what it does below the stick's root is counted.
class KillFolder : public platform::FolderWrapper {
 public:
  KillFolder(std::unique_ptr<platform::Folder> inner, KillEnv& env)
      : FolderWrapper(std::move(inner)), env_(env) {}

  std::unique_ptr<platform::Folder> OpenFolder(const std::string& name, bool create) override {
    if (OnStick(name)) {
      env_.ThrowIfGone("open folder " + Path() + name);
      if (create && target()->Stat(name).kind == platform::EntryKind::kNone &&
          env_.Step(KillOp::kMakeFolder)) {
        env_.Go("make folder " + Path() + name);
      }
    }
    return std::make_unique<KillFolder>(target()->OpenFolder(name, create), env_);
  }
  bool TryLock() override {
    if (OnStick()) env_.ThrowIfGone("lock " + Path());
    return target()->TryLock();
  }
  std::vector<platform::FolderEntry> List() override {
    if (OnStick()) env_.ThrowIfGone("list " + Path());
    return target()->List();
  }
  platform::FolderEntry Stat(const std::string& name) override {
    if (OnStick(name)) env_.ThrowIfGone("look at " + Path() + name);
    return target()->Stat(name);
  }
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& name) override {
    if (!OnStick(name)) return target()->CreateNew(name);
    env_.ThrowIfGone("create " + Path() + name);
    if (env_.Step(KillOp::kCreate)) env_.Go("create " + Path() + name);
    auto file = target()->CreateNew(name);
    return std::make_unique<KillFile>(std::move(file), env_, env_.Track(Path() + name));
  }
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& name,
                                                        bool fromDevice) override {
    if (!OnStick(name)) return target()->OpenForRead(name, fromDevice);
    env_.ThrowIfGone("open " + Path() + name);
    return std::make_unique<KillReader>(target()->OpenForRead(name, fromDevice), env_,
                                        Path() + name);
  }
  void Remove(const std::string& name) override {
    if (!OnStick(name)) return target()->Remove(name);
    env_.ThrowIfGone("remove " + Path() + name);
    if (env_.Step(KillOp::kRemove)) env_.Go("remove " + Path() + name);
    target()->Remove(name);
    env_.Removed(Path() + name);
  }
  void Rename(const std::string& from, const std::string& to) override {
    if (!OnStick(to)) return target()->Rename(from, to);
    const std::string what = "rename " + Path() + from + " to " + to;
    env_.ThrowIfGone(what);
    if (env_.Fat() && target()->Stat(to).kind != platform::EntryKind::kNone) {
      // FAT has no rename over a name: the old entry goes first.
      if (env_.Step(KillOp::kRemove)) env_.Go("remove " + Path() + to + " to " + what);
      target()->Remove(to);
      env_.Removed(Path() + to);
    }
    if (env_.Step(KillOp::kRename)) env_.Go(what);
    target()->Rename(from, to);
    env_.Moved(Path() + from, Path() + to);
  }
  void Sync() override {
    if (!OnStick()) return target()->Sync();
    env_.ThrowIfGone("flush folder " + Path());
    if (env_.Step(KillOp::kSyncFolder)) env_.Go("flush folder " + Path());
  }
  platform::VolumeRoom Room() override {
    return OnStick() && env_.Gone() ? platform::VolumeRoom{} : target()->Room();
  }
  std::string VolumeId() override {
    return OnStick() && env_.Gone() ? std::string() : target()->VolumeId();
  }
  bool ReachedByPath() override { return !(OnStick() && env_.Gone()) && target()->ReachedByPath(); }

 private:
  bool OnStick() const { return env_.OnStick(Path()); }
  bool OnStick(const std::string& name) const { return env_.OnStick(Path() + name); }

  KillEnv& env_;
};

}  // namespace

const char* NameOf(KillOp op) {
  switch (op) {
    case KillOp::kMakeFolder:
      return "make folder";
    case KillOp::kCreate:
      return "create";
    case KillOp::kAppend:
      return "write";
    case KillOp::kSyncFile:
      return "flush file";
    case KillOp::kClose:
      return "close";
    case KillOp::kRename:
      return "rename";
    case KillOp::kRemove:
      return "remove";
    case KillOp::kSyncFolder:
      return "flush folder";
  }
  return "?";
}

const char* NameOf(KillHow how) {
  return how == KillHow::kKilled ? "killed" : "pulled";
}

KillEnv::KillEnv(std::string stickRoot, std::optional<KillStop> stop, KillHow how, bool fat)
    : EnvWrapper(platform::Env::Default()),
      root_(WithoutSeparator(std::move(stickRoot))),
      stop_(stop),
      how_(how),
      fat_(fat) {}

bool KillEnv::OnStick(const std::string& path) const {
  const std::string p = WithoutSeparator(path);
  return p == root_ || (p.size() > root_.size() && p.compare(0, root_.size(), root_) == 0 &&
                        IsSeparator(p[root_.size()]));
}

void KillEnv::ThrowIfGone(const std::string& what) const {
  if (gone_) {
    throw platform::FileError(how_ == KillHow::kPulled ? ENODEV : EIO,
                              "the stick is gone: cannot " + what);
  }
}

bool KillEnv::Step(KillOp op) {
  const int k = ++counts_[static_cast<std::size_t>(op)];
  return stop_ && stop_->op == op && stop_->k == k;
}

void KillEnv::Go(const std::string& what) {
  gone_ = true;
  if (how_ == KillHow::kPulled) {
    // What no flush reached the stick is not on it.
    for (const auto& [path, written] : written_) {
      std::error_code ec;
      const fs::path native = NativeOf(path);
      const auto size = fs::file_size(native, ec);
      if (!ec && static_cast<std::int64_t>(size) > written->synced) {
        fs::resize_file(native, static_cast<std::uintmax_t>(written->synced), ec);
      }
    }
  }
  ThrowIfGone(what);
  throw std::logic_error("the stick went and nothing says so");
}

std::shared_ptr<KillEnv::Written> KillEnv::Track(const std::string& path) {
  auto written = std::make_shared<Written>();
  written->path = path;
  written_[path] = written;
  return written;
}

void KillEnv::Moved(const std::string& from, const std::string& to) {
  Removed(to);
  std::map<std::string, std::shared_ptr<Written>> moved;
  for (auto it = written_.begin(); it != written_.end();) {
    const std::string& path = it->first;
    if (path == from || (path.starts_with(from) && IsSeparator(path[from.size()]))) {
      const std::string now = to + path.substr(from.size());
      it->second->path = now;
      moved[now] = it->second;
      it = written_.erase(it);
    } else {
      ++it;
    }
  }
  written_.merge(moved);
}

void KillEnv::Removed(const std::string& path) {
  std::erase_if(written_, [&](const auto& entry) {
    const std::string& p = entry.first;
    return p == path || (p.starts_with(path) && IsSeparator(p[path.size()]));
  });
}

// ---- By path: reading only ----

bool KillEnv::FileExists(const std::string& path) {
  return OnStick(path) && gone_ ? false : target()->FileExists(path);
}

bool KillEnv::DirExists(const std::string& path) {
  return OnStick(path) && gone_ ? false : target()->DirExists(path);
}

std::int64_t KillEnv::FileSize(const std::string& path) {
  return OnStick(path) && gone_ ? -1 : target()->FileSize(path);
}

std::vector<std::string> KillEnv::ListFiles(const std::string& folder) {
  return OnStick(folder) && gone_ ? std::vector<std::string>{} : target()->ListFiles(folder);
}

std::unique_ptr<platform::SequentialFile> KillEnv::OpenForRead(const std::string& path) {
  if (!OnStick(path)) return target()->OpenForRead(path);
  ThrowIfGone("open " + path);
  return std::make_unique<KillReader>(target()->OpenForRead(path), *this, path);
}

std::unique_ptr<platform::Folder> KillEnv::OpenFolder(const std::string& path) {
  if (OnStick(path)) ThrowIfGone("open folder " + path);
  return std::make_unique<KillFolder>(target()->OpenFolder(path), *this);
}
