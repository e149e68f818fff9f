// The five GL programs every draw goes through, each built from a vertex and a fragment file.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>

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

// Uniform setters: every call looks the location up by name at that moment (never cached);
// a name the program lacks is ignored by GL.
void setUniformMat4(uint32_t program, const char* name, const glm::mat4& value);
void setUniformVec3(uint32_t program, const char* name, const glm::vec3& value);
void setUniformVec2(uint32_t program, const char* name, const glm::vec2& value);
void setUniformInt(uint32_t program, const char* name, int32_t value);
