// render2d: tiled images: pictures loaded or grabbed in tiles of one texture
// each and drawn back upright. At most 8 x 8 tiles: larger pictures are
// refused rather than cut.
#include <GL/gl.h>  // Required for: texture calls

#include <algorithm>  // Required for: std::min, std::max

#include "runtime/render2d/colour_key.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/sprite_drawing.h"
#include "runtime/render2d/texture_upload.h"

namespace {

constexpr int32_t kLoadTileEdge = 512;
constexpr int32_t kGrabTileEdge = 128;

int tileIndex(int column, int row) { return column * kMaxTilesPerSide + row; }

}  // namespace

bool OpenGLRainbows::loadTiledImage(int slot, const char* path) {
    if (!isTiledImageSlot(slot)) return false;
    PixelBuffer image;
    if (path == nullptr || !loadImageRgba(image, path, kNoColourKey) || image.width == 0 || image.height == 0)
        return false;
    const int32_t edge = std::min(maxTextureSize(), kLoadTileEdge);
    const int32_t columns = (image.width + edge - 1) / edge, rows = (image.height + edge - 1) / edge;
    if (columns > kMaxTilesPerSide || rows > kMaxTilesPerSide) return false;
    freeTiledImage(slot);
    TiledImage& t = tiledImages[static_cast<size_t>(slot)];
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int i = tileIndex(column, row);
            if (!createTexture(image, column * edge, row * edge, edge, edge, &t.texture[static_cast<size_t>(i)], nullptr,
                               false, false))
                return false;
            t.textureWidth[static_cast<size_t>(i)] = t.textureHeight[static_cast<size_t>(i)] = edge;
            t.usedWidth[static_cast<size_t>(i)] = t.usedHeight[static_cast<size_t>(i)] = edge;
        }
        t.columns = columns;
        t.rows = row + 1;
    }
    return true;
}

void OpenGLRainbows::grabScreenToTiledImage(int slot) {
    if (!isTiledImageSlot(slot)) return;
    const int32_t limit = maxTextureSize();
    int32_t edge = kGrabTileEdge;
    while (edge < std::max(width, height) && edge < limit) edge *= 2;
    const int32_t columns = (width + edge - 1) / edge, rows = (height + edge - 1) / edge;
    if (columns > kMaxTilesPerSide || rows > kMaxTilesPerSide || columns <= 0 || rows <= 0) return;
    TiledImage& t = tiledImages[static_cast<size_t>(slot)];
    const int32_t sourceHeight = drawTargetHeight();
    flushPendingClear();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const auto i = static_cast<size_t>(tileIndex(column, row));
            if (t.texture[i] == 0 || t.textureWidth[i] != edge || t.textureHeight[i] != edge) {
                if (t.texture[i] != 0) glDeleteTextures(1, &t.texture[i]);
                createBlankTexture(&t.texture[i], edge, edge);
            } else {
                glBindTexture(GL_TEXTURE_2D, t.texture[i]);
            }
            const int32_t x = column * edge, y = row * edge;
            const int32_t w = std::min(edge, width - x), h = std::min(edge, height - y);
            glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, sourceHeight - y - h, w, h);
            t.textureWidth[i] = t.textureHeight[i] = edge;
            t.usedWidth[i] = w;
            t.usedHeight[i] = h;
        }
    }
    t.columns = columns;
    t.rows = rows;
}

void OpenGLRainbows::drawTiledImage(int slot) {
    if (!isTiledImageSlot(slot)) return;
    const TiledImage& t = tiledImages[static_cast<size_t>(slot)];
    if (t.columns == 0) return;
    endSpritePoints();
    glDisable(GL_ALPHA_TEST);
    const GlExtensions& ext = glExtensions();
    if (ext.glActiveTextureARB != nullptr) {
        ext.glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        ext.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glEnable(GL_TEXTURE_2D);
    for (int row = 0; row < t.rows; ++row) {
        for (int column = 0; column < t.columns; ++column) {
            const auto i = static_cast<size_t>(tileIndex(column, row));
            if (t.texture[i] == 0) continue;
            glBindTexture(GL_TEXTURE_2D, t.texture[i]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            // Tiles sit at multiples of their texture size; a loaded tile's used size is the whole texture.
            const float x = static_cast<float>(column * t.textureWidth[i]), y = static_cast<float>(row * t.textureHeight[i]);
            const float w = static_cast<float>(t.usedWidth[i]), h = static_cast<float>(t.usedHeight[i]);
            const float u = w / static_cast<float>(t.textureWidth[i]), v = h / static_cast<float>(t.textureHeight[i]);
            const QuadVertex quad[4] = {{x, y + h, 0.0f, 0.0f}, {x + w, y + h, u, 0.0f}, {x + w, y, u, v}, {x, y, 0.0f, v}};
            drawQuadFan(*this, quad, true);
        }
    }
    glEnable(GL_ALPHA_TEST);
    bindSprite(-1, -1, false);
    applySmoothing();
}

void OpenGLRainbows::freeTiledImage(int slot) {
    if (!isTiledImageSlot(slot)) return;
    TiledImage& t = tiledImages[static_cast<size_t>(slot)];
    if (contextAlive != 0 && t.rows > 0) {
        for (int row = 0; row < t.rows; ++row) {
            for (int column = 0; column < t.columns; ++column) {
                const auto i = static_cast<size_t>(tileIndex(column, row));
                if (t.texture[i] != 0) glDeleteTextures(1, &t.texture[i]);
            }
        }
    }
    t = TiledImage{};
}
