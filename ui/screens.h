// The screens of the game and the switch between them.
#pragma once

#include <cstdint>

enum GameScreen : int32_t {
  screenPlay = 0,
  screenRunOver = 3,
  screenMainMenu = 4,
  screenOptions = 5,
  screenControls = 6,
  screenSeedEntry = 8,
  screenItemBox = 9,
};

constexpr int seedDigitsMax = 19;

extern int32_t currentScreen;             // the screen shown; main menu before anything has run
extern char seedText[seedDigitsMax + 1];  // digits of the seed being entered
extern int32_t seedLength;                // digits in seedText

void showScreen(int32_t n);
void goToMainMenu();
void goToOptions();
void goToControls();
void goToSeedEntry();
void quitGame();
