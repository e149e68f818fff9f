// Fuzz target: the save-file reader on a file of any bytes and length, and the record's byte image.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/data/save_file_local.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr const char* fallbackTempDir = "/tmp";  // when TMPDIR is unset

// saveData is filled with this before every read, so a reader that leaves stale data behind on
// a short file is caught.
constexpr unsigned char staleByte = 0xA5;

std::string scratchDir;
std::string inputPath;    // the fuzz bytes, read as a save file
std::string writtenPath;  // where the decoded record is saved again

void removeScratch() {
  std::error_code ec;
  std::filesystem::remove_all(scratchDir, ec);
}

// An fsync per input would make the run wait on the disk; the rest of the write path is real.
int skipSync(FILE*) { return 0; }

bool sameRecord(const SaveData& a, const SaveData& b) {
  return a.highScore == b.highScore && a.totalDiamonds == b.totalDiamonds &&
         a.runCount == b.runCount;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  fuzz::check(f != nullptr, "the scratch file cannot be created");
  const size_t written = size == 0 ? 0 : std::fwrite(data, 1, size, f);
  fuzz::check(std::fclose(f) == 0 && written == size, "the scratch file cannot be written");
}

std::string readFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return bytes;
  char chunk[64];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

void readInto(const std::string& path) {
  std::memset(&saveData, staleByte, sizeof saveData);
  readSaveFileAt(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceStdout();
  // One folder per process, so parallel fuzzing jobs never read each other's scratch file; a
  // crash skips the clean-up, so tools/fuzz.sh points TMPDIR into its own scratch folder.
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : fallbackTempDir) +
                        "/navro-fuzz-save-XXXXXX";
  fuzz::check(mkdtemp(pattern.data()) != nullptr, "no scratch folder in the temporary folder");
  scratchDir = pattern;
  inputPath = scratchDir + "/input.esf";
  writtenPath = scratchDir + "/" + saveFileName;
  std::atexit(removeScratch);
  saveFileSteps = realSaveFileSteps;
  saveFileSteps.sync = skipSync;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile(inputPath, data, size);
  readInto(inputPath);

  // A file shorter than a record loads as zero; a longer one is read by its first 16 bytes.
  const bool whole = size >= saveRecordSize;
  const SaveData expected = whole ? decodeSaveData(data) : SaveData{};
  fuzz::check(sameRecord(saveData, expected), "the record read differs from the file's bytes");
  if (!whole) return 0;

  unsigned char image[saveRecordSize];
  encodeSaveData(expected, image);
  fuzz::check(std::memcmp(image, data, saveRecordSize) == 0,
              "encoding the decoded record does not give the bytes back");
  if constexpr (std::endian::native == std::endian::little) {
    SaveData raw;
    std::memcpy(&raw, data, saveRecordSize);
    fuzz::check(sameRecord(raw, expected), "the file differs from the record's memory image");
  }

  // Saving what was loaded writes exactly the record, and loading that gives the same record.
  fuzz::check(writeSaveFileAt(writtenPath.c_str()), "saving the loaded record failed");
  const std::string saved = readFile(writtenPath);
  fuzz::check(
      saved.size() == saveRecordSize && std::memcmp(saved.data(), data, saveRecordSize) == 0,
      "the saved file is not the record's 16 bytes");
  readInto(writtenPath);
  fuzz::check(sameRecord(saveData, expected), "the saved record reads back differently");
  return 0;
}
