// The career record's file-system side on Linux and other POSIX systems: following links, the
// file steps of a save, and keeping the record's mode and owner.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>

#include "app/data/save_file_local.h"

namespace {

// Following more links than this is a loop, as the kernel itself judges.
constexpr int maxLinkHops = 40;
constexpr mode_t newRecordMode = 0644;  // before the umask, like any file the player makes
constexpr mode_t anyWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t permissionBits = 07777;

// A stream on `fd` when it is a regular file; anything else (a pipe, a device) is closed
// unwritten. The open never blocked: a pipe without a reader fails it, one with a reader is
// seen here.
FILE* regularFileStream(int fd) {
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  FILE* f = fdopen(fd, "wb");
  if (f == nullptr) ::close(fd);
  return f;
}

FILE* openForWriting(const char* path) {
  // The temporary name is ours: never write through a link someone left under it, and never
  // wait on a pipe made under it.
  return regularFileStream(::open(
      path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, newRecordMode));
}
// The record itself, for a folder that takes no new file; it must already be there, and a pipe
// swapped in after the look at the path is never waited on.
FILE* openInPlace(const char* path) {
  return regularFileStream(::open(path, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
}
size_t writeBytes(const void* data, size_t size, FILE* f) { return std::fwrite(data, 1, size, f); }
int flushFile(FILE* f) { return std::fflush(f); }
int cutFile(FILE* f, long size) { return ftruncate(fileno(f), size); }
// The bytes must be on the disk before the rename makes them the save, or a power cut
// could leave an empty "save.esf" behind.
int syncFile(FILE* f) { return fsync(fileno(f)); }
int closeFile(FILE* f) { return std::fclose(f); }
int renameFile(const char* from, const char* to) { return std::rename(from, to); }

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool isFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

const char* kindOfNonFile(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// What the shared policy needs to know of a regular file.
void describeFile(SaveTarget& t, const struct stat& st) {
  // A record its owner made read-only stays as it is, even for a superuser who could write it.
  t.readOnly = (st.st_mode & anyWriteBits) == 0;
  t.writeDenied = !t.readOnly && access(t.path.c_str(), W_OK) != 0;
  t.otherNames = st.st_nlink > 1;
  t.attributes = st.st_mode & permissionBits;
  t.owner = st.st_uid;
  t.group = st.st_gid;
}

}  // namespace

const SaveFileSteps realSaveFileSteps = {openForWriting, openInPlace, writeBytes, flushFile,
                                         cutFile,        syncFile,    closeFile,  renameFile};

SaveTarget findSaveTarget(const char* path) {
  SaveTarget t;
  t.path = path;
  struct stat st;
  for (int hop = 0; hop <= maxLinkHops; ++hop) {
    if (lstat(t.path.c_str(), &st) != 0) {
      const int error = errno;
      if (error == ENOENT && (hop == 0 || isFolder(folderOf(t.path)))) {
        // Not there yet: the save creates it (through the link, when one points here).
        t.kind = SaveTargetKind::missing;
      } else if (error == ENOENT) {
        t.kind = SaveTargetKind::unreachable;
        t.reason = "it links to " + t.path + ", whose folder does not exist";
      } else {
        t.kind = SaveTargetKind::unreachable;
        t.reason = std::strerror(error);
      }
      return t;
    }
    if (!S_ISLNK(st.st_mode)) {
      t.kind = S_ISREG(st.st_mode) ? SaveTargetKind::file : SaveTargetKind::notAFile;
      if (t.kind == SaveTargetKind::notAFile) t.reason = kindOfNonFile(st.st_mode);
      if (t.kind == SaveTargetKind::file) describeFile(t, st);
      return t;
    }
    // A link: the record lives where it points, relative to the link's own folder.
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = readlink(t.path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<size_t>(n) >= target.size()) {
      t.kind = SaveTargetKind::unreachable;
      t.reason = n < 0 ? std::strerror(errno) : "its link changed while it was read";
      return t;
    }
    target.resize(static_cast<size_t>(n));
    t.path = target[0] == '/' ? target : folderOf(t.path) + "/" + target;
  }
  t.kind = SaveTargetKind::unreachable;
  t.reason = std::strerror(ELOOP);
  return t;
}

bool readRecordFile(const std::string& path, unsigned char* bytes, size_t& got,
                    std::string& reason) {
  got = 0;
  // Not blocking: a pipe swapped in after the look at the path must not hang the start-up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  bool ok = true;
  while (got < saveRecordSize) {
    const ssize_t n = ::read(fd, bytes + got, saveRecordSize - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      ok = false;
      break;
    }
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return ok;
}

// A player who shared the record with a group, or kept it private, keeps it so. Changing the
// owner works only for the superuser and is not needed otherwise.
void keepAttributes(FILE* temporary, const std::string& /*temporaryPath*/, const SaveTarget& old) {
  const int fd = fileno(temporary);
  if (fchmod(fd, static_cast<mode_t>(old.attributes)) != 0) return;
  if (old.owner != geteuid() || old.group != getegid()) {
    [[maybe_unused]] const int ignored = fchown(fd, old.owner, old.group);
  }
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

RecordLockOutcome takeRecordLock(const char* path, RecordLock& lock) {
  const std::string folder = folderOf(findSaveTarget(path).path);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return RecordLockOutcome::notAvailable;
  // An advisory lock on the folder itself: the kernel drops it when the process ends.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? RecordLockOutcome::heldByAnotherCopy
                                : RecordLockOutcome::notAvailable;
  }
  lock.handle = fd;
  return RecordLockOutcome::taken;
}

void releaseRecordLock(RecordLock& lock) {
  if (lock.handle >= 0) ::close(static_cast<int>(lock.handle));
  lock.handle = -1;
}
