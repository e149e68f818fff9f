// The UI pools: defaults, sprite-sheet stepping with one-shot chains, easing, bound texts and
// thousands grouping.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "app/data/frame_clock.h"
#include "app/data/run_state.h"
#include "ui/ui_elements.h"

namespace {

class UiElements : public ::testing::Test {
 protected:
  void SetUp() override {
    resetUi();
    runScore = 0;
    DeltaTime = 1.0f / 60.0f;
  }
  void TearDown() override {
    resetUi();
    runScore = 0;
  }
};

std::string grouped(uint64_t v) {
  char out[32];
  formatWithThousands(v, out, sizeof out);
  return out;
}

UiElement oneShot() {
  UiElement e;
  e.animating = true;
  e.frameCount = 30;
  e.loop = false;
  return e;
}

TEST_F(UiElements, ResetRestoresEveryDefaultAndTheSelection) {
  uiElements[4].visible = false;
  uiElements[4].chained[0] = &uiElements[5];
  uiTexts[7].valueKind = valueInt64;
  std::strcpy(uiTexts[7].text, "stale");
  selectedIndex = 2;
  selectableCount = 3;
  keyboardNavigation = true;
  resetUi();
  EXPECT_TRUE(uiElements[4].visible);
  EXPECT_EQ(uiElements[4].chained[0], nullptr);
  EXPECT_EQ(uiElements[4].labelIndex, -1);
  EXPECT_EQ(uiElements[4].action, &noActionSpecified);
  EXPECT_EQ(uiTexts[7].valueKind, valueNone);
  EXPECT_STREQ(uiTexts[7].text, "");
  EXPECT_EQ(selectedIndex, -1);
  EXPECT_EQ(selectableCount, 0);
  EXPECT_FALSE(keyboardNavigation);
  testing::internal::CaptureStdout();
  uiElements[0].action();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "No action specified for selected element.\n");
}

TEST_F(UiElements, ThousandsAreGroupedByThreeDigits) {
  EXPECT_EQ(grouped(0), "0");
  EXPECT_EQ(grouped(999), "999");
  EXPECT_EQ(grouped(1000), "1,000");
  EXPECT_EQ(grouped(1234567), "1,234,567");
  EXPECT_EQ(grouped(std::numeric_limits<uint64_t>::max()), "18,446,744,073,709,551,615");
  char small[6];
  EXPECT_EQ(formatWithThousands(1234567, small, sizeof small), 5);
  EXPECT_STREQ(small, "1,234");  // cut to the buffer, still terminated
}

TEST_F(UiElements, SheetsPlayOneCyclePerSecondAndSkipFramesOnLongSteps) {
  UiElement e;
  e.frameCount = 30;
  DeltaTime = 0.1f;
  animateUiElement(e);
  EXPECT_EQ(e.frameIndex, 2);  // 0.1 s is just short of three single-precision 1/30 periods
  EXPECT_GT(e.frameTime, 0.03f);
  e.frameIndex = 29;
  DeltaTime = 0.004f;
  animateUiElement(e);
  EXPECT_EQ(e.frameIndex, 0);  // a looping sheet wraps and never stops

  UiElement still;  // no frames: time passes, nothing advances
  DeltaTime = 5.0f;
  animateUiElement(still);
  EXPECT_EQ(still.frameIndex, 0);

  UiElement driven;
  driven.frameCount = 30;
  driven.spriteAnimated = false;
  driven.frameIndex = 17;
  animateUiElement(driven);
  EXPECT_EQ(driven.frameIndex, 17);
}

TEST_F(UiElements, AOneShotStopsOnFrame29StartsHiddenChainsOnceAndMayHide) {
  UiElement e = oneShot();
  e.hideWhenDone = true;
  UiElement shown, hidden;
  hidden.visible = false;
  hidden.frameIndex = 12;
  e.chained[0] = &shown;
  e.chained[2] = &hidden;
  e.frameIndex = 28;
  DeltaTime = 0.034f;  // one period: lands exactly on 29
  animateUiElement(e);
  EXPECT_EQ(e.frameIndex, 29);
  EXPECT_TRUE(e.visible);  // it vanishes on the step after it reached 29
  animateUiElement(e);
  EXPECT_EQ(e.frameIndex, 29);
  EXPECT_FALSE(e.visible);
  EXPECT_EQ(e.chained[0], &shown);  // already visible: not started, pointer kept
  EXPECT_EQ(e.chained[2], nullptr);
  EXPECT_TRUE(hidden.visible);
  EXPECT_EQ(hidden.frameIndex, 0);
  hidden.visible = false;
  animateUiElement(e);
  EXPECT_FALSE(hidden.visible);  // started once only

  // A step that carries the frame past 29 wraps it; the animation only ends exactly on 29.
  UiElement skip = oneShot();
  skip.frameIndex = 28;
  DeltaTime = 0.1f;
  animateUiElement(skip);
  EXPECT_EQ(skip.frameIndex, 0);
  UiElement shortSheet = oneShot();
  shortSheet.frameCount = 20;
  UiElement never;
  never.visible = false;
  shortSheet.chained[0] = &never;
  DeltaTime = 0.05f;
  for (int i = 0; i < 200; ++i) animateUiElement(shortSheet);
  EXPECT_FALSE(never.visible);
}

TEST_F(UiElements, MovingElementsEaseAndVanishOnArrivalWithoutSnapping) {
  UiElement e;
  e.targetX = 1.0f;
  e.targetY = 0.0f;
  e.currentX = 0.5f;
  e.currentY = 0.5f;
  DeltaTime = 0.05f;  // half the way per step at speed 10
  animateUiElement(e);
  EXPECT_FLOAT_EQ(e.currentX, 0.75f);
  EXPECT_DOUBLE_EQ(e.x, 0.75);
  EXPECT_DOUBLE_EQ(e.y, 0.25);
  for (int i = 0; i < 4; ++i) animateUiElement(e);
  EXPECT_FALSE(e.visible);
  EXPECT_NE(e.currentX, 1.0f);
  const float before = e.currentX;
  animateUiElement(e);
  EXPECT_GT(e.currentX, before);  // keeps easing while hidden

  UiElement settled;
  settled.x = 0.3;
  animateUiElement(settled);
  EXPECT_DOUBLE_EQ(settled.x, 0.3);  // target equal to current: the drawn position is left alone
  EXPECT_TRUE(settled.visible);
}

TEST_F(UiElements, FlyingValueTextsCreditTheRunScoreOnArrivalOnly) {
  int32_t value = 1200;
  UiText t;
  t.valueKind = valueInt32;
  t.valueSource = &value;
  t.prefix = "+";
  updateUiText(t);  // target equals position: printed, never credited
  EXPECT_STREQ(t.text, "+1200");
  EXPECT_EQ(runScore, 0u);

  t.currentX = t.currentY = 0.5f;
  t.targetX = 0.5f;
  t.targetY = 0.05f;
  t.moveSpeed = 2.0f;
  int steps = 0;
  while (t.visible && steps < 1000) {
    updateUiText(t);
    ++steps;
  }
  EXPECT_EQ(runScore, 1200u);
  EXPECT_EQ(t.targetY, t.currentY);  // stopped where it arrived
  EXPECT_FLOAT_EQ(t.y, t.currentY);
  updateUiText(t);
  EXPECT_EQ(runScore, 1200u);

  value = -50;
  runScore = 30;
  t.visible = true;
  t.targetY = 0.0f;
  while (t.visible) updateUiText(t);
  EXPECT_EQ(runScore, 0u);

  // The lowest int32 has no int32 magnitude; the loss is taken in 64 bits.
  value = std::numeric_limits<int32_t>::min();
  runScore = 5000000000ull;
  t.visible = true;
  t.targetY = 1.0f;
  while (t.visible) updateUiText(t);
  EXPECT_EQ(runScore, 5000000000ull - 2147483648ull);
  EXPECT_STREQ(t.text, "+-2147483648");
}

TEST_F(UiElements, BoundTextsPrintTheirValueKinds) {
  UiText t;
  int64_t wide = -9000000000ll;
  t.valueKind = valueInt64;
  t.valueSource = &wide;
  t.prefix = "SEED:";
  updateUiText(t);
  EXPECT_STREQ(t.text, "SEED:-9000000000");

  uint64_t score = 1234567;
  t.valueKind = valueThousands;
  t.valueSource = &score;
  t.prefix = "";
  updateUiText(t);
  EXPECT_STREQ(t.text, "1,234,567");

  float ratio = 0.25f;
  t.valueKind = valueFloat;
  t.valueSource = &ratio;
  t.factor = 10.0f;
  updateUiText(t);
  EXPECT_STREQ(t.text, "2.5");

  char digits[20] = "0007";
  t.valueKind = valueDigits;
  t.valueSource = digits;
  t.prefix = "ENTER SEED: ";
  updateUiText(t);
  EXPECT_STREQ(t.text, "ENTER SEED: 7");
  digits[0] = '\0';
  updateUiText(t);
  EXPECT_STREQ(t.text, "ENTER SEED: 0");
  std::strcpy(digits, "9999999999999999999");
  updateUiText(t);
  EXPECT_STREQ(t.text, "ENTER SEED: 9223372036854775807");

  // A prefix longer than the line is cut at 1023 characters.
  std::string longPrefix(2000, 'x');
  t.prefix = longPrefix.c_str();
  updateUiText(t);
  EXPECT_EQ(std::strlen(t.text), 1023u);

  UiText fixed;
  std::strcpy(fixed.text, "PLAY");
  fixed.valueKind = valueInt32;  // no source: the text is left as it is
  updateUiText(fixed);
  EXPECT_STREQ(fixed.text, "PLAY");
}

}  // namespace
