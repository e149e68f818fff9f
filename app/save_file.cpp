// Reading and writing the career record "save.esf": 16 little-endian bytes, replaced atomically
// where the folder allows it, rewritten in place where it does not.
#include "app/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>

SaveData saveData = {};
bool saveWritesBlocked = false;

namespace {

// Following more links than this is a loop, as the kernel itself judges.
constexpr int maxLinkHops = 40;
constexpr mode_t newRecordMode = 0644;  // before the umask, like any file the player makes
constexpr mode_t anyWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// A refused write is said once: every run end would otherwise repeat it.
bool refusalReported = false;

FILE* openForWriting(const char* path) {
  // The temporary name is ours: never write through a link someone left under it.
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, newRecordMode);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, "wb");
  if (f == nullptr) ::close(fd);
  return f;
}
// The record itself, for a folder that takes no new file; it must already be there.
FILE* openInPlace(const char* path) {
  const int fd = ::open(path, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, "wb");
  if (f == nullptr) ::close(fd);
  return f;
}
size_t writeBytes(const void* data, size_t size, FILE* f) { return std::fwrite(data, 1, size, f); }
int flushFile(FILE* f) { return std::fflush(f); }
int cutFile(FILE* f, long size) { return ftruncate(fileno(f), size); }
// The bytes must be on the disk before the rename makes them the save, or a power cut
// could leave an empty "save.esf" behind.
int syncFile(FILE* f) { return fsync(fileno(f)); }
int closeFile(FILE* f) { return std::fclose(f); }
int renameFile(const char* from, const char* to) { return std::rename(from, to); }

void putLittleEndian(unsigned char* out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint64_t getLittleEndian(const unsigned char* in, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(in[i]) << (8 * i);
  return v;
}

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

// Gives up on a half-written temporary file so the old save stays the only one.
bool abandon(FILE* f, const std::string& tempPath, const char* step, const char* path) {
  if (f != nullptr) saveFileSteps.close(f);
  ::unlink(tempPath.c_str());
  std::printf("Could not save the career record (%s failed); the previous %s is kept\n", step,
              path);
  return false;
}

// Gives the new record the mode and owner of the one it replaces; a player who shared the record
// with a group, or kept it private, keeps it so. Changing the owner works only for the superuser
// and is not needed otherwise.
void keepModeAndOwner(FILE* f, const struct stat& old) {
  const int fd = fileno(f);
  if (fchmod(fd, old.st_mode & 07777) != 0) return;
  if (old.st_uid != geteuid() || old.st_gid != getegid()) {
    [[maybe_unused]] const int ignored = fchown(fd, old.st_uid, old.st_gid);
  }
}

// Reads up to 16 bytes; false on a read error (end of file is not one).
bool readRecordBytes(int fd, unsigned char* bytes, size_t& got) {
  got = 0;
  while (got < saveRecordSize) {
    const ssize_t n = ::read(fd, bytes + got, saveRecordSize - got);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<size_t>(n);
  }
  return true;
}

// Rewrites the record over its own bytes: the whole record at offset 0, then the file cut to its
// length and flushed to the disk. Not atomic like the rename, but it keeps the file, every name
// it has and its place in a folder the player may not add files to; a 16-byte write at the start
// of a file lands in one block.
bool writeInPlace(const std::string& recordPath, const unsigned char* bytes, const char* path) {
  FILE* f = saveFileSteps.openInPlace(recordPath.c_str());
  const char* failed = nullptr;
  if (f == nullptr) {
    failed = "open";
  } else if (saveFileSteps.write(bytes, saveRecordSize, f) != saveRecordSize) {
    failed = "write";
  } else if (saveFileSteps.flush(f) != 0) {
    failed = "flush";
  } else if (saveFileSteps.cut(f, static_cast<long>(saveRecordSize)) != 0) {
    failed = "cut";
  } else if (saveFileSteps.sync(f) != 0) {
    failed = "sync";
  }
  const bool closed = f == nullptr || saveFileSteps.close(f) == 0;
  if (failed == nullptr && !closed) failed = "close";
  if (failed == nullptr) return true;
  std::printf(
      "Could not save the career record (%s in place failed); %s may hold the previous one\n",
      failed, path);
  return false;
}

void reportUnreadable(const char* path, const std::string& reason) {
  std::printf("Could not read the career record %s (%s); it will not be written\n", path,
              reason.c_str());
}

}  // namespace

const SaveFileSteps realSaveSteps = {openForWriting, openInPlace, writeBytes, flushFile,
                                     cutFile,        syncFile,    closeFile,  renameFile};
SaveFileSteps saveFileSteps = realSaveSteps;

SaveTarget findSaveTarget(const char* path) {
  SaveTarget t{};
  t.path = path;
  for (int hop = 0; hop <= maxLinkHops; ++hop) {
    if (lstat(t.path.c_str(), &t.status) != 0) {
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
    if (!S_ISLNK(t.status.st_mode)) {
      t.kind = S_ISREG(t.status.st_mode) ? SaveTargetKind::file : SaveTargetKind::notAFile;
      if (t.kind == SaveTargetKind::notAFile) t.reason = kindOfNonFile(t.status.st_mode);
      return t;
    }
    // A link: the record lives where it points, relative to the link's own folder.
    std::string target(static_cast<size_t>(t.status.st_size > 0 ? t.status.st_size : 255) + 1,
                       '\0');
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

void encodeSaveData(const SaveData& data, unsigned char out[saveRecordSize]) {
  putLittleEndian(out, data.highScore, 8);
  putLittleEndian(out + 8, static_cast<uint32_t>(data.totalDiamonds), 4);
  putLittleEndian(out + 12, static_cast<uint32_t>(data.runCount), 4);
}

SaveData decodeSaveData(const unsigned char in[saveRecordSize]) {
  SaveData data;
  data.highScore = getLittleEndian(in, 8);
  data.totalDiamonds = static_cast<int32_t>(static_cast<uint32_t>(getLittleEndian(in + 8, 4)));
  data.runCount = static_cast<int32_t>(static_cast<uint32_t>(getLittleEndian(in + 12, 4)));
  return data;
}

void readSaveFileAt(const char* path) {
  saveData = {};
  saveWritesBlocked = false;
  refusalReported = false;
  const SaveTarget target = findSaveTarget(path);
  switch (target.kind) {
    case SaveTargetKind::missing:
      break;
    case SaveTargetKind::notAFile:
      // Whatever sits under the record's name is the player's; it is neither read nor replaced.
      saveWritesBlocked = true;
      std::printf("The career record %s is %s, not a file; it is left untouched\n", path,
                  target.reason.c_str());
      break;
    case SaveTargetKind::unreachable:
      saveWritesBlocked = true;
      reportUnreadable(path, target.reason);
      break;
    case SaveTargetKind::file: {
      // Not blocking: a pipe swapped in after the look above must not hang the start-up.
      const int fd = ::open(target.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) {
        // A record we cannot read may still hold another user's career: never replace it.
        saveWritesBlocked = true;
        reportUnreadable(path, std::strerror(errno));
        break;
      }
      unsigned char bytes[saveRecordSize];
      size_t got = 0;
      if (!readRecordBytes(fd, bytes, got)) {
        saveWritesBlocked = true;
        reportUnreadable(path, std::strerror(errno));
      } else if (got < saveRecordSize) {
        std::printf("Error reading from save file!");
      } else {
        saveData = decodeSaveData(bytes);
      }
      ::close(fd);
      break;
    }
  }
  std::printf("diamonds %i\n", saveData.totalDiamonds);
  std::printf("runs %i\n", saveData.runCount);
}

bool writeSaveFileAt(const char* path) {
  // The start-up line already said why this session keeps its hands off the record.
  if (saveWritesBlocked) return false;
  const SaveTarget target = findSaveTarget(path);
  if (target.kind == SaveTargetKind::notAFile || target.kind == SaveTargetKind::unreachable) {
    if (!refusalReported)
      std::printf("The career record %s cannot be written (%s); it is left untouched\n", path,
                  target.reason.c_str());
    refusalReported = true;
    return false;
  }
  const bool replacing = target.kind == SaveTargetKind::file;
  // A record its owner made read-only stays as it is, even for a superuser who could write it.
  if (replacing &&
      (access(target.path.c_str(), W_OK) != 0 || (target.status.st_mode & anyWriteBits) == 0)) {
    if (!refusalReported)
      std::printf("The career record %s is read-only; it is kept as it is\n", path);
    refusalReported = true;
    return false;
  }

  unsigned char bytes[saveRecordSize];
  encodeSaveData(saveData, bytes);
  // A record with other names (hard links) is the same file under each: a rename would give this
  // name a new file and leave the others with the old record.
  if (replacing && target.status.st_nlink > 1) return writeInPlace(target.path, bytes, path);

  // A temporary file beside the record (beside a link's target, so the link stays), so the final
  // rename never crosses file systems and either the old record or the new one is on disk at
  // every moment.
  const std::string tempPath = target.path + ".tmp";
  FILE* f = saveFileSteps.open(tempPath.c_str());
  // A folder the player may not add to (another user's, or read-only) can still hold a record the
  // player may write: then it is rewritten where it is, rather than the run's progress lost.
  if (f == nullptr && replacing) return writeInPlace(target.path, bytes, path);
  if (f == nullptr) return abandon(nullptr, tempPath, "open", path);
  if (replacing) keepModeAndOwner(f, target.status);
  if (saveFileSteps.write(bytes, saveRecordSize, f) != saveRecordSize)
    return abandon(f, tempPath, "write", path);
  // On a full disk a 16-byte record fails only here, at the sync or at the close.
  if (saveFileSteps.flush(f) != 0) return abandon(f, tempPath, "flush", path);
  if (saveFileSteps.sync(f) != 0) return abandon(f, tempPath, "sync", path);
  if (saveFileSteps.close(f) != 0) return abandon(nullptr, tempPath, "close", path);
  if (saveFileSteps.rename(tempPath.c_str(), target.path.c_str()) != 0)
    return abandon(nullptr, tempPath, "rename", path);
  return true;
}

void readSaveFile() { readSaveFileAt(saveFileName); }
bool writeSaveFile() { return writeSaveFileAt(saveFileName); }
