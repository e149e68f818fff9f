// The career record on Linux: links, permission bits and owners, pipes, and the folder's rights.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/data/save_file_local.h"
#include "app/save_file_test_support.h"

namespace {

using namespace savetest;

// The in-place rewrite keeps the file itself: its inode and its mode.
TEST_F(SaveFileTest, AnInPlaceRewriteKeepsTheFileAndItsMode) {
  struct stat before, after;
  writeRaw(exampleRecord);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  saveFileSteps.open = failOpen;
  saveData = {5000, 9, 4};
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, rewritten";
  EXPECT_EQ(after.st_mode, before.st_mode);
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
  static mode_t modeOf(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
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

TEST_F(SaveRecordAccessTest, APipeUnderTheRecordsNameIsNeverTouchedAndNeverBlocks) {
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);  // a blocking open would hang here
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

// A pipe made under the temporary file's name, or swapped in for the record after it was looked
// at, is never waited on: the opens fail at once, whether or not something reads the pipe. With a
// record to rewrite, the save goes in place; without one, it fails on one line.
TEST_F(SaveRecordAccessTest, APipeUnderTheTemporaryNameNeverBlocksASave) {
  const std::string temporary = path + ".tmp";
  ASSERT_EQ(mkfifo(temporary.c_str(), 0600), 0);
  std::atomic<bool> done{false};
  bool savedWithout = true, savedWith = false;
  std::string printed;
  std::thread saver([&] {
    testing::internal::CaptureStdout();
    savedWithout = writeSaveFileAt(path.c_str());
    printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(mkfifo(temporary.c_str(), 0600), 0);
    writeRaw(exampleRecord);
    saveData = {5000, 9, 4};
    savedWith = writeSaveFileAt(path.c_str());
    const int reader = ::open(temporary.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_EQ(realSaveFileSteps.open(temporary.c_str()), nullptr);  // a reader is there
    EXPECT_EQ(realSaveFileSteps.openInPlace(temporary.c_str()), nullptr);
    ::close(reader);
    done = true;
  });
  for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!done) {
    // The saver can never be joined: end here with the failure rather than hang the suite.
    std::fprintf(stderr, "a save waited on the pipe under its temporary name\n");
    std::_Exit(1);
  }
  saver.join();
  EXPECT_FALSE(savedWithout);
  EXPECT_EQ(printed, "Could not save the career record (open failed); no " + path + " was made\n");
  EXPECT_TRUE(savedWith);
  EXPECT_EQ(readRaw()[12], 4) << "rewritten in place";
}

}  // namespace
