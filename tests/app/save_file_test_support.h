// The save-file tests' scratch folder with its record, and the file steps a failing disk breaks.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/data/save_file_local.h"
#include "kit/scratch_folder.h"

namespace savetest {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

// 5000, 7, 3 as the file holds them: little-endian, no header.
inline const Bytes exampleRecord = {0x88, 0x13, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0};

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = makeScratchFolder("navro-save").string();
    ASSERT_FALSE(dir.empty());
    path = dir + "/save.esf";
    saveFileSteps = realSaveFileSteps;
    saveData = {};
  }
  void TearDown() override {
    saveFileSteps = realSaveFileSteps;
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  void writeRaw(const Bytes& bytes) { writeRawAt(path, bytes); }
  static void writeRawAt(const std::string& p, const Bytes& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  Bytes readRaw() { return readRawAt(path); }
  static Bytes readRawAt(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // Reads the file at `path` and returns what the game printed.
  std::string load() {
    testing::internal::CaptureStdout();
    readSaveFileAt(path.c_str());
    return testing::internal::GetCapturedStdout();
  }
  // Reads, then tries to save twice (a run end and the shutdown); returns everything printed.
  std::string loadAndSaveTwice(bool& firstSaved) {
    std::string printed = load();
    saveData = {1, 2, 3};
    testing::internal::CaptureStdout();
    firstSaved = writeSaveFileAt(path.c_str());
    writeSaveFileAt(path.c_str());
    return printed + testing::internal::GetCapturedStdout();
  }
  int filesInDir() {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir)) n += entry.is_regular_file();
    return n;
  }
  static int lines(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
  }

  std::string dir;
  std::string path;
};

// Each step of the write is made to fail in turn, as a full or broken disk would.
inline FILE* failOpen(const char*) { return nullptr; }
inline size_t failWrite(const void*, size_t, FILE*) { return 3; }
inline int failFlush(FILE*) { return -1; }
inline int failSync(FILE*) { return -1; }
inline int failClose(FILE* f) {
  std::fclose(f);
  return -1;
}
inline int failRename(const char*, const char*) { return -1; }

}  // namespace savetest
