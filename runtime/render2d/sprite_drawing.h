// render2d: the quad vertex of the vertex-array drawing routine.
#pragma once

struct QuadVertex {
    float x = 0, y = 0, u = 0, v = 0;
};

class OpenGLRainbows;

// Draws four vertices as one triangle fan into r's window, with texture
// coordinates when `textured`; the bound texture is clamped to its edges.
void drawQuadFan(OpenGLRainbows& r, const QuadVertex (&quad)[4], bool textured);

// A rectangle of the bound texture: u left to right, t from the picture's
// bottom row (t0) to its top (t1).
struct TexelRect {
    float u0 = 0, u1 = 0, t0 = 0, t1 = 0;
};

// Draws the w x h quad whose top-left corner is (x, y) with the rectangle's
// texels, the picture upright.
void drawSpriteQuad(int x, int y, int w, int h, const TexelRect& texels);
