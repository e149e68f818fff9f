// The game's folder on Linux: the working folder it was started in.
#include "app/shell/game_folder.h"

// The installed launcher enters the player's data folder before it starts the game, and a build
// is played from the repository's root: both chose the folder already.
void enterGameFolder() {}
