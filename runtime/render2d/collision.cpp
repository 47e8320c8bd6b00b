// render2d: collision maths. Pure CPU, no GL.
#include "runtime/render2d/collision.h"

#include <algorithm>  // Required for: std::min, std::max

namespace {

uint8_t alphaAt(const AlphaCopy& c, int64_t column, int64_t rowFromTop) {
    const int64_t row = int64_t{c.height} - 1 - rowFromTop;
    if (!c.alpha || column < 0 || column >= c.textureWidth || row < 0 || row >= c.textureHeight) return 0;
    return c.alpha[row * c.textureWidth + column];
}

}  // namespace

Overlap overlapOf(int32_t xa, int32_t ya, int32_t wa, int32_t ha, int32_t xb, int32_t yb, int32_t wb, int32_t hb) {
    const int64_t left = std::max(xa, xb), top = std::max(ya, yb);
    const int64_t right = std::min(int64_t{xa} + wa, int64_t{xb} + wb);
    const int64_t bottom = std::min(int64_t{ya} + ha, int64_t{yb} + hb);
    if (left >= right || top >= bottom) return {};
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
            static_cast<int32_t>(bottom)};
}

bool pixelCollision(const AlphaCopy& a, int32_t xa, int32_t ya, const AlphaCopy& b, int32_t xb, int32_t yb,
                    const Overlap& area) {
    if (area.empty()) return false;
    // Coarse to fine: every second pixel first, then the three other phases.
    static constexpr int kPhases[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& phase : kPhases) {
        for (int64_t sy = int64_t{area.top} + phase[1]; sy < area.bottom; sy += 2) {
            for (int64_t sx = int64_t{area.left} + phase[0]; sx < area.right; sx += 2) {
                if (alphaAt(a, sx - xa, sy - ya) != 0 && alphaAt(b, sx - xb, sy - yb) != 0) return true;
            }
        }
    }
    return false;
}

FrameBox frameBoxOf(const SpriteRecord& sprite, int32_t frame) {
    if (sprite.frameWidth == 0) return {0, 0, sprite.width, sprite.height};
    const int32_t cols = std::max(sprite.width / sprite.frameWidth, 1);
    return {(frame % cols) * sprite.frameWidth, (frame / cols) * sprite.frameHeight, sprite.frameWidth,
            sprite.frameHeight};
}
