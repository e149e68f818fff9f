// The screen shown.
#include "app/data/game_screen.h"

int32_t currentScreen = screenMainMenu;
