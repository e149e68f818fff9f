// The UI font: glyphs rasterised once with FreeType, and text lines laid out and drawn from them.
#include "render/text.h"

#include <ft2build.h>
#include <cstdio>
#include FT_FREETYPE_H
#include <glad/gl.h>

#include "app/data/camera.h"
#include "render/gl_context.h"
#include "render/shader_program.h"
#include "render/sprite_draw.h"
#include "render/ui_records.h"

Glyph glyphs[glyphCount] = {};
float fontAscent = 0.0f;
uint32_t textVao = 0, textVbo = 0;

namespace {

constexpr const char* fontPath = "./fonts/HV.ttf";
constexpr unsigned char ascentGlyph = 'T';  // the ascent is read while this glyph is loaded
constexpr int glyphVertexCount = 6;
constexpr int glyphVertexFloats = 4;  // x, y, u, v
constexpr GLsizeiptr glyphVertexBytes = glyphVertexCount * glyphVertexFloats * sizeof(float);

// Codes beyond the table (128..255) have no glyph: they draw nothing and do not move the pen.
bool hasGlyphEntry(unsigned char c) { return c < glyphCount; }

// Whole pixels of a glyph's advance: the 1/64 fraction is dropped before any scaling.
int32_t wholeAdvance(const Glyph& g) { return g.advance >> 6; }

}  // namespace

TextPlacement placeText(const UiText& t, int32_t width, int32_t height) {
  const float s = static_cast<float>(height) * t.scale;
  float px = static_cast<float>(width) * t.x;
  float py = static_cast<float>(height) * t.y + s * fontAscent;
  if (t.anchor == anchorTopRight || t.anchor == anchorCentre) {
    float lineLength = 0.0f;
    for (int i = 0; i < uiTextCapacity && t.text[i] != '\0'; ++i) {
      const unsigned char c = static_cast<unsigned char>(t.text[i]);
      if (hasGlyphEntry(c)) lineLength += static_cast<float>(wholeAdvance(glyphs[c])) * s;
    }
    if (t.anchor == anchorCentre) {
      px -= 0.5f * lineLength;
      py -= 0.5f * s * static_cast<float>(glyphs[ascentGlyph].rows);
    } else {
      px -= lineLength;
    }
  }
  return {px, py, s};
}

void loadGlyphs() {
  if (!glReady) return;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    std::printf("ERROR::FREETYPE: Could not init FreeType Library\n");
    library = nullptr;
  }
  FT_Face face = nullptr;
  if (library == nullptr || FT_New_Face(library, fontPath, 0, &face) != 0) {
    std::printf("ERROR::FREETYPE: Failed to load font\n");
    face = nullptr;
  } else {
    FT_Set_Pixel_Sizes(face, 0, fontPixelHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int c = 0; c < glyphCount; ++c) {
      if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0) {
        std::printf("ERROR::FREETYTPE: Failed to load Glyph\n");
        continue;
      }
      if (c == ascentGlyph) fontAscent = static_cast<float>(face->size->metrics.ascender) / 64.0f;
      const FT_Bitmap& bitmap = face->glyph->bitmap;
      GLuint texture = 0;
      glGenTextures(1, &texture);
      glBindTexture(GL_TEXTURE_2D, texture);
      // One sized channel: the format OpenGL ES, the web's GL, requires as well.
      glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, static_cast<GLsizei>(bitmap.width),
                   static_cast<GLsizei>(bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, bitmap.buffer);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      glyphs[c] = {texture,
                   static_cast<int32_t>(bitmap.width),
                   static_cast<int32_t>(bitmap.rows),
                   face->glyph->bitmap_left,
                   face->glyph->bitmap_top,
                   static_cast<int32_t>(face->glyph->advance.x)};
    }
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  if (face != nullptr) FT_Done_Face(face);
  if (library != nullptr) FT_Done_FreeType(library);

  glGenVertexArrays(1, &textVao);
  glGenBuffers(1, &textVbo);
  glBindVertexArray(textVao);
  glBindBuffer(GL_ARRAY_BUFFER, textVbo);
  glBufferData(GL_ARRAY_BUFFER, glyphVertexBytes, nullptr, GL_DYNAMIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, glyphVertexFloats, GL_FLOAT, GL_FALSE, glyphVertexFloats * sizeof(float),
                        nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindVertexArray(0);
}

void drawText(UiText t) {
  if (!glReady || textShader == nullptr) return;
  const uint32_t id = textShader->id;
  glUseProgram(id);
  setUniformMat4(id, "projection", uiProjection(windowWidth, windowHeight));
  setUniformVec3(id, "textColor", t.color);
  glActiveTexture(GL_TEXTURE0);
  glBindVertexArray(textVao);

  const TextPlacement place = placeText(t, windowWidth, windowHeight);
  const float s = place.scale;
  float px = place.penX;
  const float py = place.baselineY;
  // The record may come from anywhere; never read past its buffer even without a terminator.
  for (int i = 0; i < uiTextCapacity && t.text[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(t.text[i]);
    if (!hasGlyphEntry(c)) continue;
    const Glyph& g = glyphs[c];
    const float x0 = px + static_cast<float>(g.bearingX) * s;
    const float y0 = py - static_cast<float>(g.bearingY) * s;
    const float x1 = x0 + static_cast<float>(g.width) * s;
    const float y1 = y0 + static_cast<float>(g.rows) * s;
    const float vertices[glyphVertexCount][glyphVertexFloats] = {
        {x0, y1, 0.0f, 0.0f}, {x0, y0, 0.0f, 1.0f}, {x1, y0, 1.0f, 1.0f},
        {x0, y1, 0.0f, 0.0f}, {x1, y0, 1.0f, 1.0f}, {x1, y1, 1.0f, 0.0f},
    };
    glBindTexture(GL_TEXTURE_2D, g.textureId);
    glBindBuffer(GL_ARRAY_BUFFER, textVbo);
    // Respecifying the whole store gives the driver fresh memory, so the write never waits for
    // the previous character's draw to finish reading the old vertices.
    glBufferData(GL_ARRAY_BUFFER, glyphVertexBytes, vertices, GL_DYNAMIC_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, glyphVertexCount);
    px += static_cast<float>(wholeAdvance(g)) * s;
  }
  glBindVertexArray(0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void releaseGlyphs() {
  if (!glReady) return;
  for (Glyph& g : glyphs) {
    if (g.textureId != 0) glDeleteTextures(1, &g.textureId);
    g = {};
  }
  if (textVao != 0) glDeleteVertexArrays(1, &textVao);
  if (textVbo != 0) glDeleteBuffers(1, &textVbo);
  textVao = textVbo = 0;
}
