// The career record's file-system side on Windows: following links, the file steps of a save
// (flushed with FlushFileBuffers, replaced with MoveFileExW), and the read-only attribute.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <cstdint>
#include <cwchar>
#include <string>

#include "app/data/save_file_local.h"

namespace {

// The attributes a player gives a file in its properties that a replacement keeps.
constexpr DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD shareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The 64-bit FNV-1a hash that names a record folder's lock.
constexpr uint64_t fnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t fnvPrime = 1099511628211ull;

// The game's paths are UTF-8; Windows takes them as UTF-16.
std::wstring widen(const std::string& path) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

std::string narrow(const std::wstring& path) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8.data(), n, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(n - 1));
  return utf8;
}

// The system's own sentence for an error, without its closing full stop.
std::string describeError(DWORD error) {
  char text[256] = {};
  DWORD n =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  while (n > 0 &&
         (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.'))
    --n;
  if (n == 0) return "Windows error " + std::to_string(error);
  return std::string(text, n);
}

FILE* streamOf(HANDLE h) {
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  FILE* f = _fdopen(fd, "wb");
  if (f == nullptr) _close(fd);
  return f;
}
HANDLE handleOf(FILE* f) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f))); }

FILE* openForWriting(const char* path) {
  // The temporary name is ours: whatever was left under it (a link included, never what it
  // points to) goes first, and the file is made new.
  const std::wstring wide = widen(path);
  DeleteFileW(wide.c_str());
  return streamOf(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}
// The record itself, for a folder that takes no new file; it must already be there. Others who
// read it meanwhile may go on.
FILE* openInPlace(const char* path) {
  return streamOf(CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}
size_t writeBytes(const void* data, size_t size, FILE* f) { return std::fwrite(data, 1, size, f); }
int flushFile(FILE* f) { return std::fflush(f); }
int cutFile(FILE* f, long size) { return _chsize_s(_fileno(f), size) == 0 ? 0 : -1; }
// The bytes must be on the disk before the rename makes them the save, or a power cut could
// leave an empty "save.esf" behind.
int syncFile(FILE* f) { return FlushFileBuffers(handleOf(f)) ? 0 : -1; }
int closeFile(FILE* f) { return std::fclose(f); }
// Replaces the record in one step, on the disk when it returns. A record another program holds
// open without letting others delete it cannot be replaced: that fails here like any other step.
int renameFile(const char* from, const char* to) {
  return MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : -1;
}

// The path a link (a symbolic link or a junction) ends at, without the \\?\ the system puts
// before it; empty with `error` set when it leads nowhere.
std::string followLinks(const std::wstring& path, DWORD& error) {
  HANDLE h = CreateFileW(path.c_str(), 0, shareEverything, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return std::string();
  }
  wchar_t final[MAX_PATH * 4] = {};
  const DWORD n = GetFinalPathNameByHandleW(h, final, MAX_PATH * 4, FILE_NAME_NORMALIZED);
  error = n == 0 || n >= MAX_PATH * 4 ? GetLastError() : ERROR_SUCCESS;
  CloseHandle(h);
  if (error != ERROR_SUCCESS) return std::string();
  std::wstring resolved(final, n);
  if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    resolved = L"\\\\" + resolved.substr(8);
  } else if (resolved.rfind(L"\\\\?\\", 0) == 0) {
    resolved = resolved.substr(4);
  }
  return narrow(resolved);
}

// What the shared policy needs to know of a regular file.
void describeFile(SaveTarget& t, DWORD attributes) {
  t.attributes = attributes & keptAttributes;
  t.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  const std::wstring wide = widen(t.path);
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, shareEverything, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    // The player's rights do not let them write it (another user's, or under Program Files).
    t.writeDenied = !t.readOnly && GetLastError() == ERROR_ACCESS_DENIED;
    h = CreateFileW(wide.c_str(), 0, shareEverything, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info))
    t.otherNames = info.nNumberOfLinks > 1;
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

}  // namespace

const SaveFileSteps realSaveFileSteps = {openForWriting, openInPlace, writeBytes, flushFile,
                                         cutFile,        syncFile,    closeFile,  renameFile};

SaveTarget findSaveTarget(const char* path) {
  SaveTarget t;
  t.path = path;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(widen(t.path).c_str(), GetFileExInfoStandard, &data)) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      t.kind = SaveTargetKind::missing;  // the save creates it, where its folder exists
    } else {
      t.kind = SaveTargetKind::unreachable;
      t.reason = describeError(error);
    }
    return t;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A link: the record lives where it ends, and the link stays.
    DWORD error = ERROR_SUCCESS;
    const std::string resolved = followLinks(widen(t.path), error);
    if (resolved.empty() ||
        !GetFileAttributesExW(widen(resolved).c_str(), GetFileExInfoStandard, &data)) {
      t.kind = SaveTargetKind::unreachable;
      t.reason = "its link leads nowhere: " + describeError(error);
      return t;
    }
    t.path = resolved;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    t.kind = SaveTargetKind::notAFile;
    t.reason = "a folder";
    return t;
  }
  t.kind = SaveTargetKind::file;
  describeFile(t, data.dwFileAttributes);
  return t;
}

bool readRecordFile(const std::string& path, unsigned char* bytes, size_t& got,
                    std::string& reason) {
  got = 0;
  HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ, shareEverything, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    reason = describeError(GetLastError());
    return false;
  }
  bool ok = true;
  while (got < saveRecordSize) {
    DWORD n = 0;
    if (!ReadFile(h, bytes + got, static_cast<DWORD>(saveRecordSize - got), &n, nullptr)) {
      reason = describeError(GetLastError());
      ok = false;
      break;
    }
    if (n == 0) break;
    got += n;
  }
  CloseHandle(h);
  return ok;
}

void keepAttributes(FILE* /*temporary*/, const std::string& temporaryPath, const SaveTarget& old) {
  if (old.attributes != 0) SetFileAttributesW(widen(temporaryPath).c_str(), old.attributes);
}

void removeFile(const std::string& path) { DeleteFileW(widen(path).c_str()); }

RecordLockOutcome takeRecordLock(const char* path, RecordLock& lock) {
  wchar_t full[MAX_PATH * 4] = {};
  DWORD n = GetFullPathNameW(widen(findSaveTarget(path).path).c_str(), MAX_PATH * 4, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return RecordLockOutcome::notAvailable;
  while (n > 0 && full[n - 1] != L'\\' && full[n - 1] != L'/') --n;  // the record's folder
  // A named mutex per folder, named after its full path as Windows compares paths (without
  // regard to case): the system destroys it with the last process that holds it.
  CharLowerBuffW(full, n);
  uint64_t hash = fnvOffsetBasis;  // FNV-1a over the path's UTF-16 units
  for (DWORD i = 0; i < n; ++i) hash = (hash ^ full[i]) * fnvPrime;
  wchar_t name[64];
  swprintf(name, 64, L"Local\\NAVRO-record-%016llx", static_cast<unsigned long long>(hash));
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  if (mutex == nullptr) return RecordLockOutcome::notAvailable;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return RecordLockOutcome::heldByAnotherCopy;
  }
  lock.handle = reinterpret_cast<intptr_t>(mutex);
  return RecordLockOutcome::taken;
}

void releaseRecordLock(RecordLock& lock) {
  if (lock.handle != -1) CloseHandle(reinterpret_cast<HANDLE>(lock.handle));
  lock.handle = -1;
}
