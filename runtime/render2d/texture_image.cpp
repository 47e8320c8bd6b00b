// render2d: texture images on the CPU. Pure computation over PixelBuffers.
#include "runtime/render2d/texture_image.h"

#include <algorithm>  // Required for: std::min, std::max
#include <cmath>      // Required for: sqrtf
#include <cstring>    // Required for: memcpy

int32_t textureSizeFor(int32_t n) {
    int32_t size = 8;
    do {
        size *= 2;
    } while (size < n && size < kMaxImageSide);
    return size;
}

bool prepareTextureImage(const PixelBuffer& src, int32_t x, int32_t y, int32_t w, int32_t h, bool normalMap,
                         bool nearest, int32_t maxTextureSize, PixelBuffer& out) {
    if (w == 0) w = src.width - x;
    if (h == 0) h = src.height - y;
    if (w <= 0 || h <= 0) return false;
    const int32_t limit = std::min(std::max(maxTextureSize, 16), kMaxImageSide);
    w = std::min(w, limit);
    h = std::min(h, limit);
    const int32_t tw = textureSizeFor(w), th = textureSizeFor(h);
    if (!out.resize(tw, th)) return false;
    // 64-bit bounds: x + tw must not overflow for rectangles far off the image.
    const int64_t sxEnd = std::min<int64_t>({src.width, int64_t{x} + tw, int64_t{x} + w});
    const int64_t syEnd = std::min<int64_t>({src.height, int64_t{y} + th, int64_t{y} + h});
    for (int64_t sy = std::max(y, 0); sy < syEnd; ++sy) {
        const int32_t row = static_cast<int32_t>(int64_t{y} + h - 1 - sy);
        for (int64_t sx = std::max(x, 0); sx < sxEnd; ++sx) {
            std::memcpy(out.at(static_cast<int32_t>(sx - x), row), src.at(static_cast<int32_t>(sx), static_cast<int32_t>(sy)), 4);
        }
    }
    if (!nearest) fillTransparentEdges(out);
    if (normalMap) makeNormalMap(out);
    return true;
}

void fillTransparentEdges(PixelBuffer& image) {
    const int32_t w = image.width, h = image.height;
    for (int32_t ty = 0; ty < h; ++ty) {
        for (int32_t tx = 0; tx < w; ++tx) {
            uint8_t* texel = image.at(tx, ty);
            if (texel[3] != 0) continue;
            int sum[3] = {0, 0, 0};
            int counted = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = tx + dx, ny = ty + dy;
                    if ((dx == 0 && dy == 0) || nx < 1 || nx > w - 2 || ny < 1 || ny > h - 2) continue;
                    const uint8_t* n = image.at(nx, ny);
                    if (n[3] == 0) continue;
                    sum[0] += n[0];
                    sum[1] += n[1];
                    sum[2] += n[2];
                    ++counted;
                }
            }
            for (int c = 0; c < 3; ++c) texel[c] = counted ? static_cast<uint8_t>(sum[c] / counted) : 0;
        }
    }
}

void makeNormalMap(PixelBuffer& image) {
    const int32_t w = image.width, h = image.height;
    if (w <= 0 || h <= 0) return;
    PixelBuffer normals;
    if (!normals.resize(w, h)) return;
    auto height = [&](int32_t x, int32_t y) {
        return image.at((x + w) % w, (y + h) % h)[2] / 255.0;
    };
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const double gx = (height(x + 1, y - 1) + 2 * height(x + 1, y) + height(x + 1, y + 1)) -
                              (height(x - 1, y - 1) + 2 * height(x - 1, y) + height(x - 1, y + 1));
            const double gy = (height(x - 1, y + 1) + 2 * height(x, y + 1) + height(x + 1, y + 1)) -
                              (height(x - 1, y - 1) + 2 * height(x, y - 1) + height(x + 1, y - 1));
            const double s = 1.0 / static_cast<double>(sqrtf(static_cast<float>(gx * gx + gy * gy + 1.0)));
            uint8_t* out = normals.at(x, y);
            out[0] = static_cast<uint8_t>((-gx * s + 1) * 0.5 * 255);
            out[1] = static_cast<uint8_t>((gy * s + 1) * 0.5 * 255);
            out[2] = static_cast<uint8_t>((s + 1) * 0.5 * 255);
            out[3] = image.at(x, y)[3];
        }
    }
    image = std::move(normals);
}

namespace {

// Halves the image in one direction, each texel the truncated mean of two.
void halve(PixelBuffer& image, bool horizontally) {
    PixelBuffer half;
    const int32_t w = horizontally ? image.width / 2 : image.width;
    const int32_t h = horizontally ? image.height : image.height / 2;
    half.resize(w, h);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* a = horizontally ? image.at(2 * x, y) : image.at(x, 2 * y);
            const uint8_t* b = horizontally ? image.at(2 * x + 1, y) : image.at(x, 2 * y + 1);
            uint8_t* out = half.at(x, y);
            for (int c = 0; c < 4; ++c) out[c] = static_cast<uint8_t>((a[c] + b[c]) >> 1);
        }
    }
    image = std::move(half);
}

// The next, half-size level: a weighted mean of the texel, its right
// neighbour and the two texels two rows on, as far as they exist.
void nextLevel(PixelBuffer& image) {
    PixelBuffer next;
    const int32_t a = image.width / 2, b = image.height / 2;
    next.resize(a, b);
    for (int32_t y = 0; y < b; ++y) {
        for (int32_t x = 0; x < a; ++x) {
            const uint8_t* s0 = image.at(2 * x, 2 * y);
            uint8_t* out = next.at(x, y);
            for (int c = 0; c < 4; ++c) {
                int value = s0[c];
                if (x < a - 1 && y < b - 1) {
                    value = (4 * s0[c] + 2 * image.at(2 * x + 1, 2 * y)[c] + 2 * image.at(2 * x + 1, 2 * y + 2)[c] +
                             image.at(2 * x, 2 * y + 2)[c]) / 9;
                } else if (x < a - 1) {
                    value = (2 * s0[c] + image.at(2 * x + 1, 2 * y)[c]) / 3;
                } else if (y < b - 1) {
                    value = (2 * s0[c] + image.at(2 * x, 2 * y + 2)[c]) / 3;
                }
                out[c] = static_cast<uint8_t>(value);
            }
        }
    }
    image = std::move(next);
}

}  // namespace

void forEachMipLevel(PixelBuffer& image, const std::function<void(int level, const PixelBuffer&)>& upload) {
    if (image.width <= 0 || image.height <= 0) return;
    while (image.width > image.height) halve(image, true);
    while (image.height > image.width) halve(image, false);
    for (int level = 0;; ++level) {
        upload(level, image);
        if (image.width / 2 < 1 && image.height / 2 < 1) break;
        nextLevel(image);
    }
}
