// Building the five GL programs from their source files, reporting every failure and going on.
#include "render/shader_program.h"

#include <glad/gl.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "render/gl_context.h"

ShaderProgram* mainShader = nullptr;
ShaderProgram* textShader = nullptr;
ShaderProgram* eguiShader = nullptr;
ShaderProgram* platformShader = nullptr;
ShaderProgram* itemShader = nullptr;

namespace {

constexpr GLsizei infoLogSize = 1024;
constexpr const char* programCheck = "PROGRAM";
constexpr const char* logSeparator =
    "\n -- --------------------------------------------------- -- ";

// Prints the compile or link log of a failed object; a success (even with warnings) is silent.
void checkBuild(GLuint object, const char* type) {
  GLint ok = 0;
  char log[infoLogSize] = {};
  if (std::strcmp(type, programCheck) == 0) {
    glGetProgramiv(object, GL_LINK_STATUS, &ok);
    if (ok) return;
    glGetProgramInfoLog(object, infoLogSize, nullptr, log);
    std::printf("ERROR::PROGRAM_LINKING_ERROR of type: %s\n%s%s\n", type, log, logSeparator);
  } else {
    glGetShaderiv(object, GL_COMPILE_STATUS, &ok);
    if (ok) return;
    glGetShaderInfoLog(object, infoLogSize, nullptr, log);
    std::printf("ERROR::SHADER_COMPILATION_ERROR of type: %s\n%s%s\n", type, log, logSeparator);
  }
}

GLuint compileStage(GLenum stage, const std::string& source, const char* path) {
  const GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  checkBuild(shader, path);
  return shader;
}

}  // namespace

ShaderProgram::ShaderProgram(const char* vertexPath, const char* fragmentPath) {
  if (!glReady) return;
  std::string vertexSource;
  std::string fragmentSource;
  std::ifstream vertexFile;
  std::ifstream fragmentFile;
  vertexFile.exceptions(std::ifstream::failbit | std::ifstream::badbit);
  fragmentFile.exceptions(std::ifstream::failbit | std::ifstream::badbit);
  // File streams are the one place the game lets an exception through, and only to here.
  try {
    vertexFile.open(vertexPath);
    fragmentFile.open(fragmentPath);
    std::stringstream vertexStream;
    std::stringstream fragmentStream;
    vertexStream << vertexFile.rdbuf();
    fragmentStream << fragmentFile.rdbuf();
    vertexFile.close();
    fragmentFile.close();
    vertexSource = vertexStream.str();
    fragmentSource = fragmentStream.str();
  } catch (const std::ios_base::failure& e) {
    std::printf("ERROR::SHADER::FILE_NOT_SUCCESSFULLY_READ: %s\n", e.what());
  }

  const GLuint vertex = compileStage(GL_VERTEX_SHADER, vertexSource, vertexPath);
  const GLuint fragment = compileStage(GL_FRAGMENT_SHADER, fragmentSource, fragmentPath);
  id = glCreateProgram();
  glAttachShader(id, vertex);
  glAttachShader(id, fragment);
  glLinkProgram(id);
  checkBuild(id, programCheck);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
}

void buildShaderPrograms() {
  releaseShaderPrograms();
  mainShader = new ShaderProgram("./shaders/main.vert.glsl", "./shaders/main.frag.glsl");
  textShader = new ShaderProgram("./shaders/text.vert.glsl", "./shaders/text.frag.glsl");
  eguiShader = new ShaderProgram("./shaders/egui.vert.glsl", "./shaders/egui.frag.glsl");
  platformShader = new ShaderProgram("./shaders/platform_scroll.vert.glsl",
                                     "./shaders/platform_scroll.frag.glsl");
  itemShader = new ShaderProgram("./shaders/item.vert.glsl", "./shaders/item.frag.glsl");
}

void releaseShaderPrograms() {
  for (ShaderProgram** p : {&mainShader, &textShader, &eguiShader, &platformShader, &itemShader}) {
    delete *p;
    *p = nullptr;
  }
}

void setUniformMat4(uint32_t program, const char* name, const glm::mat4& value) {
  glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, &value[0][0]);
}

void setUniformVec3(uint32_t program, const char* name, const glm::vec3& value) {
  glUniform3fv(glGetUniformLocation(program, name), 1, &value[0]);
}

void setUniformVec2(uint32_t program, const char* name, const glm::vec2& value) {
  glUniform2fv(glGetUniformLocation(program, name), 1, &value[0]);
}

void setUniformInt(uint32_t program, const char* name, int32_t value) {
  glUniform1i(glGetUniformLocation(program, name), value);
}
