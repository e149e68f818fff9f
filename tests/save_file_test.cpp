// The career record on disk: its byte layout, the read fallbacks, and replacing it without loss.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "app/save_file.h"
#include "sim/frame_update.h"
#include "ui/screens.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/navro-save-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    path = dir + "/save.esf";
    saveFileSteps = realSaveSteps;
    saveData = {};
  }
  void TearDown() override {
    saveFileSteps = realSaveSteps;
    fs::remove_all(dir);
  }

  void writeRaw(const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  Bytes readRaw() {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // Reads the file at `path` and returns what the game printed.
  std::string load() {
    testing::internal::CaptureStdout();
    readSaveFileAt(path.c_str());
    return testing::internal::GetCapturedStdout();
  }
  int filesInDir() {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir)) n += entry.is_regular_file();
    return n;
  }

  std::string dir;
  std::string path;
};

// 5000, 7, 3 as the file holds them: little-endian, no header.
const Bytes exampleRecord = {0x88, 0x13, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 3, 0, 0, 0};

TEST_F(SaveFileTest, MissingFileStartsAFreshCareerWithoutComplaint) {
  saveData = {99, 99, 99};
  EXPECT_EQ(load(), "diamonds 0\nruns 0\n");
  EXPECT_EQ(saveData.highScore, 0u);
  EXPECT_EQ(saveData.totalDiamonds, 0);
  EXPECT_EQ(saveData.runCount, 0);
}

TEST_F(SaveFileTest, ShortFilesReportTheErrorAndStartAtZero) {
  for (size_t size : {size_t{0}, size_t{1}, size_t{15}}) {
    writeRaw(Bytes(exampleRecord.begin(), exampleRecord.begin() + static_cast<long>(size)));
    saveData = {1, 2, 3};
    EXPECT_EQ(load(), "Error reading from save file!diamonds 0\nruns 0\n") << size << " bytes";
    EXPECT_EQ(saveData.highScore, 0u);
    EXPECT_EQ(saveData.runCount, 0);
  }
}

TEST_F(SaveFileTest, TheExampleRecordLoadsAndTheNextRunIsStoredLittleEndian) {
  writeRaw(exampleRecord);
  EXPECT_EQ(load(), "diamonds 7\nruns 3\n");
  EXPECT_EQ(saveData.highScore, 5000u);

  // The totals after one more run scoring 4000 with 2 diamonds.
  saveData.totalDiamonds += 2;
  saveData.runCount += 1;
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  const Bytes expected = {0x88, 0x13, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 4, 0, 0, 0};
  EXPECT_EQ(readRaw(), expected);
  EXPECT_EQ(filesInDir(), 1) << "no temporary file may be left beside the save";
}

TEST_F(SaveFileTest, AnEndedRunIsOnDiskAtOnce) {
  // The game saves beside itself, so this test runs from the scratch folder.
  const fs::path home = fs::current_path();
  fs::current_path(dir);
  writeRaw(exampleRecord);
  load();
  resetRunState();
  runScore = 4000;
  runDiamonds = 2;
  testing::internal::CaptureStdout();
  endRun();
  testing::internal::GetCapturedStdout();
  fs::current_path(home);
  const Bytes expected = {0x88, 0x13, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 4, 0, 0, 0};
  EXPECT_EQ(readRaw(), expected) << "the run must be saved before the program ends";
  EXPECT_EQ(currentScreen, screenRunOver);
  resetRunState();
}

TEST_F(SaveFileTest, ALongerFileLoadsItsFirstSixteenBytesAndIsRewrittenAtSixteen) {
  Bytes longer = exampleRecord;
  longer.insert(longer.end(), {0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
  writeRaw(longer);
  EXPECT_EQ(load(), "diamonds 7\nruns 3\n");
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(readRaw(), exampleRecord);
}

TEST_F(SaveFileTest, WrappedDiamondTotalsAndHugeScoresSurviveTheRoundTrip) {
  saveData = {0xFEDCBA9876543210ull, static_cast<int32_t>(2147483647u + 2u), -1};
  EXPECT_EQ(saveData.totalDiamonds, -2147483647);
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  const Bytes expected = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE,
                          0x01, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(readRaw(), expected);
  saveData = {};
  EXPECT_EQ(load(), "diamonds -2147483647\nruns -1\n");
  EXPECT_EQ(saveData.highScore, 0xFEDCBA9876543210ull);
}

// Each step of the write is made to fail in turn, as a full or broken disk would.
FILE* failOpen(const char*) { return nullptr; }
size_t failWrite(const void*, size_t, FILE*) { return 3; }
int failFlush(FILE*) { return -1; }
int failSync(FILE*) { return -1; }
int failClose(FILE* f) {
  std::fclose(f);
  return -1;
}
int failRename(const char*, const char*) { return -1; }

TEST_F(SaveFileTest, AFailedWriteKeepsThePreviousSaveAndRemovesTheTemporaryFile) {
  struct Case {
    const char* step;
    void (*breakIt)(SaveFileSteps&);
  };
  const Case cases[] = {
      {"open", [](SaveFileSteps& s) { s.open = failOpen; }},
      {"write", [](SaveFileSteps& s) { s.write = failWrite; }},
      {"flush", [](SaveFileSteps& s) { s.flush = failFlush; }},
      {"sync", [](SaveFileSteps& s) { s.sync = failSync; }},
      {"close", [](SaveFileSteps& s) { s.close = failClose; }},
      {"rename", [](SaveFileSteps& s) { s.rename = failRename; }},
  };
  for (const Case& c : cases) {
    writeRaw(exampleRecord);
    saveFileSteps = realSaveSteps;
    c.breakIt(saveFileSteps);
    saveData = {1, 1, 1};
    testing::internal::CaptureStdout();
    const bool ok = writeSaveFileAt(path.c_str());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok) << c.step;
    EXPECT_EQ(readRaw(), exampleRecord) << c.step << ": the old record must be intact";
    EXPECT_EQ(filesInDir(), 1) << c.step << ": the temporary file must be gone";
    EXPECT_NE(printed.find(c.step), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
  }
}

TEST_F(SaveFileTest, AFolderThatCannotBeWrittenReportsAndReturnsFalse) {
  const std::string missing = dir + "/no-such-folder/save.esf";
  testing::internal::CaptureStdout();
  EXPECT_FALSE(writeSaveFileAt(missing.c_str()));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("previous"), std::string::npos);
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(SaveFileTest, AReadOnlyFolderKeepsItsSave) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  writeRaw(exampleRecord);
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  saveData = {1, 1, 1};
  testing::internal::CaptureStdout();
  const bool ok = writeSaveFileAt(path.c_str());
  testing::internal::GetCapturedStdout();
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_FALSE(ok);
  EXPECT_EQ(readRaw(), exampleRecord);
  EXPECT_EQ(filesInDir(), 1);
}

}  // namespace
