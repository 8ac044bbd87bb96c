// SPDX-License-Identifier: GPL-3.0-or-later
// A counterfeit USB stick as a FUSE file system, for the tests: it says it
// holds 16 GiB but keeps only the first --keep BYTES bytes ever written to it.
// Every later write is acknowledged in full and thrown away; reading those
// bytes gives zeros while the files keep the size they were written to.
//
//   counterfeit_fs MOUNTPOINT --keep BYTES [--direct-io] [FUSE options, e.g. -f]
//
// The budget is spent in the order bytes reach the stick, on places of a
// file not written before: rewriting a kept byte keeps it. Files and folders
// live in memory until the stick is unmounted (fusermount3 -u MOUNTPOINT).
//
// The kernel caches the stick's files as it caches those of a real stick:
// writes land in the page cache and reach the stick when flushed (fsync,
// close), and the cache is kept when a file is opened again. Reading a file
// back therefore gives the bytes written until its pages are dropped
// (posix_fadvise POSIX_FADV_DONTNEED, /proc/sys/vm/drop_caches); only then
// does it give what the stick holds. --direct-io bypasses the cache, for
// looking at what the stick holds.
#define FUSE_USE_VERSION 31

#include <fuse.h>
#include <linux/fs.h>  // RENAME_NOREPLACE, RENAME_EXCHANGE
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint64_t kBlockSize = 4096;
constexpr std::uint64_t kVolumeBytes = std::uint64_t{16} << 30;  // what it claims to hold
constexpr std::uint64_t kVolumeBlocks = kVolumeBytes / kBlockSize;
constexpr std::uint64_t kVolumeEntries = 1'000'000;
constexpr std::uint64_t kNameMax = 255;
// Kept bytes are stored in chunks of this size, so a file written past the
// budget costs no memory for what was thrown away. Places never kept read as
// zeros: the chunks hold zeros there.
constexpr std::uint64_t kChunk = 64 * 1024;

struct Node {
  bool folder = false;
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
  ino_t ino = 0;
  timespec atime{}, mtime{}, ctime{};
  std::map<std::string, std::shared_ptr<Node>> entries;  // a folder's
  std::uint64_t size = 0;                                // a file's logical size
  std::map<std::uint64_t, std::vector<char>> chunks;     // its kept bytes, by chunk
  std::map<std::uint64_t, std::uint64_t> kept;           // the places kept, start to end
};
using NodePtr = std::shared_ptr<Node>;

// An open file or folder: it stays readable after its name is removed.
struct Handle {
  NodePtr node;
};

struct Stick {
  std::mutex mutex;
  NodePtr root;
  std::uint64_t keepLeft = 0;  // new places that will still be kept
  std::uint64_t usedBlocks = 0;
  std::uint64_t entryCount = 1;
  ino_t nextIno = 1;
  bool directIo = false;
};
Stick stick;

timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

std::uint64_t BlocksOf(std::uint64_t bytes) {
  return (bytes + kBlockSize - 1) / kBlockSize;
}

NodePtr NewNode(bool folder, mode_t mode, uid_t uid, gid_t gid) {
  auto node = std::make_shared<Node>();
  node->folder = folder;
  node->mode = (folder ? S_IFDIR : S_IFREG) | (mode & 07777);
  node->uid = uid;
  node->gid = gid;
  node->ino = stick.nextIno++;
  node->atime = node->mtime = node->ctime = Now();
  return node;
}

// The node a path names, or -ENOENT / -ENOTDIR.
int Find(const char* path, NodePtr& found) {
  if (path == nullptr) return -ENOENT;
  NodePtr node = stick.root;
  std::string_view rest = path;
  while (!rest.empty()) {
    if (rest.front() == '/') {
      rest.remove_prefix(1);
      continue;
    }
    const std::size_t end = std::min(rest.find('/'), rest.size());
    if (!node->folder) return -ENOTDIR;
    const auto entry = node->entries.find(std::string(rest.substr(0, end)));
    if (entry == node->entries.end()) return -ENOENT;
    node = entry->second;
    rest.remove_prefix(end);
  }
  found = node;
  return 0;
}

// The folder holding a path's last name, and that name.
int FindParent(const char* path, NodePtr& parent, std::string& name) {
  const std::string_view whole = path;
  const std::size_t slash = whole.rfind('/');
  name = std::string(whole.substr(slash + 1));
  if (name.empty() || name == "." || name == "..") return -EINVAL;
  if (name.size() > kNameMax) return -ENAMETOOLONG;
  const std::string folder(whole.substr(0, slash));
  const int error = Find(folder.empty() ? "/" : folder.c_str(), parent);
  if (error != 0) return error;
  return parent->folder ? 0 : -ENOTDIR;
}

// The node of an open handle, else of the path.
int Resolve(const char* path, const fuse_file_info* fi, NodePtr& node) {
  if (fi != nullptr && fi->fh != 0) {
    node = reinterpret_cast<Handle*>(fi->fh)->node;
    return 0;
  }
  return Find(path, node);
}

void Resize(Node& file, std::uint64_t size) {
  stick.usedBlocks = stick.usedBlocks - BlocksOf(file.size) + BlocksOf(size);
  if (size < file.size) {
    // What lies past the new end is gone: a later growth reads zeros there.
    file.kept.erase(file.kept.lower_bound(size), file.kept.end());
    if (!file.kept.empty()) {
      auto& lastEnd = std::prev(file.kept.end())->second;
      lastEnd = std::min(lastEnd, size);
    }
    file.chunks.erase(file.chunks.lower_bound((size + kChunk - 1) / kChunk), file.chunks.end());
    const auto last = file.chunks.find(size / kChunk);
    if (last != file.chunks.end()) {
      std::fill(last->second.begin() + static_cast<std::ptrdiff_t>(size % kChunk),
                last->second.end(), 0);
    }
  }
  file.size = size;
}

// A name goes from its folder: its blocks are free again (the budget is not).
void Forget(Node& node) {
  --stick.entryCount;
  if (!node.folder) stick.usedBlocks -= BlocksOf(node.size);
}

// Calls an operation under the stick's lock; memory running out is ENOMEM.
template <class Operation>
int Locked(Operation operation) {
  try {
    std::lock_guard<std::mutex> lock(stick.mutex);
    return operation();
  } catch (const std::bad_alloc&) {
    return -ENOMEM;
  }
}

void* Init(fuse_conn_info* conn, fuse_config* config) {
  // Writes stay in the page cache until flushed, as on a block device: every
  // page written is then cached, not only those a write() covered whole.
  if (!stick.directIo && (conn->capable & FUSE_CAP_WRITEBACK_CACHE)) {
    conn->want |= FUSE_CAP_WRITEBACK_CACHE;
  }
  // The kernel keeps what it cached of a file as a block device's file
  // system would, instead of dropping it when the file's times change.
  conn->want &= ~FUSE_CAP_AUTO_INVAL_DATA;
  // Open files are ours to keep when their name goes (no .fuse_hidden files).
  config->hard_remove = 1;
  config->nullpath_ok = 1;
  config->use_ino = 1;
  config->kernel_cache = 0;
  return nullptr;
}

int GetAttr(const char* path, struct stat* st, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    *st = {};
    st->st_ino = node->ino;
    st->st_mode = node->mode;
    st->st_uid = node->uid;
    st->st_gid = node->gid;
    st->st_blksize = kBlockSize;
    st->st_atim = node->atime;
    st->st_mtim = node->mtime;
    st->st_ctim = node->ctime;
    if (node->folder) {
      st->st_nlink = 2;
      for (const auto& entry : node->entries) st->st_nlink += entry.second->folder ? 1 : 0;
      st->st_size = kBlockSize;
    } else {
      st->st_nlink = 1;
      st->st_size = static_cast<off_t>(node->size);
    }
    st->st_blocks = static_cast<blkcnt_t>(BlocksOf(static_cast<std::uint64_t>(st->st_size)) *
                                          (kBlockSize / 512));
    return 0;
  });
}

int OpenFolder(const char* path, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Find(path, node)) return error;
    if (!node->folder) return -ENOTDIR;
    fi->fh = reinterpret_cast<std::uint64_t>(new Handle{node});
    return 0;
  });
}

int ReadFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info* fi,
               fuse_readdir_flags) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    if (!node->folder) return -ENOTDIR;
    fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
    for (const auto& entry : node->entries) {
      struct stat st = {};
      st.st_ino = entry.second->ino;
      st.st_mode = entry.second->mode;
      if (fill(buffer, entry.first.c_str(), &st, 0, fuse_fill_dir_flags{}) != 0) break;
    }
    return 0;
  });
}

int Release(const char*, fuse_file_info* fi) {
  return Locked([&] {
    delete reinterpret_cast<Handle*>(fi->fh);
    fi->fh = 0;
    return 0;
  });
}

int MakeFolder(const char* path, mode_t mode) {
  return Locked([&] {
    NodePtr parent;
    std::string name;
    if (const int error = FindParent(path, parent, name)) return error;
    if (parent->entries.count(name) != 0) return -EEXIST;
    if (stick.entryCount >= kVolumeEntries) return -ENOSPC;
    const fuse_context* caller = fuse_get_context();
    parent->entries[name] = NewNode(true, mode, caller->uid, caller->gid);
    ++stick.entryCount;
    parent->mtime = parent->ctime = Now();
    return 0;
  });
}

int Remove(const char* path, bool folder) {
  return Locked([&] {
    NodePtr parent;
    std::string name;
    if (const int error = FindParent(path, parent, name)) return error;
    const auto entry = parent->entries.find(name);
    if (entry == parent->entries.end()) return -ENOENT;
    Node& node = *entry->second;
    if (folder && !node.folder) return -ENOTDIR;
    if (!folder && node.folder) return -EISDIR;
    if (folder && !node.entries.empty()) return -ENOTEMPTY;
    Forget(node);
    parent->entries.erase(entry);
    parent->mtime = parent->ctime = Now();
    return 0;
  });
}

int Unlink(const char* path) {
  return Remove(path, false);
}
int RemoveFolder(const char* path) {
  return Remove(path, true);
}

int Rename(const char* from, const char* to, unsigned int flags) {
  return Locked([&] {
    if ((flags & ~(RENAME_NOREPLACE | RENAME_EXCHANGE)) != 0 ||
        flags == (RENAME_NOREPLACE | RENAME_EXCHANGE)) {
      return -EINVAL;
    }
    NodePtr fromParent, toParent;
    std::string fromName, toName;
    if (const int error = FindParent(from, fromParent, fromName)) return error;
    if (const int error = FindParent(to, toParent, toName)) return error;
    const auto source = fromParent->entries.find(fromName);
    if (source == fromParent->entries.end()) return -ENOENT;
    const NodePtr moved = source->second;
    // A folder cannot go below itself.
    const std::string fromPath = from;
    const std::string toPath = to;
    if (moved->folder && toPath.size() > fromPath.size() &&
        toPath.compare(0, fromPath.size(), fromPath) == 0 && toPath[fromPath.size()] == '/') {
      return -EINVAL;
    }
    const auto target = toParent->entries.find(toName);
    const timespec now = Now();
    if (flags & RENAME_EXCHANGE) {
      if (target == toParent->entries.end()) return -ENOENT;
      std::swap(source->second, target->second);
    } else if (target != toParent->entries.end()) {
      if (flags & RENAME_NOREPLACE) return -EEXIST;
      Node& replaced = *target->second;
      if (&replaced == moved.get()) return 0;
      if (moved->folder && !replaced.folder) return -ENOTDIR;
      if (!moved->folder && replaced.folder) return -EISDIR;
      if (replaced.folder && !replaced.entries.empty()) return -ENOTEMPTY;
      Forget(replaced);
      target->second = moved;
      fromParent->entries.erase(source);
    } else {
      toParent->entries[toName] = moved;
      fromParent->entries.erase(source);
    }
    moved->ctime = now;
    fromParent->mtime = fromParent->ctime = now;
    toParent->mtime = toParent->ctime = now;
    return 0;
  });
}

int ChangeMode(const char* path, mode_t mode, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    node->mode = (node->mode & S_IFMT) | (mode & 07777);
    node->ctime = Now();
    return 0;
  });
}

int ChangeOwner(const char* path, uid_t uid, gid_t gid, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    if (uid != static_cast<uid_t>(-1)) node->uid = uid;
    if (gid != static_cast<gid_t>(-1)) node->gid = gid;
    node->ctime = Now();
    return 0;
  });
}

int SetTimes(const char* path, const timespec times[2], fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    const timespec now = Now();
    const auto set = [&](timespec& field, const timespec& given) {
      if (given.tv_nsec == UTIME_OMIT) return;
      field = given.tv_nsec == UTIME_NOW ? now : given;
    };
    set(node->atime, times ? times[0] : timespec{0, UTIME_NOW});
    set(node->mtime, times ? times[1] : timespec{0, UTIME_NOW});
    node->ctime = now;
    return 0;
  });
}

int Truncate(const char* path, off_t size, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    if (node->folder) return -EISDIR;
    if (size < 0) return -EINVAL;
    const auto bytes = static_cast<std::uint64_t>(size);
    if (BlocksOf(bytes) > BlocksOf(node->size) &&
        stick.usedBlocks + BlocksOf(bytes) - BlocksOf(node->size) > kVolumeBlocks) {
      return -ENOSPC;
    }
    Resize(*node, bytes);
    node->mtime = node->ctime = Now();
    return 0;
  });
}

void Opened(fuse_file_info* fi, const NodePtr& node) {
  fi->fh = reinterpret_cast<std::uint64_t>(new Handle{node});
  fi->direct_io = stick.directIo;
  fi->keep_cache = !stick.directIo;
}

int Open(const char* path, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Find(path, node)) return error;
    if (node->folder) return -EISDIR;
    if (fi->flags & O_TRUNC) {
      Resize(*node, 0);
      node->mtime = node->ctime = Now();
    }
    Opened(fi, node);
    return 0;
  });
}

int Create(const char* path, mode_t mode, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr parent;
    std::string name;
    if (const int error = FindParent(path, parent, name)) return error;
    const auto entry = parent->entries.find(name);
    NodePtr node;
    if (entry != parent->entries.end()) {
      if (fi->flags & O_EXCL) return -EEXIST;
      node = entry->second;
      if (node->folder) return -EISDIR;
      if (fi->flags & O_TRUNC) Resize(*node, 0);
    } else {
      if (stick.entryCount >= kVolumeEntries) return -ENOSPC;
      const fuse_context* caller = fuse_get_context();
      node = NewNode(false, mode, caller->uid, caller->gid);
      parent->entries[name] = node;
      ++stick.entryCount;
      parent->mtime = parent->ctime = Now();
    }
    Opened(fi, node);
    return 0;
  });
}

int Read(const char* path, char* buffer, std::size_t count, off_t offset, fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    if (node->folder) return -EISDIR;
    const auto start = static_cast<std::uint64_t>(offset);
    if (offset < 0 || start >= node->size) return 0;
    const std::uint64_t end = std::min<std::uint64_t>(node->size, start + count);
    for (std::uint64_t at = start; at < end;) {
      const std::uint64_t piece = std::min(end, (at / kChunk + 1) * kChunk) - at;
      const auto chunk = node->chunks.find(at / kChunk);
      char* into = buffer + (at - start);
      if (chunk == node->chunks.end()) {
        std::memset(into, 0, piece);
      } else {
        std::memcpy(into, chunk->second.data() + at % kChunk, piece);
      }
      at += piece;
    }
    node->atime = Now();
    return static_cast<int>(end - start);
  });
}

// Stores bytes at a place of the file.
void Store(Node& file, const char* bytes, std::uint64_t start, std::uint64_t count) {
  for (std::uint64_t at = start; at < start + count;) {
    const std::uint64_t piece = std::min(start + count, (at / kChunk + 1) * kChunk) - at;
    auto chunk = file.chunks.find(at / kChunk);
    if (chunk == file.chunks.end()) {
      chunk = file.chunks.emplace(at / kChunk, std::vector<char>(kChunk, 0)).first;
    }
    std::memcpy(chunk->second.data() + at % kChunk, bytes + (at - start), piece);
    at += piece;
  }
}

// Marks [start, end) kept, joining the ranges it touches.
void MarkKept(Node& file, std::uint64_t start, std::uint64_t end) {
  auto next = file.kept.upper_bound(start);
  if (next != file.kept.begin() && std::prev(next)->second >= start) {
    --next;
    start = next->first;
  }
  while (next != file.kept.end() && next->first <= end) {
    end = std::max(end, next->second);
    next = file.kept.erase(next);
  }
  file.kept.emplace(start, end);
}

// The stick's real room: places already kept take the new bytes; new places
// are kept while the budget lasts and the rest is lost (reads as zeros).
void Keep(Node& file, const char* bytes, std::uint64_t start, std::uint64_t end) {
  for (std::uint64_t at = start; at < end;) {
    auto next = file.kept.upper_bound(at);
    if (next != file.kept.begin() && std::prev(next)->second > at) {
      const std::uint64_t until = std::min(end, std::prev(next)->second);
      Store(file, bytes + (at - start), at, until - at);
      at = until;
      continue;
    }
    const std::uint64_t gapEnd = next == file.kept.end() ? end : std::min(end, next->first);
    const std::uint64_t kept = std::min(gapEnd - at, stick.keepLeft);
    if (kept > 0) {
      stick.keepLeft -= kept;
      Store(file, bytes + (at - start), at, kept);
      MarkKept(file, at, at + kept);
    }
    at = gapEnd;
  }
}

int Write(const char* path, const char* bytes, std::size_t count, off_t offset,
          fuse_file_info* fi) {
  return Locked([&] {
    NodePtr node;
    if (const int error = Resolve(path, fi, node)) return error;
    if (node->folder) return -EISDIR;
    if (offset < 0) return -EINVAL;
    const auto start = static_cast<std::uint64_t>(offset);
    const std::uint64_t end = start + count;
    if (end > node->size &&
        stick.usedBlocks + BlocksOf(end) - BlocksOf(node->size) > kVolumeBlocks) {
      return -ENOSPC;
    }
    Keep(*node, bytes, start, end);  // what is not kept is acknowledged all the same
    if (end > node->size) Resize(*node, end);
    node->mtime = node->ctime = Now();
    return static_cast<int>(count);
  });
}

// Everything written is "on the device" already.
int Sync(const char*, int, fuse_file_info*) {
  return 0;
}
int Flush(const char*, fuse_file_info*) {
  return 0;
}

int VolumeStats(const char*, struct statvfs* st) {
  return Locked([&] {
    *st = {};
    st->f_bsize = kBlockSize;
    st->f_frsize = kBlockSize;
    st->f_blocks = kVolumeBlocks;
    st->f_bfree = kVolumeBlocks - stick.usedBlocks;
    st->f_bavail = st->f_bfree;
    st->f_files = kVolumeEntries;
    st->f_ffree = kVolumeEntries - stick.entryCount;
    st->f_favail = st->f_ffree;
    st->f_namemax = kNameMax;
    return 0;
  });
}

fuse_operations Operations() {
  fuse_operations ops = {};
  ops.init = Init;
  ops.getattr = GetAttr;
  ops.opendir = OpenFolder;
  ops.readdir = ReadFolder;
  ops.releasedir = Release;
  ops.fsyncdir = Sync;
  ops.mkdir = MakeFolder;
  ops.rmdir = RemoveFolder;
  ops.unlink = Unlink;
  ops.rename = Rename;
  ops.chmod = ChangeMode;
  ops.chown = ChangeOwner;
  ops.utimens = SetTimes;
  ops.truncate = Truncate;
  ops.open = Open;
  ops.create = Create;
  ops.read = Read;
  ops.write = Write;
  ops.flush = Flush;
  ops.fsync = Sync;
  ops.release = Release;
  ops.statfs = VolumeStats;
  // No flock or lock: the kernel then keeps locks itself, as for a local disk.
  return ops;
}

bool ParseBytes(const char* text, std::uint64_t& value) {
  if (text == nullptr || *text < '0' || *text > '9') return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text, &end, 10);
  return errno == 0 && *end == '\0';
}

int Usage(const char* program) {
  std::fprintf(stderr,
               "usage: %s MOUNTPOINT --keep BYTES [--direct-io] [FUSE options]\n"
               "  a 16 GiB stick that keeps only the first BYTES bytes written to it\n",
               program);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<char*> fuseArgs = {argv[0]};
  bool keepGiven = false;
  std::uint64_t keep = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--keep") {
      if (i + 1 == argc || !ParseBytes(argv[++i], keep)) return Usage(argv[0]);
      keepGiven = true;
    } else if (arg.starts_with("--keep=")) {
      if (!ParseBytes(argv[i] + 7, keep)) return Usage(argv[0]);
      keepGiven = true;
    } else if (arg == "--direct-io") {
      stick.directIo = true;
    } else if (arg == "--help" || arg == "-h") {
      Usage(argv[0]);
      return 0;
    } else {
      fuseArgs.push_back(argv[i]);
    }
  }
  if (!keepGiven) return Usage(argv[0]);
  char names[] = "-ofsname=counterfeit,subtype=counterfeit";
  fuseArgs.push_back(names);
  // One thread takes the kernel's requests in the order they come, as a
  // stick's controller does: with several, two pieces of one write could be
  // kept in the wrong order, and which bytes are lost would depend on the
  // threads' luck.
  char oneThread[] = "-s";
  fuseArgs.push_back(oneThread);
  fuseArgs.push_back(nullptr);

  stick.keepLeft = keep;
  stick.root = NewNode(true, 0755, getuid(), getgid());
  const fuse_operations ops = Operations();
  return fuse_main(static_cast<int>(fuseArgs.size() - 1), fuseArgs.data(), &ops, nullptr);
}
