// The folder the game plays in: the one its run-time files and its record are read from.
#pragma once

// Makes the game's own folder the working folder where the system needs it. On Windows a game
// started from a shortcut or a console elsewhere would read no art and save its record in that
// other folder: it moves to the folder of navro.exe, which holds both. On Linux the launcher
// (or the player) starts it in its folder, as the game has always expected.
void enterGameFolder();
