// Every screen's layout: buttons, captions, bound values, transitions, and the in-run display.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/data/run_state.h"
#include "app/data/save_file.h"
#include "render/textures.h"
#include "sim/random.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"

namespace {

struct Button {
  const char* caption;
  float x, y;
  int32_t screenAfter;  // screen its action leads to; -1: it stays (no-op or quit)
};

// Checks element i is a button labelled by `label` and that its action leads where it should.
void expectButton(int i, int label, const Button& b, int32_t from) {
  showScreen(from);
  const UiElement& e = uiElements[i];
  SCOPED_TRACE(b.caption);
  EXPECT_EQ(e.anchor, 2);
  EXPECT_FALSE(e.visible) << "a button is only a hit area";
  EXPECT_FLOAT_EQ(e.height, 0.05f);
  EXPECT_FLOAT_EQ(e.width, 0.4f);
  EXPECT_EQ(e.textureId, static_cast<int32_t>(panelBackgroundTexture));
  EXPECT_DOUBLE_EQ(e.x, static_cast<double>(b.x));
  EXPECT_DOUBLE_EQ(e.y, static_cast<double>(b.y));
  EXPECT_EQ(e.targetX, e.currentX);
  EXPECT_EQ(e.targetY, e.currentY);
  EXPECT_EQ(e.labelIndex, label);
  const UiText& t = uiTexts[label];
  EXPECT_STREQ(t.text, b.caption);
  EXPECT_EQ(t.anchor, 2);
  EXPECT_FLOAT_EQ(t.x, b.x);
  EXPECT_FLOAT_EQ(t.y, b.y);
  EXPECT_FLOAT_EQ(t.scale, 0.001f);
  EXPECT_EQ(t.color, glm::vec3(1.0f));
  if (b.screenAfter >= 0) {
    e.action();
    EXPECT_EQ(currentScreen, b.screenAfter);
  }
}

std::string activate(int i) {
  testing::internal::CaptureStdout();
  uiElements[i].action();
  return testing::internal::GetCapturedStdout();
}

TEST(Screens, MainMenuHasThreeButtonsAndTheCareerFigures) {
  panelBackgroundTexture = 17;
  zellSheetTexture = 23;
  showScreen(screenMainMenu);
  EXPECT_EQ(currentScreen, screenMainMenu);
  EXPECT_EQ(selectableCount, 3);
  EXPECT_EQ(selectedIndex, -1);
  expectButton(0, 0, {"PLAY", 0.5f, 0.3f, screenSeedEntry}, screenMainMenu);
  expectButton(1, 1, {"OPTIONS", 0.5f, 0.5f, screenOptions}, screenMainMenu);
  expectButton(2, 2, {"QUIT", 0.5f, 0.7f, -1}, screenMainMenu);

  showScreen(screenMainMenu);
  const UiElement& diamond = uiElements[3];
  EXPECT_EQ(diamond.anchor, 0);
  EXPECT_EQ(diamond.textureId, 23);
  EXPECT_TRUE(diamond.useSpriteSheet && diamond.animating && diamond.loop);
  EXPECT_EQ(diamond.frameCount, 30);
  EXPECT_DOUBLE_EQ(diamond.x, 0.05f);
  EXPECT_DOUBLE_EQ(diamond.y, 0.85f);
  EXPECT_FLOAT_EQ(diamond.width, 0.05f);

  EXPECT_EQ(uiTexts[3].valueSource, &saveData.totalDiamonds);
  EXPECT_EQ(uiTexts[3].valueKind, valueInt32);
  EXPECT_STREQ(uiTexts[3].prefix, "");
  EXPECT_FLOAT_EQ(uiTexts[3].x, 0.1f);
  EXPECT_EQ(uiTexts[4].valueSource, &saveData.runCount);
  EXPECT_STREQ(uiTexts[4].prefix, "RUNS: ");
  EXPECT_FLOAT_EQ(uiTexts[4].y, 0.9f);
  EXPECT_EQ(uiTexts[5].valueSource, &saveData.highScore);
  EXPECT_EQ(uiTexts[5].valueKind, valueThousands);
  EXPECT_STREQ(uiTexts[5].prefix, "HIGH SCORE: ");
  for (int t = 3; t <= 5; ++t) {
    EXPECT_EQ(uiTexts[t].anchor, 0);
    // Bound texts stay put: their flight target is where they already are.
    EXPECT_EQ(uiTexts[t].targetX, uiTexts[t].currentX);
    EXPECT_EQ(uiTexts[t].targetY, uiTexts[t].currentY);
  }
}

TEST(Screens, OptionsAndControlsLeadBackWhereTheyCameFrom) {
  expectButton(0, 0, {"CONTROLS", 0.5f, 0.3f, screenControls}, screenOptions);
  expectButton(1, 1, {"VIDEO (DISABLED)", 0.5f, 0.5f, -1}, screenOptions);
  EXPECT_EQ(activate(1), "No action specified for selected element.\n");
  EXPECT_EQ(currentScreen, screenOptions);
  expectButton(2, 2, {"BACK", 0.5f, 0.7f, screenMainMenu}, screenOptions);

  showScreen(screenControls);
  EXPECT_EQ(selectableCount, 10);
  const char* names[] = {
      "ROTATE LEFT: ", "ROTATE RIGHT: ", "BOOST: ",      "OPEN DOOR: ",        "CONTINUE RUN: ",
      "USE ITEM 1: ",  "USE ITEM 2: ",   "USE ITEM 3: ", "ENABLE FULLSCREEN: "};
  const char* keys[] = {"LEFT ARROW", "RIGHT ARROW", "UP ARROW", "A",  "SPACE",
                        "1",          "2",           "3",        "F11"};
  for (int r = 0; r < 9; ++r) {
    const float y = 0.10f + 0.05f * static_cast<float>(r);
    EXPECT_STREQ(uiTexts[r + 1].text, names[r]);
    EXPECT_NEAR(uiTexts[r + 1].x, 0.25f, 1e-6);
    EXPECT_NEAR(uiTexts[r + 1].y, y, 1e-6);
    EXPECT_EQ(uiTexts[r + 1].anchor, 2);
    EXPECT_STREQ(uiTexts[r + 10].text, keys[r]);
    EXPECT_EQ(uiElements[r].labelIndex, r + 10);
    EXPECT_NEAR(uiElements[r].x, 0.75, 1e-6);
    EXPECT_NEAR(uiElements[r].y, y, 1e-6);
    EXPECT_EQ(activate(r), "No action specified for selected element.\n");
    EXPECT_EQ(currentScreen, screenControls);
  }
  expectButton(9, 0, {"BACK", 0.5f, 0.95f, screenOptions}, screenControls);
}

TEST(Screens, SeedEntryProposesNineteenFreshDigitsFromTheRunGenerator) {
  rng.seed(77);
  std::mt19937_64 expected = rng;
  showScreen(screenSeedEntry);
  EXPECT_EQ(selectableCount, 0);
  EXPECT_EQ(seedLength, 19);
  ASSERT_EQ(std::strlen(seedText), 19u);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(seedText[i], '0' + uniformInt(expected, 0, 9)) << i;
  EXPECT_EQ(rng, expected) << "exactly nineteen draws";

  const UiText& line = uiTexts[0];
  EXPECT_EQ(line.anchor, 2);
  EXPECT_FLOAT_EQ(line.x, 0.5f);
  EXPECT_FLOAT_EQ(line.y, 0.5f);
  EXPECT_STREQ(line.prefix, "ENTER SEED: ");
  EXPECT_EQ(line.valueKind, valueDigits);
  EXPECT_EQ(line.valueSource, static_cast<const void*>(seedText));

  const std::string first = seedText;
  showScreen(screenSeedEntry);
  EXPECT_NE(first, std::string(seedText)) << "every entry proposes new digits";
}

TEST(Screens, RunOverDrawsANonNegativeQuickPlaySeedAndShowsTheTotals) {
  for (uint64_t seed : {1ull, 2ull, 3ull, 4ull, 5ull, 6ull}) {
    rng.seed(seed);
    std::mt19937_64 expected = rng;
    showScreen(screenRunOver);
    EXPECT_EQ(runSeed, expected() & 0x7FFFFFFFFFFFFFFFull);
    EXPECT_LE(runSeed, 0x7FFFFFFFFFFFFFFFull);
    EXPECT_EQ(rng, expected) << "one draw only";
  }
  EXPECT_EQ(selectableCount, 3);
  EXPECT_STREQ(uiTexts[0].prefix, "DIAMONDS Collected: ");
  EXPECT_EQ(uiTexts[0].valueSource, &runDiamonds);
  EXPECT_EQ(uiTexts[0].valueKind, valueInt64);
  EXPECT_FLOAT_EQ(uiTexts[0].y, 0.05f);
  EXPECT_STREQ(uiTexts[1].prefix, "Total DIAMONDS Collected: ");
  EXPECT_EQ(uiTexts[1].valueSource, &saveData.totalDiamonds);
  EXPECT_EQ(uiTexts[1].valueKind, valueInt32);
  EXPECT_FLOAT_EQ(uiTexts[1].y, 0.15f);
  EXPECT_EQ(uiTexts[1].anchor, 2);
  expectButton(0, 2, {"EXIT", 0.75f, 0.6f, screenMainMenu}, screenRunOver);
  expectButton(2, 4, {"PLAY NEW SEED", 0.75f, 0.75f, screenSeedEntry}, screenRunOver);

  // QUICK PLAY starts the run from the seed this screen drew.
  showScreen(screenRunOver);
  const uint64_t quickSeed = runSeed;
  expectButton(1, 3, {"QUICK PLAY", 0.75f, 0.675f, -1}, screenRunOver);
  showScreen(screenRunOver);
  const uint64_t drawn = runSeed;
  EXPECT_NE(drawn, quickSeed);
  uiElements[1].action();
  EXPECT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, drawn);
  ASSERT_NE(world, nullptr);
  EXPECT_EQ(world->platformCount, 256);
  releaseWorld();
}

TEST(Screens, ItemBoxChainsTheOpeningToThePrizeAndTheConfetti) {
  for (int t = 0; t < itemTextureCount; ++t) itemTextures[t] = 200 + static_cast<uint32_t>(t);
  disketteUnlockTexture = 31;
  confettiSheetTexture = 32;
  resetRunState();
  showScreen(screenItemBox);
  EXPECT_EQ(selectableCount, 0);
  const UiElement& opening = uiElements[2];
  const UiElement& prize = uiElements[1];
  const UiElement& confetti = uiElements[0];
  for (const UiElement* e : {&opening, &prize, &confetti}) {
    EXPECT_EQ(e->anchor, 2);
    EXPECT_TRUE(e->animating && e->useSpriteSheet);
    EXPECT_EQ(e->cols, 6);
    EXPECT_EQ(e->rows, 5);
    EXPECT_EQ(e->frameCount, 30);
    EXPECT_EQ(e->targetX, e->currentX);
  }
  EXPECT_EQ(opening.textureId, 31);
  EXPECT_TRUE(opening.visible);
  EXPECT_FALSE(opening.loop);
  EXPECT_FALSE(opening.hideWhenDone) << "the opened box stays on its last frame";
  EXPECT_EQ(opening.chained[0], &prize);
  EXPECT_EQ(opening.chained[1], &confetti);
  EXPECT_EQ(opening.chained[2], nullptr);
  EXPECT_FLOAT_EQ(opening.height, 0.75f);
  EXPECT_FLOAT_EQ(opening.width, 0.5f);

  EXPECT_FALSE(prize.visible);
  EXPECT_TRUE(prize.loop);
  EXPECT_GE(prize.textureId, 200);
  EXPECT_LE(prize.textureId, 206) << "the prize is one of the seven rollable kinds";
  EXPECT_DOUBLE_EQ(prize.y, 0.425f);

  EXPECT_FALSE(confetti.visible);
  EXPECT_FALSE(confetti.loop);
  EXPECT_TRUE(confetti.hideWhenDone);
  EXPECT_FLOAT_EQ(confetti.height, 1.0f);
  EXPECT_EQ(confetti.textureId, 32);
  resetRunState();
}

TEST(Screens, UnusedScreenNumbersAreRecordedButEmpty) {
  for (int32_t n : {1, 2, 7, -1, 10, 1000}) {
    showScreen(screenMainMenu);
    showScreen(n);
    EXPECT_EQ(currentScreen, n);
    EXPECT_EQ(selectableCount, 0);
    for (const UiElement& e : uiElements) EXPECT_EQ(e.width, 0.0f);
    for (const UiText& t : uiTexts) EXPECT_STREQ(t.text, "");
  }
}

TEST(Hud, ANewRunShowsOnlyGaugeHubDiamondScoreAndSeed) {
  boostSheetTexture = 41;
  itemHubTexture = 42;
  zellSheetTexture = 43;
  resetRunState();
  showScreen(screenPlay);
  EXPECT_EQ(selectableCount, 0);

  const UiElement& gauge = uiElements[0];
  EXPECT_EQ(gauge.textureId, 41);
  EXPECT_FALSE(gauge.spriteAnimated) << "the frame update drives the gauge frame";
  EXPECT_TRUE(gauge.visible && gauge.animating);
  EXPECT_DOUBLE_EQ(gauge.x, 0.85f);
  EXPECT_FLOAT_EQ(gauge.height, 0.3f);
  EXPECT_FLOAT_EQ(gauge.width, 0.15f);
  const UiElement& hub = uiElements[14];
  EXPECT_EQ(hub.textureId, 42);
  EXPECT_FALSE(hub.animating);
  EXPECT_FLOAT_EQ(hub.height, 0.5f);
  const UiElement& diamond = uiElements[16];
  EXPECT_EQ(diamond.textureId, 43);
  EXPECT_EQ(diamond.anchor, 1);
  EXPECT_DOUBLE_EQ(diamond.x, 1.0);

  for (int i : {10, 11, 12, 20, 21, 22, 24, 25, 26}) {
    EXPECT_FALSE(uiElements[i].visible) << "element " << i;
    EXPECT_EQ(uiElements[i].textureId, -1) << "element " << i;
  }
  for (int t : {3, 6, 7, 8, 9, 10, 12}) EXPECT_FALSE(uiTexts[t].visible) << "text " << t;
  // Slots other parts fill during the run stay default.
  for (int i : {1, 9, 23}) EXPECT_EQ(uiElements[i].width, 0.0f);
  EXPECT_EQ(uiTexts[11].valueKind, valueNone);

  EXPECT_EQ(uiTexts[4].valueSource, &runScore);
  EXPECT_EQ(uiTexts[4].valueKind, valueThousands);
  EXPECT_TRUE(uiTexts[4].visible);
  EXPECT_EQ(uiTexts[1].valueSource, &runDiamonds);
  EXPECT_EQ(uiTexts[1].color, glm::vec3(237.0f, 168.0f, 255.0f));
  EXPECT_EQ(uiTexts[1].anchor, 1);
  EXPECT_EQ(uiTexts[5].valueSource, &runSeed);
  EXPECT_STREQ(uiTexts[5].prefix, "SEED:");
  EXPECT_FLOAT_EQ(uiTexts[5].scale, 0.0008f);
  EXPECT_FLOAT_EQ(uiTexts[5].y, 0.96f);
  EXPECT_STREQ(uiTexts[3].prefix, "ENTERING WAVE ");
  EXPECT_EQ(uiTexts[3].valueSource, &wave);
}

TEST(Hud, CollectedItemsReappearWhenThePlayScreenIsRebuilt) {
  resetRunState();
  // Owned by the run from here on: the next reset releases them.
  TunnelObject* card = new TunnelObject{};
  TunnelObject* token = new TunnelObject{};
  TunnelObject* multiplier = new TunnelObject{};
  card->textureId = 300;
  token->textureId = 301;
  multiplier->textureId = 302;
  heldItems[1] = card;
  heldCount = 1;
  last512 = token;
  count512 = 2;
  last8x = multiplier;
  count8x = 1;
  showScreen(screenRunOver);
  showScreen(screenPlay);

  EXPECT_FALSE(uiElements[10].visible);
  EXPECT_TRUE(uiElements[11].visible);
  EXPECT_EQ(uiElements[11].textureId, 300);
  EXPECT_DOUBLE_EQ(uiElements[11].y, 0.5f);
  EXPECT_FALSE(uiElements[12].visible);

  EXPECT_TRUE(uiElements[21].visible);
  EXPECT_EQ(uiElements[21].textureId, 301);
  EXPECT_DOUBLE_EQ(uiElements[21].y, 0.5f);
  EXPECT_TRUE(uiTexts[7].visible);
  EXPECT_EQ(uiTexts[7].valueSource, &count512);
  EXPECT_FLOAT_EQ(uiTexts[7].y, 0.55f);
  EXPECT_EQ(uiTexts[7].anchor, 1);

  EXPECT_TRUE(uiElements[25].visible);
  EXPECT_EQ(uiElements[25].textureId, 302);
  EXPECT_TRUE(uiTexts[12].visible);
  EXPECT_FLOAT_EQ(uiTexts[12].y, 0.15f);
  // Kinds not collected stay hidden.
  EXPECT_FALSE(uiElements[24].visible);
  EXPECT_FALSE(uiTexts[10].visible);
  resetRunState();
}

TEST(Hud, TheItemBoxPrizeIsOnTheDisplayAfterSpace) {
  for (int t = 0; t < itemTextureCount; ++t) itemTextures[t] = 200 + static_cast<uint32_t>(t);
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    resetRunState();
    rng.seed(seed);
    showScreen(screenItemBox);
    const int32_t prizeTexture = uiElements[1].textureId;
    showScreen(screenPlay);
    bool shown = false;
    for (int i : {10, 11, 12, 20, 21, 22, 24, 25, 26})
      shown = shown || (uiElements[i].visible && uiElements[i].textureId == prizeTexture);
    EXPECT_TRUE(shown) << "prize texture " << prizeTexture;
  }
  resetRunState();
}

}  // namespace
