// render2d: pixel-exact collisions over alpha copies of sprite textures, and
// reading colours back from the framebuffer.
#include <GL/gl.h>  // Required for: glGetTexImage, glReadPixels

#include <algorithm>  // Required for: std::max
#include <cstring>    // Required for: memset

#include "runtime/render2d/collision.h"
#include "runtime/render2d/colour_key.h"
#include "runtime/render2d/open_gl_rainbows.h"

const uint8_t* OpenGLRainbows::makeAlphaCopy(int n) {
    if (!isSpriteNumber(n)) return nullptr;
    std::unique_ptr<uint8_t[]>& copy = pixelCopies[static_cast<size_t>(n)];
    if (copy) return copy.get();
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    if (s.texture == 0 || contextAlive == 0) return nullptr;
    glBindTexture(GL_TEXTURE_2D, s.texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    bindSprite(-1, -1, false);
    // The copy is read with the record's texture size: it must match the texture's.
    if (w != s.textureWidth || h != s.textureHeight || w <= 0 || h <= 0) return nullptr;
    const size_t bytes = std::max<size_t>(static_cast<size_t>(w) * static_cast<size_t>(h), 64);
    copy = std::make_unique<uint8_t[]>(bytes);
    std::memset(copy.get(), 0, bytes);
    glBindTexture(GL_TEXTURE_2D, s.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, copy.get());
    bindSprite(-1, -1, false);
    return copy.get();
}

bool OpenGLRainbows::pixelCollision(int a, int xa, int ya, int b, int xb, int yb, int left, int top, int right,
                                    int bottom) {
    const uint8_t* alphaA = makeAlphaCopy(a);
    const uint8_t* alphaB = makeAlphaCopy(b);
    if (alphaA == nullptr || alphaB == nullptr) return false;
    const SpriteRecord& sa = sprites[static_cast<size_t>(a)];
    const SpriteRecord& sb = sprites[static_cast<size_t>(b)];
    const AlphaCopy copyA{alphaA, sa.textureWidth, sa.textureHeight, sa.height};
    const AlphaCopy copyB{alphaB, sb.textureWidth, sb.textureHeight, sb.height};
    return ::pixelCollision(copyA, xa, ya, copyB, xb, yb, Overlap{left, top, right, bottom});
}

bool OpenGLRainbows::spriteCollision(int a, int b, int xa, int ya, int xb, int yb) {
    if (!isSpriteNumber(a) || !isSpriteNumber(b)) return false;
    const SpriteRecord& sa = sprites[static_cast<size_t>(a)];
    const SpriteRecord& sb = sprites[static_cast<size_t>(b)];
    const Overlap o = overlapOf(xa, ya, sa.width, sa.height, xb, yb, sb.width, sb.height);
    if (o.empty()) return false;
    return pixelCollision(a, xa, ya, b, xb, yb, o.left, o.top, o.right, o.bottom);
}

bool OpenGLRainbows::animCollision(int a, int frameA, int xa, int ya, int b, int frameB, int xb, int yb) {
    if (!isSpriteNumber(a) || !isSpriteNumber(b)) return false;
    const FrameBox fa = frameBoxOf(sprites[static_cast<size_t>(a)], frameA);
    const FrameBox fb = frameBoxOf(sprites[static_cast<size_t>(b)], frameB);
    const Overlap o = overlapOf(xa, ya, fa.width, fa.height, xb, yb, fb.width, fb.height);
    if (o.empty()) return false;
    return pixelCollision(a, xa - fa.fx, ya - fa.fy, b, xb - fb.fx, yb - fb.fy, o.left, o.top, o.right, o.bottom);
}

uint32_t OpenGLRainbows::readPixel(int x, int y) {
    uint8_t rgba[4] = {0, 0, 0, 0};
    flushPendingClear();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, drawTargetHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<uint32_t>(rgba[0]) | static_cast<uint32_t>(rgba[1]) << 8 | static_cast<uint32_t>(rgba[2]) << 16;
}

uint32_t OpenGLRainbows::readBackColourKey() {
    if (spriteColourKey == 0 || spriteColourKey == kNoColourKey) return 0;
    const uint32_t kept = readPixel(4, 4);
    drawPoint(4, 4, spriteColourKey);
    const uint32_t stored = readPixel(4, 4);
    drawPoint(4, 4, kept);
    return (stored & 255) << 24 | ((stored >> 8) & 255) << 16 | ((stored >> 16) & 255) << 8;
}
