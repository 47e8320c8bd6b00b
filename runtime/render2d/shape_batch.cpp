// render2d: gathering 2D shapes into runs. Pure CPU, no GL.
#include "runtime/render2d/shape_batch.h"

#include <algorithm>  // Required for: std::min, std::max
#include <cmath>      // Required for: std::floor, std::ceil

namespace {

PixelArea joined(const PixelArea& a, const PixelArea& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelArea common(const PixelArea& a, const PixelArea& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

ShapeVertex coloured(float x, float y, const uint8_t (&rgba)[4]) {
    return {x, y, 0.0f, 0.0f, rgba[0], rgba[1], rgba[2], rgba[3]};
}

}  // namespace

void ShapeBatch::start() {
    clear();
    open = true;
}

void ShapeBatch::stop() {
    clear();
    open = false;
}

void ShapeBatch::setClip(int32_t x, int32_t y, int32_t w, int32_t h) {
    clip = {x, y, x + std::max(w, 0), y + std::max(h, 0)};
    originX = x;
    originY = y;
}

void ShapeBatch::clear() {
    vertices.clear();
    runs.clear();
}

ShapeRun& ShapeBatch::runFor(bool lines, bool textured, const ShapeTexture& texture, const PixelArea& pixels,
                             bool cut) {
    if (!runs.empty()) {
        ShapeRun& last = runs.back();
        const bool same = last.lines == lines && last.textured == textured && (!textured || last.texture == texture);
        if (same) {
            // A shape inside the clip area fits any run whose scissor holds it;
            // one that needs the clip area joins a run with that scissor, or
            // one without scissor whose shapes all lie inside the clip area.
            if (!cut && (!last.scissored || last.scissor.contains(pixels))) {
                last.bounds = joined(last.bounds, pixels);
                return last;
            }
            if (cut && last.scissored && last.scissor == clip) {
                last.bounds = joined(last.bounds, pixels);
                return last;
            }
            if (cut && !last.scissored && clip.contains(last.bounds)) {
                last.scissored = true;
                last.scissor = clip;
                last.bounds = joined(last.bounds, pixels);
                return last;
            }
        }
    }
    ShapeRun run;
    run.lines = lines;
    run.textured = textured;
    run.texture = texture;
    run.scissored = cut;
    run.scissor = cut ? clip : PixelArea{};
    run.bounds = pixels;
    run.first = static_cast<int32_t>(vertices.size());
    runs.push_back(run);
    return runs.back();
}

PixelArea ShapeBatch::fillPixels(int32_t x, int32_t y, int32_t w, int32_t h) const {
    // Edges shifted to between pixel centres cover exactly the pixels
    // [x, x + w) x [y, y + h); cut to the clip area they cover the pixels a
    // viewport over that area lets through.
    const int64_t left = int64_t{x} + originX, top = int64_t{y} + originY;
    return {static_cast<int32_t>(std::max<int64_t>(left, clip.x0)),
            static_cast<int32_t>(std::max<int64_t>(top, clip.y0)),
            static_cast<int32_t>(std::min<int64_t>(left + w, clip.x1)),
            static_cast<int32_t>(std::min<int64_t>(top + h, clip.y1))};
}

void ShapeBatch::fill(const PixelArea& pixels, float shift, const uint8_t (&rgba)[4]) {
    const bool onWhite = !runs.empty() && runs.back().textured && runs.back().texture.plainU >= 0.0f &&
                         rgba[3] > kShapeLargestTestedAlpha;
    const ShapeTexture white = onWhite ? runs.back().texture : ShapeTexture{};
    ShapeRun& run = runFor(false, onWhite, white, pixels, false);
    run.lowestAlpha = std::min(run.lowestAlpha, rgba[3]);
    const float l = static_cast<float>(pixels.x0) + shift, t = static_cast<float>(pixels.y0) + shift;
    const float r = static_cast<float>(pixels.x1) + shift, b = static_cast<float>(pixels.y1) + shift;
    ShapeVertex corners[4] = {coloured(l, b, rgba), coloured(r, b, rgba), coloured(r, t, rgba), coloured(l, t, rgba)};
    if (onWhite) {
        for (ShapeVertex& c : corners) {
            c.u = white.plainU;
            c.v = white.plainV;
        }
    }
    for (const int i : {0, 1, 2, 0, 2, 3}) vertices.push_back(corners[i]);
    run.count += 6;
}

bool ShapeBatch::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float shift, const uint8_t (&rgba)[4]) {
    const int64_t ax = int64_t{x1} + originX, ay = int64_t{y1} + originY;
    const int64_t bx = int64_t{x2} + originX, by = int64_t{y2} + originY;
    // A line touches no pixel beyond the box of its two end pixels.
    if (std::min(ax, bx) < clip.x0 || std::min(ay, by) < clip.y0 || std::max(ax, bx) >= clip.x1 ||
        std::max(ay, by) >= clip.y1)
        return false;
    const PixelArea pixels{static_cast<int32_t>(std::min(ax, bx)), static_cast<int32_t>(std::min(ay, by)),
                           static_cast<int32_t>(std::max(ax, bx)) + 1, static_cast<int32_t>(std::max(ay, by)) + 1};
    ShapeRun& run = runFor(true, false, {}, pixels, false);
    run.lowestAlpha = std::min(run.lowestAlpha, rgba[3]);
    const float fax = static_cast<float>(ax) + shift, fay = static_cast<float>(ay) + shift;
    const float fbx = static_cast<float>(bx) + shift, fby = static_cast<float>(by) + shift;
    // The end pixel: a line of one pixel's length that starts in it and ends
    // in the next, which the diamond-exit rule draws as that pixel alone.
    for (const ShapeVertex& v : {coloured(fax, fay, rgba), coloured(fbx, fby, rgba), coloured(fbx, fby, rgba),
                                 coloured(fbx + 1.0f, fby, rgba)})
        vertices.push_back(v);
    run.count += 4;
    return true;
}

void ShapeBatch::quad(const ShapeVertex (&corners)[4], const int (&second)[3], const ShapeTexture& texture) {
    ShapeVertex placed[4];
    for (int i = 0; i < 4; ++i) {
        placed[i] = corners[i];
        placed[i].x += static_cast<float>(originX);
        placed[i].y += static_cast<float>(originY);
    }
    float left = placed[0].x, right = placed[0].x, top = placed[0].y, bottom = placed[0].y;
    for (int i = 1; i < 4; ++i) {
        left = std::min(left, placed[i].x);
        right = std::max(right, placed[i].x);
        top = std::min(top, placed[i].y);
        bottom = std::max(bottom, placed[i].y);
    }
    const PixelArea pixels{static_cast<int32_t>(std::floor(left)), static_cast<int32_t>(std::floor(top)),
                           static_cast<int32_t>(std::ceil(right)), static_cast<int32_t>(std::ceil(bottom))};
    if (common(pixels, clip).empty()) return;
    ShapeRun& run = runFor(false, true, texture, pixels, !clip.contains(pixels));
    for (const int i : {0, 1, 2}) vertices.push_back(placed[i]);
    for (const int i : second) vertices.push_back(placed[i]);
    run.count += 6;
}
