// The test window really has a GL 4.6 core context.
#include <glad/gl.h>
#include <gtest/gtest.h>

#include "kit/gl_window.h"

TEST(GlContext, IsCoreProfile46) {
  ASSERT_TRUE(ensureGlContext());
  GLint major = 0, minor = 0, mask = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
  EXPECT_EQ(major * 10 + minor, 46);
  EXPECT_TRUE(mask & GL_CONTEXT_CORE_PROFILE_BIT);
}
