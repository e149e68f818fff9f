// The game's folder on Windows: the folder that holds navro.exe, whatever folder started it.
#include "app/shell/game_folder.h"

#include <windows.h>
#include <cstdio>
#include <string>

void enterGameFolder() {
  std::wstring exe(MAX_PATH, L'\0');
  DWORD n = 0;
  // A path longer than the buffer comes back cut to its size: grow it and ask again.
  while ((n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()))) ==
             exe.size() &&
         exe.size() < 32768)
    exe.resize(exe.size() * 2);
  exe.resize(n);
  const size_t slash = exe.find_last_of(L"\\/");
  if (n == 0 || slash == std::wstring::npos ||
      !SetCurrentDirectoryW(exe.substr(0, slash + 1).c_str()))
    std::printf(
        "Could not enter the game's own folder (Windows error %lu); playing in the folder "
        "it was started in\n",
        GetLastError());
}
