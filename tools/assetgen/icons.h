// The game's icons for the desktop's menus and launchers, drawn from the window icon's artwork.
#pragma once

#include <string>
#include <vector>

namespace gen {

// Square sizes in pixels that icon themes look for, smallest first.
const std::vector<int>& desktopIconSizes();
// Path under the output folder of the icon of one size, e.g. "packaging/icons/navro-48.png".
std::string desktopIconFile(int size);
// Draws and writes every size under root, and navro.exe's icon made of them
// (packaging/windows/navro.ico); returns how many files could not be written.
int writeDesktopIcons(const std::string& root);

}  // namespace gen
