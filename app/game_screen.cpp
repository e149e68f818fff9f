// The screen shown.
#include "app/game_screen.h"

int32_t currentScreen = screenMainMenu;
