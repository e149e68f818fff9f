// The career record on disk, on every system: its byte layout, the read fallbacks, and replacing
// it without loss.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/data/run_state.h"
#include "app/data/save_file_local.h"
#include "app/save_file_test_support.h"
#include "sim/frame_update.h"
#include "ui/screens.h"

namespace {

using namespace savetest;

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

TEST_F(SaveFileTest, AFailedWriteKeepsThePreviousSaveAndRemovesTheTemporaryFile) {
  struct Case {
    const char* step;
    void (*breakIt)(SaveFileSteps&);
  };
  const Case cases[] = {
      {"write", [](SaveFileSteps& s) { s.write = failWrite; }},
      {"flush", [](SaveFileSteps& s) { s.flush = failFlush; }},
      {"sync", [](SaveFileSteps& s) { s.sync = failSync; }},
      {"close", [](SaveFileSteps& s) { s.close = failClose; }},
      // No way in place either, after the rename or instead of the temporary file.
      {"rename failed, then open in place",
       [](SaveFileSteps& s) {
         s.rename = failRename;
         s.openInPlace = failOpen;
       }},
      {"open in place", [](SaveFileSteps& s) { s.open = s.openInPlace = failOpen; }},
  };
  for (const Case& c : cases) {
    writeRaw(exampleRecord);
    saveFileSteps = realSaveFileSteps;
    c.breakIt(saveFileSteps);
    saveData = {1, 1, 1};
    testing::internal::CaptureStdout();
    const bool ok = writeSaveFileAt(path.c_str());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok) << c.step;
    EXPECT_EQ(readRaw(), exampleRecord) << c.step << ": the old record must be intact";
    EXPECT_EQ(filesInDir(), 1) << c.step << ": the temporary file must be gone";
    EXPECT_NE(printed.find(c.step), std::string::npos) << printed;
    EXPECT_EQ(lines(printed), 1) << printed;
  }
}

// A folder that takes no new file (another user's, read-only) around a record the player may
// write, and a record with a second name: both are rewritten over their own bytes, the same file
// under every name.
TEST_F(SaveFileTest, ARecordThatCannotBeReplacedIsRewrittenInPlace) {
  // Longer than a record: the rewrite cuts it to 16 bytes, as a replaced one would be.
  Bytes longer = exampleRecord;
  longer.insert(longer.end(), {9, 9, 9});
  writeRaw(longer);
  const std::string other = dir + "/career-copy.esf";
  fs::create_hard_link(path, other);
  // No temporary file can be made: the record is rewritten where it is.
  saveFileSteps.open = failOpen;
  saveData = {5000, 9, 4};
  testing::internal::CaptureStdout();
  EXPECT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  Bytes expected = exampleRecord;
  expected[8] = 9;
  expected[12] = 4;
  EXPECT_EQ(readRaw(), expected);
  EXPECT_EQ(readRawAt(other), expected) << "the same file, rewritten";
  EXPECT_EQ(filesInDir(), 2);

  // A second name: the real steps choose the in-place way themselves, so both names agree.
  saveFileSteps = realSaveFileSteps;
  saveData.runCount = 5;
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  const Bytes seen = readRawAt(other);
  ASSERT_EQ(seen.size(), 16u);
  EXPECT_EQ(seen[12], 5) << "the other name shows the new record";
  EXPECT_EQ(filesInDir(), 2);

  // Each in-place step that fails says so on one line and leaves no file behind.
  struct Case {
    const char* step;
    void (*breakIt)(SaveFileSteps&);
  };
  const Case cases[] = {
      {"write in place", [](SaveFileSteps& s) { s.write = failWrite; }},
      {"flush in place", [](SaveFileSteps& s) { s.flush = failFlush; }},
      {"cut in place", [](SaveFileSteps& s) { s.cut = [](FILE*, long) { return -1; }; }},
      {"sync in place", [](SaveFileSteps& s) { s.sync = failSync; }},
      {"close in place", [](SaveFileSteps& s) { s.close = failClose; }},
  };
  for (const Case& c : cases) {
    saveFileSteps = realSaveFileSteps;
    c.breakIt(saveFileSteps);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(writeSaveFileAt(path.c_str())) << c.step;
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find(c.step), std::string::npos) << printed;
    EXPECT_EQ(lines(printed), 1) << printed;
    EXPECT_EQ(filesInDir(), 2) << c.step;
  }
}

// A shared folder with the sticky bit refuses to rename over another user's record that this
// player may still write: the record is rewritten in place, and the run is kept.
TEST_F(SaveFileTest, ARefusedRenameRewritesTheRecordInPlace) {
  writeRaw(exampleRecord);
  saveFileSteps.rename = failRename;
  saveData = {5000, 9, 4};
  testing::internal::CaptureStdout();
  EXPECT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  Bytes expected = exampleRecord;
  expected[8] = 9;
  expected[12] = 4;
  EXPECT_EQ(readRaw(), expected);
  EXPECT_EQ(filesInDir(), 1) << "no temporary file may be left beside the record";
}

// With no record yet, a failed save says that none was made, not that one was kept; the same
// failure at the next run end and at quit is said once, and again only after a save succeeded.
TEST_F(SaveFileTest, AFailureSaysWhatHappenedOnceUntilASaveSucceeds) {
  const std::string missing = dir + "/no-such-folder/save.esf";
  const std::string line =
      "Could not save the career record (open failed); no " + missing + " was made\n";
  testing::internal::CaptureStdout();
  EXPECT_FALSE(writeSaveFileAt(missing.c_str()));
  EXPECT_FALSE(writeSaveFileAt(missing.c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), line);
  EXPECT_FALSE(fs::exists(missing));

  saveFileSteps.open = failOpen;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(writeSaveFileAt(path.c_str()));
  saveFileSteps = realSaveFileSteps;
  EXPECT_TRUE(writeSaveFileAt(path.c_str()));
  saveFileSteps.open = failOpen;
  EXPECT_FALSE(writeSaveFileAt(missing.c_str()));
  const std::string again =
      "Could not save the career record (open failed); no " + path + " was made\n" + line;
  EXPECT_EQ(testing::internal::GetCapturedStdout(), again);
}

TEST_F(SaveFileTest, AFolderUnderTheRecordsNameIsNeverTouched) {
  fs::create_directory(path);
  std::ofstream(path + "/inside") << "the player's";
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed, "The career record " + path +
                         " is a folder, not a file; it is left untouched\ndiamonds 0\nruns 0\n");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fs::exists(path + "/inside"));
  EXPECT_EQ(saveData.runCount, 3) << "the counts stay in memory for the screens";
}

// A second copy of the game on the same record is refused while the first holds its folder; a
// record in another folder is free, and the folder is free again once the first lets go.
TEST_F(SaveFileTest, OneCopyAtATimeHoldsTheRecordsFolder) {
  const std::string elsewhere = makeScratchFolder("navro-save-elsewhere").string();
  const std::string otherRecord = elsewhere + "/save.esf";
  RecordLock first, second, other;
  ASSERT_EQ(takeRecordLock(path.c_str(), first), RecordLockOutcome::taken);
  EXPECT_EQ(takeRecordLock(path.c_str(), second), RecordLockOutcome::heldByAnotherCopy);
  EXPECT_EQ(second.handle, -1) << "a refused copy holds nothing";
  EXPECT_EQ(takeRecordLock(otherRecord.c_str(), other), RecordLockOutcome::taken);
  releaseRecordLock(first);
  EXPECT_EQ(takeRecordLock(path.c_str(), second), RecordLockOutcome::taken);
  releaseRecordLock(second);
  releaseRecordLock(other);
  EXPECT_EQ(filesInDir(), 0) << "the lock leaves no file behind";
  std::error_code ec;
  fs::remove_all(elsewhere, ec);
}

}  // namespace
