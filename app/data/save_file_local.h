// The career record's inside: the record at any path, its byte image, and the file-system steps
// each system provides (save_file_posix.cpp, save_file_windows.cpp) under the shared policy of
// save_file.cpp. For this module's own files, the hosts that watch its saves, and its tests.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "app/data/save_file.h"

constexpr size_t saveRecordSize = 16;

// True when "save.esf" exists but could not be read, or is not a file: this session then never
// writes the record, so a career it could not see is never replaced by one it started at zero.
// Set by every read.
extern bool saveWritesBlocked;

// The same two operations on any path (the temporary file sits beside it).
void readSaveFileAt(const char* path);
bool writeSaveFileAt(const char* path);

// Where the record really lives: "save.esf" itself, or the end of the links it is.
enum class SaveTargetKind {
  missing,      // nothing there yet; a save creates it
  file,         // a regular file
  notAFile,     // a folder, a pipe, a device or a socket: never touched
  unreachable,  // a link loop, a link into a missing folder, or a path that cannot be looked at
};
struct SaveTarget {
  SaveTargetKind kind = SaveTargetKind::missing;
  std::string path;    // the final path after every link; the save's temporary file sits beside it
  std::string reason;  // why it is notAFile or unreachable, for the player
  bool readOnly = false;     // of a file: its owner made it read-only
  bool writeDenied = false;  // of a file: the system does not let this player write it
  bool otherNames = false;   // of a file: other names (hard links) share it
  // What a replacement keeps of the old file, where the system has it: permission bits or
  // attributes, and the owner.
  unsigned attributes = 0, owner = 0, group = 0;
};

// The little-endian byte image of a record, whatever the machine's byte order.
void encodeSaveData(const SaveData& data, unsigned char out[saveRecordSize]);
SaveData decodeSaveData(const unsigned char in[saveRecordSize]);

// The file steps of a save, replaceable so a failing disk can be imitated; each returns 0 on
// success like its C library counterpart.
struct SaveFileSteps {
  FILE* (*open)(const char* path);         // a new temporary file
  FILE* (*openInPlace)(const char* path);  // the existing record, neither created nor truncated
  size_t (*write)(const void* data, size_t size, FILE* f);
  int (*flush)(FILE* f);
  int (*cut)(FILE* f, long size);  // the file's length, after an in-place write
  int (*sync)(FILE* f);
  int (*close)(FILE* f);
  int (*rename)(const char* from, const char* to);
};
extern SaveFileSteps saveFileSteps;            // the steps in use
extern const SaveFileSteps realSaveFileSteps;  // the operating system's own

// What differs from one system to the next, in save_file_posix.cpp or save_file_windows.cpp;
// the policy around it (when to replace, rewrite in place or refuse, and what is said) is shared.
SaveTarget findSaveTarget(const char* path);
// Reads up to 16 bytes of the record at a final path into `bytes`, `got` of them; false with the
// system's reason when the file cannot be read (end of file is no error).
bool readRecordFile(const std::string& path, unsigned char* bytes, size_t& got,
                    std::string& reason);
// Gives a new temporary file what the player gave the record it replaces (mode, owner,
// attributes).
void keepAttributes(FILE* temporary, const std::string& temporaryPath, const SaveTarget& old);
void removeFile(const std::string& path);
