// render2d: saving a sprite or the screen as BMP, PNG or JPEG.
#include <GL/gl.h>  // Required for: glGetTexImage, glReadPixels

#include <GL/glext.h>  // Required for: GL_BGR

#include <vector>  // Required for: std::vector

#include "runtime/render2d/image_files.h"
#include "runtime/render2d/open_gl_rainbows.h"

namespace {

// The key as the framebuffer stores it, or no key at all: a key of 0 or of
// 0xFFFFFFFF marks no pixel, so black pictures save as they are.
uint32_t storedKeyFor(OpenGLRainbows& r) {
    const uint32_t key = r.readBackColourKey();
    return key == 0 ? kNoStoredKey : key;
}

}  // namespace

bool OpenGLRainbows::saveSprite(int n, const char* name) {
    if (!isSpriteNumber(n) || name == nullptr) return false;
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    if (s.width <= 0 || s.height <= 0 || s.texture == 0) return false;
    const uint32_t key = storedKeyFor(*this);
    std::vector<uint8_t> bgr(static_cast<size_t>(s.textureWidth) * static_cast<size_t>(s.textureHeight) * 3);
    glBindTexture(GL_TEXTURE_2D, s.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    bindSprite(-1, -1, false);
    return saveImageFile(name, bgr.data(), s.width, s.height, s.textureWidth, key);
}

bool OpenGLRainbows::saveScreen(const char* name) {
    if (name == nullptr || width <= 0 || height <= 0) return false;
    const uint32_t key = storedKeyFor(*this);
    std::vector<uint8_t> bgr(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    flushPendingClear();
    // Rows of any width are tightly packed: no skew for odd widths.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    return saveImageFile(name, bgr.data(), width, height, width, key);
}
