// render2d: binding sprites and drawing them plain, stretched, rotated and as
// animation frames, and the two vertex-array routines. Immediate-mode GL 1.x
// in the 2D projection of view_state.cpp.
#include <GL/gl.h>  // Required for: drawing calls

#include <GL/glext.h>  // Required for: GL_TEXTURE0_ARB, GL_CLAMP_TO_EDGE

#include <cmath>  // Required for: cosf, sinf

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/sprite_drawing.h"

namespace {

// The wrap is set here, as the draw needs it: a texture drawn the same way
// again then changes no state, and the driver keeps its batch.
void bindName(uint32_t name, OpenGLRainbows::TextureWrap wrap) {
    const GLint mode = wrap == OpenGLRainbows::TextureWrap::clampToEdge ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glBindTexture(GL_TEXTURE_2D, name);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, mode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, mode);
}

// Texture rectangle of an animation frame; false when the sprite has no frames.
bool frameRect(const SpriteRecord& s, int frame, TexelRect& out) {
    if (s.frameWidth == 0 || s.frameHeight == 0 || s.textureWidth <= 0 || s.textureHeight <= 0) return false;
    const int cols = s.width / s.frameWidth;
    const int col = cols == 0 ? frame : frame % cols;
    const int row = cols == 0 ? 0 : frame / cols;
    const float du = static_cast<float>(s.frameWidth) / static_cast<float>(s.textureWidth);
    out.u0 = static_cast<float>(col) * du;
    out.u1 = out.u0 + du;
    out.t0 = static_cast<float>(s.height - s.frameHeight * (row + 1)) / static_cast<float>(s.textureHeight);
    out.t1 = out.t0 + static_cast<float>(s.frameHeight) / static_cast<float>(s.textureHeight);
    return true;
}

// Binds sprite n for drawing one of its animation frames; false when there is
// no such sprite or it has no frames.
bool bindFrame(OpenGLRainbows& r, int n, int frame, TexelRect& f, OpenGLRainbows::TextureWrap wrap) {
    if (!isSpriteNumber(n) || !frameRect(r.sprites[static_cast<size_t>(n)], frame, f)) return false;
    r.bindSprite(n, -1, false, nullptr, wrap);
    r.applySmoothing();
    return true;
}

}  // namespace

void drawSpriteQuad(int x, int y, int w, int h, const TexelRect& texels) {
    glBegin(GL_QUADS);
    glTexCoord2f(texels.u1, texels.t1);
    glVertex2i(x + w, y);
    glTexCoord2f(texels.u0, texels.t1);
    glVertex2i(x, y);
    glTexCoord2f(texels.u0, texels.t0);
    glVertex2i(x, y + h);
    glTexCoord2f(texels.u1, texels.t0);
    glVertex2i(x + w, y + h);
    glEnd();
}

void drawQuadFan(OpenGLRainbows& r, const QuadVertex (&quad)[4], bool textured) {
    r.flushPendingClear();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(QuadVertex), &quad[0].x);
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), &quad[0].u);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void OpenGLRainbows::bindSprite(int sprite, int secondSprite, bool useMipTexture, const uint32_t* idTable,
                                TextureWrap wrap) {
    if (idTable == nullptr) {
        if (!isSpriteNumber(sprite)) sprite = -1;
        if (!isSpriteNumber(secondSprite)) secondSprite = -1;
    }
    auto nameOf = [&](int n) -> uint32_t {
        if (n < 0) return 0;
        if (idTable != nullptr) return idTable[n];
        const SpriteRecord& s = sprites[static_cast<size_t>(n)];
        return useMipTexture ? s.mipTexture : s.texture;
    };
    bindNames(sprite, secondSprite, useMipTexture, nameOf(secondSprite >= 0 ? secondSprite : sprite),
              secondSprite >= 0 ? nameOf(sprite) : 0, wrap);
}

void OpenGLRainbows::bindNames(int sprite, int secondSprite, bool useMipTexture, uint32_t unitZeroName,
                               uint32_t unitOneName, TextureWrap wrap) {
    endSpritePoints();
    const bool unitOneWasOff = boundSecondSprite < 0;
    boundSprite = sprite;
    boundSecondSprite = secondSprite;
    boundUsesMipTexture = useMipTexture ? 1 : 0;
    const GlExtensions& ext = glExtensions();
    if (ext.glActiveTextureARB == nullptr) {
        if (sprite < 0) {
            glDisable(GL_TEXTURE_2D);
            glEnable(GL_COLOR_MATERIAL);
        } else {
            bindName(unitZeroName, wrap);
        }
        return;
    }
    // Unit 1 is off while the last bind had no second sprite: switching to it
    // only to switch it off again would end the driver's batch of quads.
    const bool unitOneOn = sprite >= 0 && secondSprite >= 0;
    if (unitOneOn || !unitOneWasOff) {
        ext.glActiveTextureARB(GL_TEXTURE1_ARB);
        if (unitOneOn) {
            bindName(unitOneName, TextureWrap::repeat);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    if (sprite < 0) {
        glDisable(GL_TEXTURE_2D);
    } else {
        bindName(unitZeroName, wrap);
    }
}

void OpenGLRainbows::setSmoothing(uint8_t flag) { smoothing = flag != 0 ? 1 : 0; }

void OpenGLRainbows::applySmoothing() {
    const GLint filter = smoothing != 0 ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void OpenGLRainbows::drawSprite(int n, int x, int y) {
    if (!isSpriteNumber(n)) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    flushPendingClear();
    // Nearest sampling reads the same texels from the shared copy: sprites
    // drawn in a row from it stay one batch whatever sprite each one is.
    const AtlasPlace* place = smoothing == 0 ? atlas.find(n) : nullptr;
    if (place == nullptr) {
        bindSprite(n, -1, false);
        applySmoothing();
        drawSpriteQuad(x, y, s.width, s.height, {0.0f, s.uMax, 0.0f, s.vMax});
        return;
    }
    constexpr float kInverseSide = 1.0f / static_cast<float>(SpriteAtlas::kSide);
    const TexelRect texels{static_cast<float>(place->x) * kInverseSide,
                           static_cast<float>(place->x + s.width) * kInverseSide,
                           static_cast<float>(place->y) * kInverseSide,
                           static_cast<float>(place->y + s.height) * kInverseSide};
    if (spritePoints.active()) {
        // What bindNames records; the shared texture is bound again in case a
        // texture made since took unit 0 (the driver skips a bind that changes
        // nothing). Its filter is still the nearest one begin() found.
        boundSprite = n;
        boundSecondSprite = -1;
        boundUsesMipTexture = 0;
        glBindTexture(GL_TEXTURE_2D, atlas.texture);
    } else {
        bindNames(n, -1, false, atlas.texture, 0, TextureWrap::repeat);
        applySmoothing();
    }
    // A program that calls GL itself may change any state between two
    // sprites without the renderer seeing it: it keeps the plain quads.
    if (runtimeState().programCallsGl == 0 && spritePoints.begin()) {
        spritePoints.draw(texels, x, y, s.width, s.height);
    } else {
        drawSpriteQuad(x, y, s.width, s.height, texels);
    }
}

void OpenGLRainbows::drawSpriteStretched(int n, int x, int y, int w, int h) {
    if (!isSpriteNumber(n)) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    bindSprite(n, -1, false, nullptr, TextureWrap::clampToEdge);
    applySmoothing();
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const QuadVertex quad[4] = {{fx, fy + fh, 0.0f, 0.0f},
                                {fx + fw, fy + fh, s.uMax, 0.0f},
                                {fx + fw, fy, s.uMax, s.vMax},
                                {fx, fy, 0.0f, s.vMax}};
    drawQuadFan(*this, quad, true);
}

void OpenGLRainbows::drawSpriteRotoZoom(int n, int x, int y, float angle, float zoom) {
    if (!isSpriteNumber(n)) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    if (s.textureWidth <= 0 || s.textureHeight <= 0) return;
    bindSprite(n, -1, false, nullptr, TextureWrap::clampToEdge);
    applySmoothing();
    const float hw = static_cast<float>(s.width) * zoom * 0.5f, hh = static_cast<float>(s.height) * zoom * 0.5f;
    const float tw = static_cast<float>(s.textureWidth), th = static_cast<float>(s.textureHeight);
    const float u0 = 0.5f / tw, u1 = (static_cast<float>(s.width) - 0.5f) / tw;
    const float t0 = 0.5f / th, t1 = (static_cast<float>(s.height) - 0.5f) / th;
    glPushMatrix();
    glTranslatef(static_cast<float>(x + s.width / 2), static_cast<float>(y + s.height / 2), 0.0f);
    glRotatef(angle, 0.0f, 0.0f, -1.0f);
    const QuadVertex quad[4] = {{-hw, hh, u0, t0}, {hw, hh, u1, t0}, {hw, -hh, u1, t1}, {-hw, -hh, u0, t1}};
    drawQuadFan(*this, quad, true);
    glPopMatrix();
}

void OpenGLRainbows::drawAnim(int n, int frame, int x, int y) {
    TexelRect f{};
    if (!bindFrame(*this, n, frame, f, TextureWrap::repeat)) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    flushPendingClear();
    drawSpriteQuad(x, y, s.frameWidth, s.frameHeight, f);
}

void OpenGLRainbows::drawAnimStretched(int n, int frame, int x, int y, int w, int h) {
    TexelRect f{};
    if (!bindFrame(*this, n, frame, f, TextureWrap::clampToEdge)) return;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float right = fx + static_cast<float>(w) + 0.1f, bottom = fy + static_cast<float>(h) + 0.1f;
    const QuadVertex quad[4] = {{fx, fy, f.u0, f.t1}, {fx, bottom, f.u0, f.t0}, {right, bottom, f.u1, f.t0},
                                {right, fy, f.u1, f.t1}};
    drawQuadFan(*this, quad, true);
}

void OpenGLRainbows::drawAnimRotoZoom(int n, int frame, int x, int y, float angle, float zoom) {
    TexelRect f{};
    if (!bindFrame(*this, n, frame, f, TextureWrap::clampToEdge)) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    const float halfU = 0.5f / static_cast<float>(s.textureWidth), halfT = 0.5f / static_cast<float>(s.textureHeight);
    const float left = f.u0 + halfU, right = f.u1 - halfU, bottom = f.t0 + halfT, top = f.t1 - halfT;
    const float cx = static_cast<float>(x + s.frameWidth / 2), cy = static_cast<float>(y + s.frameHeight / 2);
    const float hw = static_cast<float>(s.frameWidth) * zoom * 0.5f, hh = static_cast<float>(s.frameHeight) * zoom * 0.5f;
    const float a = angle * 0.017453292f, c = std::cos(a), sn = std::sin(a);
    auto corner = [&](float dx, float dy, float u, float v) {
        return QuadVertex{cx + c * dx + sn * dy, cy - sn * dx + c * dy, u, v};
    };
    const QuadVertex quad[4] = {corner(-hw, -hh, left, top), corner(-hw, hh, left, bottom),
                                corner(hw, hh, right, bottom), corner(hw, -hh, right, top)};
    drawQuadFan(*this, quad, true);
}

void OpenGLRainbows::drawVertexBuffer(uint32_t mode) {
    if (textVertices.count <= 0) return;
    endSpritePoints();
    flushPendingClear();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TextVertex), &textVertices.data[0].x);
    if (boundSprite >= 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(TextVertex), &textVertices.data[0].u);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glDrawArrays(mode, 0, textVertices.count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
