// Reading and writing the career record "save.esf": 16 little-endian bytes, replaced atomically.
#include "app/save_file.h"

#include <unistd.h>
#include <cstring>
#include <string>

SaveData saveData = {};

namespace {

FILE* openForWriting(const char* path) { return std::fopen(path, "wb"); }
size_t writeBytes(const void* data, size_t size, FILE* f) { return std::fwrite(data, 1, size, f); }
int flushFile(FILE* f) { return std::fflush(f); }
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

// Gives up on a half-written temporary file so the old save stays the only one.
bool abandon(FILE* f, const std::string& tempPath, const char* step, const char* path) {
  if (f != nullptr) saveFileSteps.close(f);
  std::remove(tempPath.c_str());
  std::printf("Could not save the career record (%s failed); the previous %s is kept\n", step,
              path);
  return false;
}

}  // namespace

const SaveFileSteps realSaveSteps = {openForWriting, writeBytes, flushFile,
                                     syncFile,       closeFile,  renameFile};
SaveFileSteps saveFileSteps = realSaveSteps;

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
  FILE* f = std::fopen(path, "rb");
  if (f != nullptr) {
    unsigned char bytes[saveRecordSize];
    if (std::fread(bytes, 1, saveRecordSize, f) < saveRecordSize) {
      std::printf("Error reading from save file!");
    } else {
      saveData = decodeSaveData(bytes);
    }
    std::fclose(f);
  }
  std::printf("diamonds %i\n", saveData.totalDiamonds);
  std::printf("runs %i\n", saveData.runCount);
}

bool writeSaveFileAt(const char* path) {
  // A temporary file in the same folder, so the final rename never crosses file systems and
  // either the old record or the new one is on disk at every moment.
  const std::string tempPath = std::string(path) + ".tmp";
  unsigned char bytes[saveRecordSize];
  encodeSaveData(saveData, bytes);

  FILE* f = saveFileSteps.open(tempPath.c_str());
  if (f == nullptr) return abandon(nullptr, tempPath, "open", path);
  if (saveFileSteps.write(bytes, saveRecordSize, f) != saveRecordSize)
    return abandon(f, tempPath, "write", path);
  // On a full disk a 16-byte record fails only here, at the sync or at the close.
  if (saveFileSteps.flush(f) != 0) return abandon(f, tempPath, "flush", path);
  if (saveFileSteps.sync(f) != 0) return abandon(f, tempPath, "sync", path);
  if (saveFileSteps.close(f) != 0) return abandon(nullptr, tempPath, "close", path);
  if (saveFileSteps.rename(tempPath.c_str(), path) != 0)
    return abandon(nullptr, tempPath, "rename", path);
  return true;
}

void readSaveFile() { readSaveFileAt(saveFileName); }
bool writeSaveFile() { return writeSaveFileAt(saveFileName); }
