// What a run shows of itself: where a world point lands in the window, and the boost gauge and
// wave banner that the frame update asks for.
#include <gtest/gtest.h>

#include "app/data/camera.h"
#include "app/data/run_state.h"
#include "ui/hud.h"
#include "ui/hud_events.h"
#include "ui/hud_slots.h"
#include "ui/ui_elements.h"

TEST(HudEvents, ScreenPositionPutsTheLineOfSightAtTheMiddle) {
  const glm::vec2 middle = screenPosition(cameraPos + cameraFront * 30.0f);
  EXPECT_NEAR(middle.x, 0.5f, 1e-5f);
  EXPECT_NEAR(middle.y, 0.5f, 1e-5f);
  EXPECT_LT(screenPosition(cameraPos + cameraFront * 30.0f + glm::vec3(0, 1, 0)).y, 0.5f);
}

TEST(HudEvents, TheGaugeShowsTheReserveAndTheBannerFollowsTheBreak) {
  resetRunState();
  buildHud();
  // A full reserve shows the first cell, an empty one the last, half of it the middle.
  for (const auto& [reserve, frame] : {std::pair{2.0f, 0}, {0.0f, 29}, {1.0f, 15}}) {
    boostGauge = reserve;
    showBoostReserve();
    EXPECT_EQ(uiElements[boostGaugeElement].frameIndex, frame) << reserve;
  }
  EXPECT_FALSE(uiTexts[waveBannerText].visible);
  showWaveBanner(true);
  EXPECT_TRUE(uiTexts[waveBannerText].visible);
  showWaveBanner(false);
  EXPECT_FALSE(uiTexts[waveBannerText].visible);
  resetRunState();
  resetUi();
}
