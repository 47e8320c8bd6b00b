// render2d: texture upload. The image work is done by texture_image.cpp; this
// file only talks to GL.
#include "runtime/render2d/texture_upload.h"

#include <GL/gl.h>  // Required for: texture calls

#include <GL/glext.h>  // Required for: GL_BGRA

#include <algorithm>  // Required for: std::min, std::fill
#include <iterator>   // Required for: std::begin, std::end

#include "runtime/render2d/texture_image.h"

int32_t maxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size > 0 ? std::min<int32_t>(size, kMaxImageSide) : 16;
}

void createBlankTexture(uint32_t* texture, int32_t w, int32_t h) {
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
}

bool createTexture(const PixelBuffer& source, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* texture,
                   uint32_t* mipTexture, bool normalMap, bool nearest) {
    PixelBuffer image;
    if (!prepareTextureImage(source, x, y, w, h, normalMap, nearest, maxTextureSize(), image)) return false;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    if (*texture != 0) glDeleteTextures(1, texture);
    *texture = 0;
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    const GLint filter = nearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
    if (mipTexture != nullptr) {
        glGenTextures(1, mipTexture);
        glBindTexture(GL_TEXTURE_2D, *mipTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        forEachMipLevel(image, [](int level, const PixelBuffer& b) {
            glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, b.width, b.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, b.pixels);
        });
    }
    return true;
}

bool addPlainTexels(int32_t w, int32_t h, int32_t pictureW, int32_t pictureH, float& u, float& v) {
    // Two texels of distance each way: a linear filter reads one texel beyond
    // what it samples, and a repeating wrap joins the far edges to the near ones.
    constexpr int32_t kSide = 3, kGap = 2, kRoom = kSide + 2 * kGap;
    int32_t x = 0, y = 0;
    if (h - pictureH >= kRoom && w >= kRoom) {
        x = kGap;
        y = h - kGap - kSide;
    } else if (w - pictureW >= kRoom && h >= kRoom) {
        x = w - kGap - kSide;
        y = kGap;
    } else {
        return false;
    }
    uint8_t white[kSide * kSide * 4];
    std::fill(std::begin(white), std::end(white), uint8_t{255});
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    u = (static_cast<float>(x) + 1.5f) / static_cast<float>(w);
    v = (static_cast<float>(y) + 1.5f) / static_cast<float>(h);
    return true;
}
