// Reading and writing the career record "save.esf": 16 little-endian bytes, replaced atomically
// where the folder allows it, rewritten in place where it does not.
#include "app/data/save_file_local.h"

#include <string>

SaveData saveData = {};
bool saveWritesBlocked = false;

namespace {

// A refused write is said once: every run end would otherwise repeat it.
bool refusalReported = false;
// The line of the last save that failed, until a save succeeds: the same failure at the next
// run end or at quit is not said again.
std::string lastFailure;

void putLittleEndian(unsigned char* out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint64_t getLittleEndian(const unsigned char* in, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(in[i]) << (8 * i);
  return v;
}

bool reportFailure(const std::string& line) {
  if (line != lastFailure) std::printf("%s\n", line.c_str());
  lastFailure = line;
  return false;
}

// Gives up on a half-written temporary file so the old save, if there is one, stays the only one.
bool abandon(FILE* f, const std::string& tempPath, const std::string& step, const char* path,
             bool recordExists) {
  if (f != nullptr) saveFileSteps.close(f);
  removeFile(tempPath);
  const std::string what = "Could not save the career record (" + step + " failed); ";
  return reportFailure(what + (recordExists ? "the previous " + std::string(path) + " is kept"
                                            : "no " + std::string(path) + " was made"));
}

// Rewrites the record over its own bytes: the whole record at offset 0, then the file cut to its
// length and flushed to the disk. Not atomic like the rename, but it keeps the file, every name
// it has and its place in a folder the player may not add files to or rename in; a 16-byte write
// at the start of a file lands in one block. `before` names what failed first, if anything.
bool writeInPlace(const std::string& recordPath, const unsigned char* bytes, const char* path,
                  const std::string& before = "") {
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
  if (failed == nullptr) {
    lastFailure.clear();
    return true;
  }
  const std::string steps = (before.empty() ? "" : before + " failed, then ") + failed;
  // An open that failed wrote nothing; a later step may have written part of the record.
  if (f == nullptr)
    return reportFailure("Could not save the career record (" + steps +
                         " in place failed); the previous " + path + " is kept");
  return reportFailure("Could not save the career record (" + steps + " in place failed); " + path +
                       " may hold the previous one");
}

void reportUnreadable(const char* path, const std::string& reason) {
  std::printf("Could not read the career record %s (%s); it will not be written\n", path,
              reason.c_str());
}

}  // namespace

SaveFileSteps saveFileSteps = realSaveFileSteps;

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
  lastFailure.clear();
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
      unsigned char bytes[saveRecordSize];
      size_t got = 0;
      std::string reason;
      if (!readRecordFile(target.path, bytes, got, reason)) {
        // A record we cannot read may still hold another user's career: never replace it.
        saveWritesBlocked = true;
        reportUnreadable(path, reason);
      } else if (got < saveRecordSize) {
        std::printf("Error reading from save file!");
      } else {
        saveData = decodeSaveData(bytes);
      }
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
  if (replacing && (target.readOnly || target.writeDenied)) {
    if (!refusalReported && target.readOnly)
      std::printf("The career record %s is read-only; it is kept as it is\n", path);
    if (!refusalReported && target.writeDenied)
      std::printf(
          "The career record %s may not be written by this player (permission denied); "
          "it is kept as it is\n",
          path);
    refusalReported = true;
    return false;
  }

  unsigned char bytes[saveRecordSize];
  encodeSaveData(saveData, bytes);
  // A record with other names (hard links) is the same file under each: a rename would give this
  // name a new file and leave the others with the old record.
  if (replacing && target.otherNames) return writeInPlace(target.path, bytes, path);

  // A temporary file beside the record (beside a link's target, so the link stays), so the final
  // rename never crosses file systems and either the old record or the new one is on disk at
  // every moment.
  const std::string tempPath = target.path + ".tmp";
  FILE* f = saveFileSteps.open(tempPath.c_str());
  // A folder the player may not add to (another user's, or read-only) can still hold a record the
  // player may write: then it is rewritten where it is, rather than the run's progress lost.
  if (f == nullptr && replacing) return writeInPlace(target.path, bytes, path);
  if (f == nullptr) return abandon(nullptr, tempPath, "open", path, replacing);
  if (replacing) keepAttributes(f, tempPath, target);
  if (saveFileSteps.write(bytes, saveRecordSize, f) != saveRecordSize)
    return abandon(f, tempPath, "write", path, replacing);
  // On a full disk a 16-byte record fails only here, at the sync or at the close.
  if (saveFileSteps.flush(f) != 0) return abandon(f, tempPath, "flush", path, replacing);
  if (saveFileSteps.sync(f) != 0) return abandon(f, tempPath, "sync", path, replacing);
  if (saveFileSteps.close(f) != 0) return abandon(nullptr, tempPath, "close", path, replacing);
  if (saveFileSteps.rename(tempPath.c_str(), target.path.c_str()) != 0) {
    // A shared folder with the sticky bit refuses to rename over another user's record that this
    // player may still write; Windows refuses while another program holds the record open.
    // Written in place, the run is kept all the same.
    if (!replacing) return abandon(nullptr, tempPath, "rename", path, false);
    removeFile(tempPath);
    return writeInPlace(target.path, bytes, path, "rename");
  }
  lastFailure.clear();
  return true;
}

void readSaveFile() { readSaveFileAt(saveFileName); }
bool writeSaveFile() { return writeSaveFileAt(saveFileName); }
