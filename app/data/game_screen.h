// Which screen is shown: read by the frame composition, the frame update and the input, switched
// only by the screens' showScreen.
#pragma once

#include <cstdint>

// 1, 2 and 7 are never shown by the game; they keep the drawing their numbers are given.
enum GameScreen : int32_t {
  screenPlay = 0,
  screenUnusedBlank = 1,  // nothing but the cleared window
  screenUnusedScene = 2,  // the scene and the UI, like the play screen
  screenRunOver = 3,
  screenMainMenu = 4,
  screenOptions = 5,
  screenControls = 6,
  screenUnusedMenu = 7,  // the UI alone, like the menus
  screenSeedEntry = 8,
  screenItemBox = 9,
  lastScreen = screenItemBox,  // numbers above it show nothing
};

extern int32_t currentScreen;  // the screen shown; main menu before anything has run
