// The library links and its globals start in their documented state.
#include <gtest/gtest.h>

#include "app/shell.h"

TEST(Shell, StartsAtTheDocumentedWindowSize) {
  EXPECT_EQ(windowWidth, 1280);
  EXPECT_EQ(windowHeight, 720);
}
