// Building each screen and switching between them.
#include "ui/screens.h"

#include "app/window.h"
#include "ui/ui_elements.h"

int32_t currentScreen = screenMainMenu;
char seedText[seedDigitsMax + 1] = {};
int32_t seedLength = 0;

void showScreen(int32_t n) {
  currentScreen = n;
  resetUi();
}
void goToMainMenu() { showScreen(screenMainMenu); }
void goToOptions() { showScreen(screenOptions); }
void goToControls() { showScreen(screenControls); }
void goToSeedEntry() { showScreen(screenSeedEntry); }
void quitGame() { requestClose(); }
