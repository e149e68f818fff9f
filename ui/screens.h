// The screens of the game and the switch between them.
#pragma once

#include <cstdint>

#include "app/data/game_screen.h"

constexpr int seedDigitsMax = 19;

extern char seedText[seedDigitsMax + 1];  // digits of the seed being entered
extern int32_t seedLength;                // digits in seedText

void showScreen(int32_t n);
void goToMainMenu();
void goToOptions();
void goToControls();
void goToSeedEntry();
void quitGame();
