// The career record on disk: its byte layout, the read fallbacks, and replacing it without loss.
#include <gtest/gtest.h>

#include <sys/stat.h>
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
      {"write", [](SaveFileSteps& s) { s.write = failWrite; }},
      {"flush", [](SaveFileSteps& s) { s.flush = failFlush; }},
      {"sync", [](SaveFileSteps& s) { s.sync = failSync; }},
      {"close", [](SaveFileSteps& s) { s.close = failClose; }},
      {"rename", [](SaveFileSteps& s) { s.rename = failRename; }},
      // No temporary file and no way in place either.
      {"open", [](SaveFileSteps& s) { s.open = s.openInPlace = failOpen; }},
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

// A folder that takes no new file (another user's, read-only) around a record the player may
// write, and a record with a second name: both are rewritten over their own bytes, the same file.
TEST_F(SaveFileTest, ARecordThatCannotBeReplacedIsRewrittenInPlace) {
  struct stat before, after;
  // Longer than a record: the rewrite cuts it to 16 bytes, as a replaced one would be.
  Bytes longer = exampleRecord;
  longer.insert(longer.end(), {9, 9, 9});
  writeRaw(longer);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  saveFileSteps.open = failOpen;
  saveData = {5000, 9, 4};
  testing::internal::CaptureStdout();
  EXPECT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  Bytes expected = exampleRecord;
  expected[8] = 9;
  expected[12] = 4;
  EXPECT_EQ(readRaw(), expected);
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, rewritten";
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(filesInDir(), 1);

  // A second name: the real steps choose the in-place way themselves, so both names agree.
  saveFileSteps = realSaveSteps;
  const std::string other = dir + "/career-copy.esf";
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  saveData.runCount = 5;
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  std::ifstream in(other, std::ios::binary);
  const Bytes seen(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(seen.size(), 16u);
  EXPECT_EQ(seen[12], 5) << "the other name shows the new record";
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_nlink, 2u);
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
    saveFileSteps = realSaveSteps;
    c.breakIt(saveFileSteps);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(writeSaveFileAt(path.c_str())) << c.step;
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find(c.step), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_EQ(filesInDir(), 2) << c.step;
  }
}

TEST_F(SaveFileTest, AFolderThatCannotBeWrittenReportsAndReturnsFalse) {
  const std::string missing = dir + "/no-such-folder/save.esf";
  testing::internal::CaptureStdout();
  EXPECT_FALSE(writeSaveFileAt(missing.c_str()));
  EXPECT_NE(testing::internal::GetCapturedStdout().find("previous"), std::string::npos);
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(SaveFileTest, AReadOnlyFolderKeepsItsWritableRecordUpToDate) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  writeRaw(exampleRecord);
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  saveData = {1, 1, 1};
  testing::internal::CaptureStdout();
  const bool ok = writeSaveFileAt(path.c_str());
  const std::string printed = testing::internal::GetCapturedStdout();
  // No record yet in a read-only folder: nothing can be made, nothing appears.
  const std::string fresh = dir + "/fresh.esf";
  testing::internal::CaptureStdout();
  const bool freshSaved = writeSaveFileAt(fresh.c_str());
  testing::internal::GetCapturedStdout();
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_TRUE(ok) << printed;
  EXPECT_EQ(readRaw(), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_FALSE(freshSaved);
  EXPECT_EQ(filesInDir(), 1);
}

// What sits under the record's name when it is not simply the player's own writable file.
class SaveRecordAccessTest : public SaveFileTest {
 protected:
  // Reads, then tries to save twice (a run end and the shutdown); returns everything printed.
  std::string loadAndSaveTwice(bool& firstSaved) {
    std::string printed = load();
    saveData = {1, 2, 3};
    testing::internal::CaptureStdout();
    firstSaved = writeSaveFileAt(path.c_str());
    writeSaveFileAt(path.c_str());
    return printed + testing::internal::GetCapturedStdout();
  }
  static mode_t modeOf(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
  }
  static int lines(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
  }
};

TEST_F(SaveRecordAccessTest, ALinkedRecordIsReadAndReplacedAtItsTargetAndTheLinkStays) {
  // Relative and absolute links, and a link to a link, into another folder.
  fs::create_directory(dir + "/elsewhere");
  const std::string target = dir + "/elsewhere/career.bin";
  for (const std::string& linkText : {std::string("elsewhere/career.bin"), target}) {
    fs::remove(path);
    fs::remove(dir + "/hop");
    {
      std::ofstream out(target, std::ios::binary);
      out.write(reinterpret_cast<const char*>(exampleRecord.data()), 16);
    }
    fs::create_symlink(linkText, dir + "/hop");
    fs::create_symlink("hop", path);
    EXPECT_EQ(load(), "diamonds 7\nruns 3\n") << linkText;
    saveData.runCount = 4;
    ASSERT_TRUE(writeSaveFileAt(path.c_str())) << linkText;
    EXPECT_TRUE(fs::is_symlink(path)) << "the link itself must stay";
    EXPECT_EQ(fs::read_symlink(path), "hop");
    EXPECT_EQ(fs::read_symlink(dir + "/hop"), linkText);
    std::ifstream in(target, std::ios::binary);
    const Bytes stored(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(stored.size(), 16u);
    EXPECT_EQ(stored[12], 4) << "the target holds the new record";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/elsewhere"), {}), 1)
        << "no temporary file beside the target";
  }
}

TEST_F(SaveRecordAccessTest, ADanglingLinkBecomesItsTargetOnlyWhenTheTargetsFolderExists) {
  fs::create_directory(dir + "/kept");
  fs::create_symlink("kept/record", path);
  bool saved = false;
  std::string printed = loadAndSaveTwice(saved);
  EXPECT_EQ(printed, "diamonds 0\nruns 0\n") << "a record not made yet is no error";
  EXPECT_TRUE(saved);
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(fs::file_size(dir + "/kept/record"), 16u);

  fs::remove(path);
  fs::create_symlink("gone/record", path);
  printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(lines(printed), 3) << printed;
  EXPECT_NE(printed.find("Could not read the career record " + path + " (it links to"),
            std::string::npos)
      << printed;
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_FALSE(fs::exists(dir + "/gone"));
}

TEST_F(SaveRecordAccessTest, AFolderOrAPipeUnderTheRecordsNameIsNeverTouchedAndNeverBlocks) {
  fs::create_directory(path);
  std::ofstream(path + "/inside") << "the player's";
  bool saved = true;
  std::string printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed, "The career record " + path +
                         " is a folder, not a file; it is left untouched\ndiamonds 0\nruns 0\n");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fs::exists(path + "/inside"));
  EXPECT_EQ(saveData.runCount, 3) << "the counts stay in memory for the screens";

  fs::remove_all(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  printed = loadAndSaveTwice(saved);  // a blocking open would hang here
  EXPECT_FALSE(saved);
  EXPECT_NE(printed.find("is a named pipe, not a file"), std::string::npos) << printed;
  EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(SaveRecordAccessTest, ALinkLoopIsUnreadableAndLeftAlone) {
  fs::create_symlink("save.esf", path);
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_NE(printed.find("Could not read the career record " + path +
                         " (Too many levels of symbolic links); it will not be written"),
            std::string::npos)
      << printed;
  EXPECT_TRUE(fs::is_symlink(path));
}

TEST_F(SaveRecordAccessTest, AReadOnlyRecordKeepsItsBytesAndModeAndSaysSoOnce) {
  writeRaw(exampleRecord);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed, "diamonds 7\nruns 3\nThe career record " + path +
                         " is read-only; it is kept as it is\n");
  EXPECT_EQ(readRaw(), exampleRecord);
  EXPECT_EQ(modeOf(path), 0444u);
  EXPECT_EQ(filesInDir(), 1);
}

TEST_F(SaveRecordAccessTest, AReplacedRecordKeepsTheModeItsOwnerGaveIt) {
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0664}}) {
    writeRaw(exampleRecord);
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    load();
    saveData.runCount = 9;
    ASSERT_TRUE(writeSaveFileAt(path.c_str()));
    EXPECT_EQ(modeOf(path), mode);
    EXPECT_EQ(readRaw()[12], 9);
  }
}

TEST_F(SaveRecordAccessTest, ARecordThePlayerCannotReadIsNeverReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser reads through permission bits";
  writeRaw(exampleRecord);
  fs::permissions(path, fs::perms::none);
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed, "Could not read the career record " + path +
                         " (Permission denied); it will not be written\ndiamonds 0\nruns 0\n");
  EXPECT_EQ(readRaw(), exampleRecord);
}

}  // namespace
