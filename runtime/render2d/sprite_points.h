// render2d: drawing sprites from the shared texture as point sprites through a
// small fragment program. A square sprite then costs the rasteriser one
// rectangle instead of two triangles split along the diagonal, with the same
// pixels: the program samples the texel the quad would have sampled and
// modulates it by the colour, and the alpha test, blending and every other
// per-fragment step stay the fixed-function ones.
//
// The program and the point-sprite switch stay on between sprites so that
// the driver keeps one batch; anything else that draws, or changes the colour
// or the matrices, first calls end() (OpenGLRainbows::endSpritePoints), which
// puts the state back.
#pragma once

#include <GL/gl.h>

#include <GL/glext.h>  // Required for: the program entry point types

#include <array>    // Required for: unit 1's coordinates
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/render2d/sprite_drawing.h"

class SpritePoints {
public:
    SpritePoints() = default;
    SpritePoints(const SpritePoints&) = delete;
    SpritePoints& operator=(const SpritePoints&) = delete;

    bool active() const { return on; }
    // Switches the program on when the GL state is the plain 2D state it
    // reproduces (pixel projection, MODULATE on unit 0, no fog, lighting,
    // culling, texture generation or shader, ...); false changes nothing.
    // The colour must not change while it is on: the program for a white
    // colour does not read it.
    // After a refusal it refuses at once until reconsider().
    bool begin();
    // The 2D state was set anew (setViewport): begin() looks at it again.
    void reconsider() { refused = false; }
    // Puts back the state begin() changed; nothing when it is off.
    void end();
    // Draws the w x h sprite whose texels are the rectangle of the texture
    // bound on unit 0, top-left corner at (x, y) of the 2D view; only while active.
    void draw(const TexelRect& texels, int x, int y, int w, int h);
    // Deletes the programs; the context must be current.
    void release();

private:
    bool makePrograms();
    uint32_t compile(const char* text);  // 0 when the driver refuses it
    void placeTexels(const std::array<float, 4>& place);  // unit 1's coordinates, when they change
    // The driver may read unit 0's coordinate as the point's one for every
    // primitive while point sprites are on: quads are drawn with them off.
    void pointSprites(bool wanted);

    // Fetched with the programs, which are made only when all are there.
    PFNGLGENPROGRAMSARBPROC genPrograms = nullptr;
    PFNGLBINDPROGRAMARBPROC bindProgram = nullptr;
    PFNGLPROGRAMSTRINGARBPROC programString = nullptr;
    PFNGLDELETEPROGRAMSARBPROC deletePrograms = nullptr;
    PFNGLACTIVETEXTUREARBPROC activeTexture = nullptr;
    PFNGLMULTITEXCOORD4FARBPROC multiTexCoord4f = nullptr;

    uint32_t modulateProgram = 0;  // GL names; 0 until the first begin()
    uint32_t whiteProgram = 0;
    bool unavailable = false;  // the driver lacks what the programs need
    bool on = false;
    bool refused = false;
    bool spritesOn = false;  // GL_POINT_SPRITE, while on
    float largestPointSize = 0.0f;
    int32_t viewWidth = 0;     // the 2D view begin() found, in pixels
    int32_t viewHeight = 0;
    float pointSize = 1.0f;    // the size now set
    float savedPointSize = 1.0f;
    std::array<float, 4> unitOneCoords{};  // what the program reads now
    std::array<float, 4> savedUnitOneCoords{};
};
