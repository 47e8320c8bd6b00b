// render2d: fonts as sprites 65504..65535 and text output as one triangle
// strip per string.
#include <GL/gl.h>  // Required for: GL_TRIANGLE_STRIP

#include "runtime/render2d/default_font.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/texture_upload.h"

bool OpenGLRainbows::loadFont(int font, const char* path) {
    if (!isFontNumber(font)) return false;
    return loadSprite(kFirstFontSprite + font, path, fontColourKey, false);
}

void OpenGLRainbows::installDefaultFont(int font) {
    if (!isFontNumber(font)) return;
    const int n = kFirstFontSprite + font;
    releaseSprite(n);
    PixelBuffer image;
    if (!buildDefaultFontImage(image)) return;
    SpriteRecord& s = sprites[static_cast<size_t>(n)];
    createTexture(image, 0, 0, 0, 0, &s.texture, nullptr, false, true);
    s.textureWidth = s.width = 128;
    s.textureHeight = s.height = 64;
    s.uMax = s.vMax = 1.0f;
}

FontCell OpenGLRainbows::getFontCharSize(int font) const {
    if (!isFontNumber(font)) return {};
    return fontCellSize(sprites[static_cast<size_t>(kFirstFontSprite + font)]);
}

void OpenGLRainbows::printText(int font, const char* text, float x, float y, float z) {
    if (!isFontNumber(font) || text == nullptr || *text == '\0') return;
    const int n = kFirstFontSprite + font;
    layoutText(sprites[static_cast<size_t>(n)], text, x, y, z, textVertices);
    bindSprite(n, -1, false, nullptr, TextureWrap::clampToEdge);
    drawVertexBuffer(GL_TRIANGLE_STRIP);
}
