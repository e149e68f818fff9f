// Standard output on Windows, and the message box of a failed start-up.
#include <windows.h>
#include <cstdio>

#include "app/console.h"

// The Microsoft C runtime takes line buffering for full buffering, so lines would leave in
// blocks, late, and the last block would be lost when the game is killed: the output is left
// unbuffered, and each printed line leaves whole.
void makeOutputLineByLine() { std::setvbuf(stdout, nullptr, _IONBF, 0); }

// A game started by a double-click has no standard output at all: the line would vanish, so a
// box shows it. Started from a console with its output sent to a file or a pipe, the line is
// there and no box waits for a click, so an automated run is never held up by one.
void tellPlayerStartUpFailed(const std::string& line) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
    return;
  const int n = MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, text.data(), n);
  MessageBoxW(nullptr, text.c_str(), L"NAVRO", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
