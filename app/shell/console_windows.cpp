// Standard output on Windows, the log file of a game started without one, and the message box of
// a failed start-up.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/shell/console.h"

namespace {

constexpr long logSizeLimit = 1L << 20;  // bytes of navro.log; a session writes a few KiB
constexpr const wchar_t* logName = L"navro.log";
constexpr int standardOutput = 1;  // the C runtime's descriptor of standard output

bool noStandardOutput = false;  // the game was started with no output at all
bool writingLog = false;        // the lines go to navro.log, which still has room

bool hasStandardOutput() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  return out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN;
}

// navro.log's path beside navro.exe, whatever the working folder; empty when unknown.
std::wstring logPath() {
  wchar_t exe[MAX_PATH * 4] = {};
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
  const std::wstring path(exe, n < MAX_PATH * 4 ? n : 0);
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1) + logName;
}

// Makes `path` the standard output. A game without a console has none: its C runtime gave the
// output stream no descriptor at all (-2), and such a stream cannot be reopened on every system
// (Wine refuses), so the file becomes descriptor 1 and the stream is pointed at it.
bool sendOutputTo(const std::wstring& path) {
  if (path.empty()) return false;
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC, _S_IREAD | _S_IWRITE);
  if (fd < 0) return false;
  const bool moved = _dup2(fd, standardOutput) == 0;
  _close(fd);
  if (moved) stdout->_file = standardOutput;
  return moved;
}

}  // namespace

// The Microsoft C runtime takes line buffering for full buffering, so lines would leave in
// blocks, late, and the last block would be lost when the game is killed: the output is left
// unbuffered, and each printed line leaves whole.
void makeOutputLineByLine() {
  noStandardOutput = !hasStandardOutput();
  // A double-clicked game has no output: its lines would vanish, so they go to the log that the
  // zip's README points the player to.
  if (noStandardOutput) writingLog = sendOutputTo(logPath());
  std::setvbuf(stdout, nullptr, _IONBF, 0);
}

void keepLogWithinLimit() {
  if (!writingLog || std::ftell(stdout) < logSizeLimit) return;
  std::printf("navro.log has reached %ld KiB; later lines are not kept\n", logSizeLimit >> 10);
  writingLog = false;
  _wfreopen(L"NUL", L"w", stdout);
}

// A game started by a double-click has no standard output at all, and a player reads no log
// before wondering why nothing opened: a box shows the line too. Started from a console with its
// output sent to a file or a pipe, the line is there and no box waits for a click, so an
// automated run is never held up by one.
void tellPlayerStartUpFailed(const std::string& line) {
  if (!noStandardOutput) return;
  const int n = MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, text.data(), n);
  MessageBoxW(nullptr, text.c_str(), L"NAVRO", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
