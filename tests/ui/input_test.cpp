// Menu keys, hover and click, seed typing, the item box key and the global keys.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "app/shell/window.h"
#include "kit/player_input.h"
#include "sim/random.h"
#include "ui/input.h"
#include "ui/screens.h"
#include "ui/ui_elements.h"
#include "ui/ui_requests.h"

namespace {

int soundsPlayed = 0;
void countSound(const char* path) {
  EXPECT_STREQ(path, "./audio/menu_select.wav");
  ++soundsPlayed;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uiRequests.playSound = countSound;
    soundsPlayed = 0;
    firstMouse = true;
    windowWidth = 1280;
    windowHeight = 720;
  }
  void TearDown() override {
    releaseWorld();
    resetRunState();
  }

  static void moveTo(double fx, double fy) { onCursorPos(nullptr, fx * 1280.0, fy * 720.0); }
  static void click() { onMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0); }
  static bool labelRed(int element) {
    return uiTexts[uiElements[element].labelIndex].color == glm::vec3(1.0f, 0.0f, 0.0f);
  }
  // Types a string of digits on the seed screen; returns what the game printed.
  static std::string type(const std::string& digits) {
    testing::internal::CaptureStdout();
    for (char c : digits) press(GLFW_KEY_0 + (c - '0'));
    return testing::internal::GetCapturedStdout();
  }
  static void startEmptySeed() {
    showScreen(screenSeedEntry);
    for (int i = 0; i < 19; ++i) press(GLFW_KEY_BACKSPACE);
    ASSERT_EQ(seedLength, 0);
  }
};

TEST_F(InputTest, UpAndDownWalkTheButtonsAndWrapBothWays) {
  for (int firstKey : {GLFW_KEY_UP, GLFW_KEY_DOWN}) {
    showScreen(screenMainMenu);
    press(firstKey);
    EXPECT_EQ(selectedIndex, 0) << "the first key of a fresh screen selects button 0";
    EXPECT_TRUE(keyboardNavigation);
  }
  EXPECT_EQ(soundsPlayed, 2);
  EXPECT_TRUE(labelRed(0));

  press(GLFW_KEY_UP);
  EXPECT_EQ(selectedIndex, 2) << "Up on the first wraps to the last";
  EXPECT_TRUE(labelRed(2));
  EXPECT_FALSE(labelRed(0));
  EXPECT_FALSE(uiElements[0].animating);
  EXPECT_TRUE(uiElements[2].animating);
  press(GLFW_KEY_DOWN);
  EXPECT_EQ(selectedIndex, 0) << "Down on the last wraps to the first";
  press(GLFW_KEY_DOWN);
  press(GLFW_KEY_DOWN);
  EXPECT_EQ(selectedIndex, 2);
  EXPECT_EQ(soundsPlayed, 6);

  // The ten buttons of the controls list wrap the same way.
  showScreen(screenControls);
  press(GLFW_KEY_DOWN);
  press(GLFW_KEY_UP);
  EXPECT_EQ(selectedIndex, 9);
  EXPECT_TRUE(labelRed(9));
}

TEST_F(InputTest, EnterActivatesTheSelectedButtonOnlyOnPress) {
  showScreen(screenMainMenu);
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenMainMenu) << "Enter with nothing selected does nothing";

  press(GLFW_KEY_DOWN);
  press(GLFW_KEY_DOWN);
  onKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_RELEASE, 0);
  onKey(nullptr, GLFW_KEY_ENTER, 0, GLFW_REPEAT, 0);
  onKey(nullptr, GLFW_KEY_DOWN, 0, GLFW_REPEAT, 0);
  EXPECT_EQ(currentScreen, screenMainMenu);
  EXPECT_EQ(selectedIndex, 1);
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenOptions);
  EXPECT_EQ(selectedIndex, -1) << "a new screen starts with nothing selected";

  // Options -> Controls -> BACK -> Options -> BACK -> main menu, all by keys.
  press(GLFW_KEY_DOWN);
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenControls);
  press(GLFW_KEY_UP);
  press(GLFW_KEY_UP);
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenOptions);
  press(GLFW_KEY_UP);
  press(GLFW_KEY_UP);
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenMainMenu);

  // A key row of the controls list only reports that it does nothing.
  showScreen(screenControls);
  press(GLFW_KEY_DOWN);
  testing::internal::CaptureStdout();
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "No action specified for selected element.\n");
  EXPECT_EQ(currentScreen, screenControls);
}

TEST_F(InputTest, HoverSelectsWithOneSoundPerEntryAndClickFiresTheLastHovered) {
  showScreen(screenMainMenu);
  moveTo(0.1, 0.1);
  EXPECT_EQ(selectedIndex, -1);
  moveTo(0.5, 0.5);  // into OPTIONS
  EXPECT_EQ(selectedIndex, 1);
  EXPECT_TRUE(labelRed(1));
  EXPECT_EQ(soundsPlayed, 1);
  moveTo(0.55, 0.51);  // still inside
  moveTo(0.45, 0.49);
  EXPECT_EQ(soundsPlayed, 1) << "moving within a button plays nothing more";

  moveTo(0.5, 0.3);  // into PLAY: OPTIONS lets go
  EXPECT_EQ(selectedIndex, 0);
  EXPECT_FALSE(labelRed(1));
  EXPECT_TRUE(labelRed(0));
  EXPECT_EQ(soundsPlayed, 2);

  moveTo(0.5, 0.5);
  moveTo(0.95, 0.95);  // out of every button
  EXPECT_EQ(selectedIndex, 1) << "leaving keeps the last selection";
  EXPECT_FALSE(labelRed(1));
  moveTo(0.5, 0.5);
  EXPECT_EQ(soundsPlayed, 4) << "re-entering is a new entry";
  moveTo(0.95, 0.95);

  onMouseButton(nullptr, GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 0);
  onMouseButton(nullptr, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 0);
  EXPECT_EQ(currentScreen, screenMainMenu);
  click();
  EXPECT_EQ(currentScreen, screenOptions) << "the click fires the last hovered button anywhere";

  // Between two buttons nothing is selected.
  showScreen(screenMainMenu);
  moveTo(0.5, 0.4);
  moveTo(0.69, 0.4);
  EXPECT_EQ(selectedIndex, -1);
  click();
  EXPECT_EQ(currentScreen, screenMainMenu) << "a click with nothing selected does nothing";
}

TEST_F(InputTest, KeysTakeOverUntilTheMouseMovesAgain) {
  showScreen(screenOptions);
  moveTo(0.5, 0.3);
  EXPECT_EQ(selectedIndex, 0);
  press(GLFW_KEY_DOWN);
  press(GLFW_KEY_DOWN);
  EXPECT_EQ(selectedIndex, 2);
  moveTo(0.5, 0.3);  // the same spot: the mouse did not move
  EXPECT_EQ(selectedIndex, 2) << "a still mouse leaves the keys in control";
  EXPECT_TRUE(keyboardNavigation);
  moveTo(0.5, 0.31);
  EXPECT_FALSE(keyboardNavigation);
  EXPECT_EQ(selectedIndex, 0);
  EXPECT_FALSE(labelRed(2));
}

TEST_F(InputTest, SeedTypingKeepsNineteenDigitsAndEnterStartsThatSeed) {
  startEmptySeed();
  press(GLFW_KEY_BACKSPACE);
  EXPECT_EQ(seedLength, 0) << "Backspace on an empty seed does nothing";
  const std::string printed = type("12345678901234567890");
  EXPECT_EQ(seedLength, 19);
  EXPECT_STREQ(seedText, "1234567890123456789");
  EXPECT_EQ(printed.rfind("textTypeLength: 1 \n", 0), 0u) << printed;
  EXPECT_NE(printed.find("textTypeLength: 19 \n"), std::string::npos);
  EXPECT_EQ(printed.find("textTypeLength: 20"), std::string::npos) << "the 20th digit is silent";

  press(GLFW_KEY_BACKSPACE);
  press(GLFW_KEY_BACKSPACE);
  type("7");
  EXPECT_STREQ(seedText, "123456789012345677");
  EXPECT_EQ(seedLength, 18);
  press(GLFW_KEY_KP_5);
  press(GLFW_KEY_KP_ENTER);
  EXPECT_EQ(seedLength, 18) << "keypad keys do nothing";
  EXPECT_EQ(currentScreen, screenSeedEntry);

  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, 123456789012345677ull);
  ASSERT_NE(world, nullptr);
}

TEST_F(InputTest, EmptyAndOversizedSeedsStartRunsWithTheSeedShown) {
  startEmptySeed();
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(currentScreen, screenPlay);
  EXPECT_EQ(runSeed, 0u) << "an empty seed is seed 0";

  startEmptySeed();
  type("9999999999999999999");
  EXPECT_EQ(parseSeedText(seedText), INT64_MAX) << "the line on screen shows the saturated seed";
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(runSeed, 9223372036854775807ull);

  startEmptySeed();
  type("0007");
  press(GLFW_KEY_ENTER);
  EXPECT_EQ(runSeed, 7u);
}

TEST_F(InputTest, SpaceLeavesTheItemBoxOnlyThere) {
  showScreen(screenItemBox);
  press(GLFW_KEY_ENTER);
  press(GLFW_KEY_DOWN);
  EXPECT_EQ(currentScreen, screenItemBox);
  press(GLFW_KEY_SPACE);
  EXPECT_EQ(currentScreen, screenPlay);

  showScreen(screenMainMenu);
  press(GLFW_KEY_SPACE);
  EXPECT_EQ(currentScreen, screenMainMenu);
  EXPECT_EQ(selectedIndex, -1);
  showScreen(screenSeedEntry);
  const std::string proposed = seedText;
  press(GLFW_KEY_SPACE);
  press(GLFW_KEY_A);
  EXPECT_EQ(std::string(seedText), proposed);
}

TEST_F(InputTest, FullScreenWithoutAWindowChangesNothingAndSaysWhy) {
  showScreen(screenMainMenu);
  testing::internal::CaptureStdout();
  press(GLFW_KEY_F11);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_FALSE(fullscreen);
  EXPECT_EQ(windowWidth, 1280);
  EXPECT_EQ(windowHeight, 720);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
  // Escape and F11 are global keys: they never reach the menu.
  EXPECT_EQ(selectedIndex, -1);
  EXPECT_EQ(soundsPlayed, 0);
}

TEST_F(InputTest, TheMouseLooksAroundWithPitchHeldShortOfVertical) {
  const glm::vec3 front = cameraFront;
  resetRunState();
  showScreen(screenPlay);
  onCursorPos(nullptr, 100.0, 100.0);
  EXPECT_FLOAT_EQ(cameraYaw, -90.0f) << "the first position only sets the reference";
  onCursorPos(nullptr, 150.0, 80.0);
  EXPECT_FLOAT_EQ(cameraYaw, -85.0f);
  EXPECT_FLOAT_EQ(cameraPitch, 2.0f);
  const float yaw = glm::radians(-85.0f), pitch = glm::radians(2.0f);
  EXPECT_NEAR(cameraFront.x, std::cos(pitch) * std::cos(yaw), 1e-5);
  EXPECT_NEAR(cameraFront.y, std::sin(pitch), 1e-5);
  EXPECT_NEAR(cameraFront.z, std::cos(pitch) * std::sin(yaw), 1e-5);
  onCursorPos(nullptr, 150.0, -5000.0);
  EXPECT_FLOAT_EQ(cameraPitch, 89.0f);
  onCursorPos(nullptr, 150.0, 10000.0);
  EXPECT_FLOAT_EQ(cameraPitch, -89.0f);
  cameraFront = front;
}

}  // namespace
