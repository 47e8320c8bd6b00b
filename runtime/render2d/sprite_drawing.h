// render2d: the quad vertex of the vertex-array drawing routine.
#pragma once

struct QuadVertex {
    float x = 0, y = 0, u = 0, v = 0;
};

class OpenGLRainbows;

// Draws four vertices as one triangle fan into r's window, with texture
// coordinates when `textured`; the bound texture is clamped to its edges.
void drawQuadFan(OpenGLRainbows& r, const QuadVertex (&quad)[4], bool textured);
