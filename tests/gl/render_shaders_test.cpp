// The five shader programs build from their files, take the inputs the draws feed, and survive
// faults.
#include <glad/gl.h>

#include <fstream>

#include "gl/render_test_support.h"

namespace {

const char* const separatorLine = "\n -- --------------------------------------------------- -- \n";

bool linked(uint32_t program) {
  GLint ok = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  return ok == GL_TRUE;
}

void expectUniforms(const ShaderProgram* p, std::initializer_list<const char*> names) {
  ASSERT_NE(p, nullptr);
  for (const char* name : names)
    EXPECT_NE(glGetUniformLocation(p->id, name), -1) << "uniform " << name << " unused";
}

}  // namespace

TEST(ShaderPrograms, AllFiveLinkQuietlyAndUseEveryInputTheDrawsSet) {
  ASSERT_TRUE(ensureGlContext());
  beginCapture();
  buildShaderPrograms();
  const std::string out = endCapture();
  EXPECT_EQ(out, "");
  for (const ShaderProgram* p : {mainShader, textShader, eguiShader, platformShader, itemShader}) {
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p->id, 0u);
    EXPECT_TRUE(linked(p->id));
  }
  // Built in their fixed order, so the GL hands out increasing names.
  EXPECT_LT(mainShader->id, textShader->id);
  EXPECT_LT(textShader->id, eguiShader->id);
  EXPECT_LT(eguiShader->id, platformShader->id);
  EXPECT_LT(platformShader->id, itemShader->id);
  // A misspelt uniform would be dropped silently by GL; every name the draws set must be live.
  expectUniforms(textShader, {"projection", "textColor"});
  expectUniforms(eguiShader,
                 {"projection", "useSpriteSheet", "frameIndex", "cols", "rows", "texture1"});
  expectUniforms(platformShader, {"model", "view", "projection", "scrollOffset", "lightColor",
                                  "lightPos", "viewPos", "flippedNormal", "color", "platformTex"});
  expectUniforms(itemShader, {"view", "projection", "model", "color", "useColorOnly",
                              "useSpriteSheet", "frameIndex", "cols", "rows", "quadTexture"});
}

TEST(ShaderPrograms, MissingFragmentFileIsReportedAndTheProgramStillExists) {
  ASSERT_TRUE(ensureGlContext());
  beginCapture();
  ShaderProgram broken("./shaders/main.vert.glsl", "./shaders/no_such_file.frag.glsl");
  const std::string out = endCapture();
  EXPECT_TRUE(contains(out, "ERROR::SHADER::FILE_NOT_SUCCESSFULLY_READ: ")) << out;
  EXPECT_TRUE(contains(out, "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n")) << out;
  EXPECT_TRUE(contains(out, separatorLine)) << out;
  // The read failure comes first, before the compile and link reports.
  EXPECT_EQ(out.find("ERROR::SHADER::FILE_NOT_SUCCESSFULLY_READ: "), 0u);
  EXPECT_NE(broken.id, 0u);
  EXPECT_EQ(glIsProgram(broken.id), GL_TRUE);
  EXPECT_FALSE(linked(broken.id));
}

TEST(ShaderPrograms, CompileErrorNamesTheFileAndTheProgramIsKept) {
  ASSERT_TRUE(ensureGlContext());
  ScratchDir dir;
  const std::string bad = dir.file("bad.vert.glsl");
  std::ofstream(bad) << "#version 460 core\nvoid main() { gl_Position = undefinedThing; }\n";
  beginCapture();
  ShaderProgram p(bad.c_str(), "./shaders/main.frag.glsl");
  const std::string out = endCapture();
  const std::string header = "ERROR::SHADER_COMPILATION_ERROR of type: " + bad + "\n";
  ASSERT_EQ(out.find(header), 0u) << out;
  // The compiler's log follows on the next line, then the separator.
  const size_t log = header.size();
  EXPECT_GT(out.find(separatorLine, log), log);
  EXPECT_TRUE(contains(out, "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n"));
  EXPECT_NE(p.id, 0u);
}
