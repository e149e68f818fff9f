// The career record on Windows: the read-only attribute, a record another program holds open,
// and the attributes a replaced record keeps.
#include <gtest/gtest.h>

#include <windows.h>
#include <string>

#include "app/data/save_file_local.h"
#include "app/save_file_test_support.h"

namespace {

using namespace savetest;

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }
DWORD attributesOf(const std::string& p) { return GetFileAttributesW(wide(p).c_str()); }

// Another program's handle on the record, letting others do no more than `sharing` allows.
HANDLE holdOpen(const std::string& p, DWORD sharing) {
  return CreateFileW(wide(p).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(SaveFileTest, TheReadOnlyAttributeKeepsTheRecordAsItIsAndIsSaidOnce) {
  writeRaw(exampleRecord);
  ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  bool saved = true;
  const std::string printed = loadAndSaveTwice(saved);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed, "diamonds 7\nruns 3\nThe career record " + path +
                         " is read-only; it is kept as it is\n");
  EXPECT_NE(attributesOf(path) & FILE_ATTRIBUTE_READONLY, 0u) << "the attribute stays";
  SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readRaw(), exampleRecord);
  EXPECT_EQ(filesInDir(), 1);
}

// Windows does not replace a file another program has open without letting others delete it,
// nor let it be written while that program lets others only read it: the save fails on one
// line, the old record and no temporary file stay, and the next save after the program lets go
// succeeds.
TEST_F(SaveFileTest, ARecordAnotherProgramHoldsOpenIsKeptAndSavedOnceItIsFree) {
  writeRaw(exampleRecord);
  load();
  const HANDLE other = holdOpen(path, FILE_SHARE_READ);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  saveData.runCount = 4;
  testing::internal::CaptureStdout();
  const bool saved = writeSaveFileAt(path.c_str());
  const std::string printed = testing::internal::GetCapturedStdout();
  CloseHandle(other);
  EXPECT_FALSE(saved);
  EXPECT_EQ(printed,
            "Could not save the career record (rename failed, then open in place "
            "failed); the previous " +
                path + " is kept\n");
  EXPECT_EQ(readRaw(), exampleRecord);
  EXPECT_EQ(filesInDir(), 1) << "no temporary file may be left beside the save";

  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(readRaw()[12], 4);
}

// A record another program holds without letting anyone read it cannot be read at start-up: it
// may hold a career this session cannot see, so it is never replaced, even once it is free.
TEST_F(SaveFileTest, ARecordThatCouldNotBeReadIsNeverReplaced) {
  writeRaw(exampleRecord);
  const HANDLE other = holdOpen(path, 0);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  const std::string printed = load();
  CloseHandle(other);
  EXPECT_EQ(printed.rfind("Could not read the career record " + path + " (", 0), 0u) << printed;
  EXPECT_NE(printed.find("); it will not be written\ndiamonds 0\nruns 0\n"), std::string::npos)
      << printed;
  saveData = {1, 2, 3};
  EXPECT_FALSE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(readRaw(), exampleRecord);
}

TEST_F(SaveFileTest, AReplacedRecordStaysHiddenWhenThePlayerHidItAndIsWrittenThrough) {
  writeRaw(exampleRecord);
  ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  load();
  saveData.runCount = 9;
  ASSERT_TRUE(writeSaveFileAt(path.c_str()));
  EXPECT_EQ(readRaw()[12], 9);
  EXPECT_NE(attributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(filesInDir(), 1);
}

}  // namespace
