// The five GL programs every draw goes through, each built from a vertex and a fragment file.
#pragma once

#include <cstdint>

struct ShaderProgram {
  uint32_t id = 0;  // GL program name, set whatever happened during the build
  ShaderProgram(const char* vertexPath, const char* fragmentPath);
};

extern ShaderProgram* mainShader;
extern ShaderProgram* textShader;
extern ShaderProgram* eguiShader;
extern ShaderProgram* platformShader;
extern ShaderProgram* itemShader;

// Builds the five programs in their fixed order.
void buildShaderPrograms();
// Frees the five records (the GL programs end with the context).
void releaseShaderPrograms();
