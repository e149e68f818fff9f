// Building each screen and switching between them: menus, seed entry, run over, item box roll.
#include "ui/screens.h"

#include <cstdio>

#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "app/data/texture_names.h"
#include "sim/generation.h"
#include "sim/pickups.h"
#include "sim/random.h"
#include "sim/run_events.h"
#include "ui/hud.h"
#include "ui/ui_elements.h"
#include "ui/ui_requests.h"

char seedText[seedDigitsMax + 1] = {};
int32_t seedLength = 0;

namespace {

constexpr float buttonHeight = 0.05f;
constexpr float buttonWidth = 0.4f;
constexpr uint64_t nonNegativeSeedMask = 0x7FFFFFFFFFFFFFFFull;

struct ButtonLayout {
  const char* caption;
  float x, y;
  UiAction action;
};

// A fixed caption centred on (x, y).
UiText& placeText(int index, const char* caption, float x, float y) {
  UiText& t = uiTexts[index];
  t.anchor = anchorCentre;
  std::snprintf(t.text, sizeof t.text, "%s", caption);
  t.x = x;
  t.y = y;
  return t;
}

// A menu button: an invisible hit area with its caption as a separate label text.
void makeButton(int element, int label, const ButtonLayout& button) {
  UiElement& e = uiElements[element];
  e.anchor = anchorCentre;
  e.x = e.targetX = e.currentX = button.x;
  e.y = e.targetY = e.currentY = button.y;
  e.height = buttonHeight;
  e.width = buttonWidth;
  e.textureId = static_cast<int32_t>(panelBackgroundTexture);
  e.visible = false;
  e.labelIndex = static_cast<int16_t>(label);
  e.action = button.action;
  // A label keeps its flight target on its own position, so it never moves.
  UiText& t = placeText(label, button.caption, button.x, button.y);
  t.targetX = t.currentX = button.x;
  t.targetY = t.currentY = button.y;
}

// Buttons take elements 0..count-1 with labels firstLabel.., and become the selectable set.
template <int count>
void makeButtons(const ButtonLayout (&buttons)[count], int firstLabel) {
  for (int i = 0; i < count; ++i) makeButton(i, firstLabel + i, buttons[i]);
  selectableCount = count;
}

void buildMainMenu() {
  static const ButtonLayout buttons[] = {
      {"PLAY", 0.5f, 0.3f, goToSeedEntry},
      {"OPTIONS", 0.5f, 0.5f, goToOptions},
      {"QUIT", 0.5f, 0.7f, quitGame},
  };
  makeButtons(buttons, 0);
  // Career figures, bottom left: the diamond total beside a spinning diamond.
  placeSheetSprite(3, anchorTopLeft, 0.05f, 0.85f, 0.05f, 0.05f,
                   static_cast<int32_t>(zellSheetTexture));
  bindUiText(3, anchorTopLeft, 0.1f, 0.85f, "", valueInt32, &saveData.totalDiamonds);
  bindUiText(4, anchorTopLeft, 0.05f, 0.9f, "RUNS: ", valueInt32, &saveData.runCount);
  bindUiText(5, anchorTopLeft, 0.05f, 0.95f, "HIGH SCORE: ", valueThousands, &saveData.highScore);
}

void buildOptions() {
  static const ButtonLayout buttons[] = {
      {"CONTROLS", 0.5f, 0.3f, goToControls},
      {"VIDEO (DISABLED)", 0.5f, 0.5f, noActionSpecified},
      {"BACK", 0.5f, 0.7f, goToMainMenu},
  };
  makeButtons(buttons, 0);
}

void buildControls() {
  // The keys are fixed; each key caption is still a button so the list can be walked with keys.
  static const char* const names[] = {
      "ROTATE LEFT: ", "ROTATE RIGHT: ", "BOOST: ",      "OPEN DOOR: ",        "CONTINUE RUN: ",
      "USE ITEM 1: ",  "USE ITEM 2: ",   "USE ITEM 3: ", "ENABLE FULLSCREEN: "};
  static const char* const keys[] = {"LEFT ARROW", "RIGHT ARROW", "UP ARROW", "A",  "SPACE",
                                     "1",          "2",           "3",        "F11"};
  constexpr int rows = 9;
  constexpr float firstRowY = 0.10f, rowStep = 0.05f, nameX = 0.25f, keyX = 0.75f;
  for (int r = 0; r < rows; ++r) {
    const float y = firstRowY + rowStep * static_cast<float>(r);
    placeText(r + 1, names[r], nameX, y);
    makeButton(r, r + 10, {keys[r], keyX, y, noActionSpecified});
  }
  makeButton(rows, 0, {"BACK", 0.5f, 0.95f, goToOptions});
  selectableCount = rows + 1;
}

void buildSeedEntry() {
  // The proposal comes from the run generator itself, so it depends on every draw before it.
  for (int i = 0; i < seedDigitsMax; ++i)
    seedText[i] = static_cast<char>('0' + uniformInt(rng, 0, 9));
  seedText[seedDigitsMax] = '\0';
  seedLength = seedDigitsMax;
  bindUiText(0, anchorCentre, 0.5f, 0.5f, "ENTER SEED: ", valueDigits, seedText);
}

void buildRunOver() {
  // QUICK PLAY needs a seed that reads back the same when typed, hence never negative.
  runSeed = rng() & nonNegativeSeedMask;
  bindUiText(0, anchorCentre, 0.5f, 0.05f, "DIAMONDS Collected: ", valueInt64, &runDiamonds);
  bindUiText(1, anchorCentre, 0.5f, 0.15f, "Total DIAMONDS Collected: ", valueInt32,
             &saveData.totalDiamonds);
  static const ButtonLayout buttons[] = {
      {"EXIT", 0.75f, 0.6f, goToMainMenu},
      {"QUICK PLAY", 0.75f, 0.675f, startRun},
      {"PLAY NEW SEED", 0.75f, 0.75f, goToSeedEntry},
  };
  makeButtons(buttons, 2);
}

void buildItemBox() {
  int32_t prize = rollItemBox();
  if (prize < 0 || prize >= itemTextureCount)
    prize = 0;  // a bad kind must not index past the table
  UiElement& diskette = placeSheetSprite(2, anchorCentre, 0.5f, 0.5f, 0.75f, 0.5f,
                                         static_cast<int32_t>(disketteUnlockTexture));
  UiElement& prizeIcon = placeSheetSprite(1, anchorCentre, 0.5f, 0.425f, 0.1f, 0.1f,
                                          static_cast<int32_t>(itemTextures[prize]));
  UiElement& confetti = placeSheetSprite(0, anchorCentre, 0.5f, 0.425f, 1.0f, 1.0f,
                                         static_cast<int32_t>(confettiSheetTexture));
  diskette.loop = false;
  diskette.chained[0] = &prizeIcon;
  diskette.chained[1] = &confetti;
  prizeIcon.visible = false;
  confetti.loop = false;
  confetti.visible = false;
  confetti.hideWhenDone = true;
}

}  // namespace

void showScreen(int32_t n) {
  currentScreen = n;
  resetUi();
  if (n < 0 || n > lastScreen) return;
  switch (n) {
    case screenPlay:
      buildHud();
      break;
    case screenRunOver:
      buildRunOver();
      break;
    case screenMainMenu:
      buildMainMenu();
      break;
    case screenOptions:
      buildOptions();
      break;
    case screenControls:
      buildControls();
      break;
    case screenSeedEntry:
      buildSeedEntry();
      break;
    case screenItemBox:
      buildItemBox();
      break;
    default:
      break;  // 1, 2 and 7 are empty screens
  }
}

void goToMainMenu() { showScreen(screenMainMenu); }
void goToOptions() { showScreen(screenOptions); }
void goToControls() { showScreen(screenControls); }
void goToSeedEntry() { showScreen(screenSeedEntry); }
void quitGame() { emit(uiRequests.close); }
