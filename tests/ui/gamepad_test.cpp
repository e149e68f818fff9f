// The gamepad through the game's pad poll with scripted readings: presses as edges, the stick's
// return to rest, boost on the trigger and buttons, pad and keys in one run, and the menus from
// the main menu to a run and back.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <initializer_list>
#include <string>

#include "kit/pad_pilot.h"
#include "kit/test_world.h"
#include "sim/random.h"
#include "ui/input.h"
#include "ui/ui_requests.h"

namespace {

using padbot::poll;

constexpr int frameLimit = 60 * 60 * 8;  // far more than a whole ring takes

GamepadState holding(std::initializer_list<int> buttons) {
  GamepadState s;
  for (int b : buttons) s.buttons[b] = true;
  return s;
}

GamepadState stickAt(float x, float y = 0.0f) {
  GamepadState s;
  s.axes[padLeftX] = x;
  s.axes[padLeftY] = y;
  return s;
}

GamepadState triggerAt(float level, std::initializer_list<int> buttons = {}) {
  GamepadState s = holding(buttons);
  s.axes[padRightTrigger] = level;
  return s;
}

// A fresh press of one button: a reading at rest, then the button down.
void tap(int button) {
  poll(GamepadState{});
  poll(holding({button}));
}

void key(int code, int action = GLFW_PRESS) { onKey(nullptr, code, 0, action, 0); }

int soundsPlayed = 0;
void countSound(const char* /*path*/) { ++soundsPlayed; }

int itemsUsed[heldSlots] = {};
void useFirst() { ++itemsUsed[0]; }
void useSecond() { ++itemsUsed[1]; }
void useThird() { ++itemsUsed[2]; }

int quitRequests = 0;
void recordQuit() { ++quitRequests; }

class PadPlay : public simtest::RunFixture {
 protected:
  padbot::ScriptedPad pad;
  void SetUp() override {
    RunFixture::SetUp();
    uiRequests.playSound = countSound;
  }
};

TEST_F(PadPlay, AHeldButtonIsOnePressAndTheDpadAndStickCountTheirOwn) {
  currentSides = 10;
  poll(holding({padDpadLeft}));
  EXPECT_EQ(currentLane, 1);
  for (int i = 0; i < 5; ++i) poll(holding({padDpadLeft}));
  EXPECT_EQ(currentLane, 1) << "a held d-pad turns once";
  tap(padDpadLeft);
  EXPECT_EQ(currentLane, 2);
  poll(holding({padDpadRight}));
  EXPECT_EQ(currentLane, 1);

  GamepadState both = holding({padDpadRight});
  both.axes[padLeftX] = padbot::stickFull;
  poll(both);
  EXPECT_EQ(currentLane, 0) << "a flick while the d-pad is held is a press of its own";
  EXPECT_EQ(targetAngle, laneAngle(0, 10));

  // Buttons with no part in a run, and the stick's up and down, change nothing.
  for (int b : {padEast, padBack, padStart, padGuide, padLeftThumb, padRightThumb, padDpadDown}) {
    tap(b);
    EXPECT_EQ(currentLane, 0) << "button " << b;
    EXPECT_FALSE(boostActive) << "button " << b;
    EXPECT_EQ(currentScreen, screenPlay) << "button " << b;
  }
  poll(stickAt(0.0f, -padbot::stickFull));
  poll(stickAt(0.0f, 0.0f));
  poll(stickAt(0.0f, padbot::stickFull));
  EXPECT_EQ(currentLane, 0);
  EXPECT_FALSE(boostActive);
}

TEST_F(PadPlay, TheStickTurnsOncePerFlickAndOnlyAfterComingBackToRest) {
  currentSides = 10;
  constexpr float atRest = stickDeadZone - 0.01f;
  constexpr float flick = stickFlickLevel + 0.01f;
  constexpr float between = (stickDeadZone + stickFlickLevel) / 2.0f;
  struct Step {
    float x;
    int lane;
    const char* what;
  };
  const Step steps[] = {
      {atRest, 0, "inside the dead zone"},
      {between, 0, "pushed short of a flick"},
      {-between, 0, "pushed short of a flick the other way"},
      {flick, 9, "a flick right"},
      {1.0f, 9, "held over"},
      {between, 9, "eased off but not back at rest"},
      {1.0f, 9, "pushed again without resting"},
      {atRest, 9, "back at rest"},
      {flick, 8, "a second flick"},
      {-1.0f, 8, "swung straight across without resting"},
      {-between, 8, "still short of rest"},
      {0.0f, 8, "centred"},
      {-flick, 9, "a flick left"},
      {-atRest, 9, "just inside the dead zone"},
      {-flick, 0, "flicked left again"},
  };
  for (const Step& step : steps) {
    poll(stickAt(step.x));
    EXPECT_EQ(currentLane, step.lane) << step.what << " (x " << step.x << ")";
  }
}

TEST_F(PadPlay, BoostLastsWhileTheTriggerOrAButtonIsHeld) {
  constexpr float pulled = padbot::triggerPulled;
  poll(triggerAt(triggerPressLevel + 0.1f));
  EXPECT_TRUE(boostActive);
  poll(triggerAt(triggerReleaseLevel + 0.1f));
  EXPECT_TRUE(boostActive) << "eased off but above the release level";
  poll(triggerAt(padTriggerAtRest));
  EXPECT_FALSE(boostActive);
  poll(triggerAt(triggerPressLevel - 0.1f));
  EXPECT_FALSE(boostActive) << "pulled but short of the press level";
  poll(triggerAt(pulled));
  EXPECT_TRUE(boostActive);

  // Two boost controls held: letting go of one keeps the boost, of both ends it.
  poll(triggerAt(pulled, {padSouth}));
  poll(holding({padSouth}));
  EXPECT_TRUE(boostActive);
  poll(holding({padSouth, padDpadUp}));
  poll(holding({padDpadUp}));
  EXPECT_TRUE(boostActive);
  poll(GamepadState{});
  EXPECT_FALSE(boostActive);

  // A press while the gauge is empty boosts for one frame, as the key does.
  boostGauge = 0.0f;
  tap(padSouth);
  EXPECT_TRUE(boostActive);
  simtest::frame();
  EXPECT_FALSE(boostActive);
  poll(holding({padSouth}));
  EXPECT_FALSE(boostActive) << "held is not pressed again";

  // A pad unplugged while boosting lets go.
  poll(GamepadState{});
  poll(triggerAt(pulled));
  EXPECT_TRUE(boostActive);
  padbot::connected = false;
  poll(triggerAt(pulled));
  EXPECT_FALSE(boostActive);
  padbot::connected = true;
}

TEST_F(PadPlay, WestOpensTheDoorAndTheBumpersAndNorthUseTheItemsLeftToRight) {
  Door* door = world->doors[0] = simtest::makeDoor(0);
  simtest::placeAt(0, 50.0f);
  poll(holding({padWest}));
  EXPECT_TRUE(door->open);

  std::fill(std::begin(itemsUsed), std::end(itemsUsed), 0);
  void (*actions[heldSlots])() = {useFirst, useSecond, useThird};
  for (int k = 0; k < heldSlots; ++k) {
    heldItems[k] = simtest::makeObject(kindCard, 0);
    heldItems[k]->action = actions[k];
  }
  heldCount = heldSlots;
  testing::internal::CaptureStdout();
  tap(padRightBumper);
  EXPECT_EQ(itemsUsed[2], 1);
  poll(holding({padRightBumper, padNorth}));
  EXPECT_EQ(itemsUsed[1], 1);
  poll(holding({padLeftBumper}));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(itemsUsed[0], 1);
  EXPECT_EQ(heldCount, 0);
  EXPECT_EQ(itemsUsed[2], 1) << "the held bumper used nothing more";
}

TEST_F(PadPlay, PadAndKeysPlayTheSameRun) {
  currentSides = 10;
  key(GLFW_KEY_LEFT);
  EXPECT_EQ(currentLane, 1);
  poll(holding({padDpadLeft}));
  EXPECT_EQ(currentLane, 2);
  key(GLFW_KEY_RIGHT);
  EXPECT_EQ(currentLane, 1) << "keys act while a pad is plugged in and held";
  poll(stickAt(padbot::stickFull));
  EXPECT_EQ(currentLane, 0);

  key(GLFW_KEY_UP);
  EXPECT_TRUE(boostActive);
  poll(triggerAt(padbot::triggerPulled));
  EXPECT_TRUE(boostActive);
  key(GLFW_KEY_UP, GLFW_RELEASE);
  EXPECT_FALSE(boostActive) << "the last let-go ends the boost, whichever did it";
  poll(GamepadState{});
  poll(triggerAt(padbot::triggerPulled));
  EXPECT_TRUE(boostActive);
  poll(GamepadState{});
  EXPECT_FALSE(boostActive);
}

class PadMenus : public ::testing::Test {
 protected:
  simtest::ScratchFolder scratch;
  padbot::ScriptedPad pad;
  void SetUp() override {
    fillTunnelPolygon();
    uiRequests.playSound = countSound;
    soundsPlayed = 0;
    firstMouse = true;
  }
  void TearDown() override {
    releaseWorld();
    resetRunState();
    showScreen(screenMainMenu);
  }
};

TEST_F(PadMenus, DpadAndStickWalkTheButtonsSouthActivatesAndEastGoesBack) {
  showScreen(screenMainMenu);
  poll(holding({padDpadDown}));
  EXPECT_EQ(selectedIndex, 0) << "the first move of a fresh screen selects button 0";
  EXPECT_TRUE(keyboardNavigation);
  poll(holding({padDpadDown}));
  EXPECT_EQ(selectedIndex, 0) << "a held d-pad moves once";
  poll(stickAt(0.0f, padbot::stickFull));
  EXPECT_EQ(selectedIndex, 1);
  poll(stickAt(0.0f, (stickDeadZone + stickFlickLevel) / 2.0f));
  poll(stickAt(0.0f, padbot::stickFull));
  EXPECT_EQ(selectedIndex, 1) << "the stick moves again only after coming back to rest";
  poll(stickAt(0.0f, 0.0f));
  poll(stickAt(0.0f, -padbot::stickFull));
  EXPECT_EQ(selectedIndex, 0);
  tap(padDpadUp);
  EXPECT_EQ(selectedIndex, 2) << "up from the first wraps to the last";
  EXPECT_EQ(soundsPlayed, 4);

  tap(padEast);
  EXPECT_EQ(currentScreen, screenMainMenu) << "the main menu has nothing to go back to";
  EXPECT_EQ(selectedIndex, 2);
  tap(padDpadUp);
  poll(holding({padSouth}));
  EXPECT_EQ(currentScreen, screenOptions);
  poll(holding({padSouth}));
  EXPECT_EQ(selectedIndex, -1) << "a held confirm does not act on the screen it opened";

  tap(padDpadDown);
  poll(holding({padStart}));
  EXPECT_EQ(currentScreen, screenControls) << "Start confirms too";
  tap(padEast);
  EXPECT_EQ(currentScreen, screenOptions);
  tap(padDpadDown);
  poll(holding({padSouth, padEast}));
  EXPECT_EQ(currentScreen, screenControls) << "one reading changes the screen once";
  tap(padEast);
  tap(padEast);
  EXPECT_EQ(currentScreen, screenMainMenu);
}

TEST_F(PadMenus, NoButtonQuitsAndOnlyConfirmActivatesTheSelection) {
  showScreen(screenMainMenu);
  tap(padDpadUp);
  tap(padDpadUp);
  ASSERT_EQ(selectedIndex, 2);  // QUIT
  quitRequests = 0;
  uiElements[2].action = recordQuit;
  for (int b : {padEast, padWest, padNorth, padLeftBumper, padRightBumper, padBack, padGuide,
                padLeftThumb, padRightThumb, padDpadLeft, padDpadRight}) {
    tap(b);
    EXPECT_EQ(quitRequests, 0) << "button " << b;
  }
  poll(triggerAt(padbot::triggerPulled));
  poll(stickAt(padbot::stickFull));
  poll(stickAt(0.0f));
  poll(stickAt(-padbot::stickFull));
  EXPECT_EQ(quitRequests, 0);
  EXPECT_EQ(selectedIndex, 2);
  tap(padSouth);
  EXPECT_EQ(quitRequests, 1) << "QUIT is a menu button the pad can choose, like the mouse";

  // The buttons players use to back out or open a system menu leave every screen as it is.
  for (GameScreen screen : {screenMainMenu, screenOptions, screenControls, screenSeedEntry,
                            screenItemBox, screenRunOver}) {
    showScreen(screen);
    poll(GamepadState{});
    poll(holding({padBack, padGuide, padLeftThumb, padRightThumb}));
    EXPECT_EQ(currentScreen, screen);
    EXPECT_EQ(selectedIndex, -1) << "screen " << screen;
  }
}

TEST_F(PadMenus, TheSeedScreenTypesNothingAndSouthStartsTheProposedSeed) {
  showScreen(screenSeedEntry);
  const std::string proposed = seedText;
  for (int b = 0; b < gamepadButtonCount; ++b) {
    if (b == padSouth || b == padStart) continue;
    tap(b);
  }
  poll(stickAt(padbot::stickFull, padbot::stickFull));
  poll(triggerAt(padbot::triggerPulled));
  EXPECT_EQ(std::string(seedText), proposed);
  EXPECT_EQ(seedLength, seedDigitsMax);
  EXPECT_EQ(currentScreen, screenSeedEntry);

  tap(padSouth);
  EXPECT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, static_cast<uint64_t>(parseSeedText(proposed.c_str())));
  ASSERT_NE(world, nullptr);
  poll(holding({padSouth}));
  EXPECT_FALSE(boostActive) << "the confirm still held is no boost";

  // The prize roll is left with south or Start, and neither held on boosts.
  for (int button : {padSouth, padStart}) {
    showScreen(screenItemBox);
    tap(padNorth);
    EXPECT_EQ(currentScreen, screenItemBox);
    poll(holding({button}));
    EXPECT_EQ(currentScreen, screenPlay) << "button " << button;
    poll(holding({button}));
    EXPECT_FALSE(boostActive);
  }
}

TEST_F(PadMenus, ThePadAloneGoesFromTheMenuThroughTwoRunsAndBack) {
  showScreen(screenMainMenu);
  tap(padDpadDown);  // PLAY
  tap(padSouth);
  ASSERT_EQ(currentScreen, screenSeedEntry);
  const uint64_t proposed = static_cast<uint64_t>(parseSeedText(seedText));
  tap(padSouth);
  ASSERT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, proposed);

  testing::internal::CaptureStdout();
  padbot::Pilot pilot;
  for (int frames = 0; currentScreen != screenRunOver && frames < frameLimit; ++frames) {
    padbot::frame(pilot.next());
  }
  ASSERT_EQ(currentScreen, screenRunOver);
  EXPECT_EQ(currentPlatform, platformTotal) << "the pad pilot finishes the ring";

  // QUICK PLAY with the seed the run-over screen drew, then a run left to crash.
  const uint64_t quickSeed = runSeed;
  tap(padDpadDown);
  tap(padDpadDown);
  tap(padSouth);
  ASSERT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, quickSeed);
  GamepadState idle;
  for (int frames = 0; currentScreen != screenRunOver && frames < frameLimit; ++frames) {
    // Hands off the pad, but for leaving a prize roll.
    idle.buttons[padSouth] = currentScreen == screenItemBox && !idle.buttons[padSouth];
    padbot::frame(idle);
  }
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(currentScreen, screenRunOver);

  tap(padDpadDown);  // EXIT
  tap(padSouth);
  EXPECT_EQ(currentScreen, screenMainMenu);
}

}  // namespace
