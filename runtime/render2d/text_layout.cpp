// render2d: text metrics and vertex layout. Pure CPU, no GL.
#include "runtime/render2d/text_layout.h"

#include <cmath>    // Required for: ceilf
#include <cstring>  // Required for: strlen

FontCell fontCellSize(const SpriteRecord& font) {
    if (font.width <= 0 || font.height <= 0) return {};
    return {font.width / 16, font.width >= font.height ? font.height / 8 : font.height / 16};
}

void layoutText(const SpriteRecord& font, const char* text, float x, float y, float z,
                BlockVector<TextVertex>& out) {
    const size_t len = text ? std::strlen(text) : 0;
    if (len == 0) return;
    const auto vertexCount = static_cast<int32_t>(4 * len);
    out.reserve(vertexCount);
    out.count = vertexCount;
    const bool landscape = font.width >= font.height;
    const float du = font.uMax / 16;
    const float dv = landscape ? font.vMax / 8 : font.vMax / 16;
    const float cw = static_cast<float>(font.width >> 4);
    const float ch = static_cast<float>(landscape ? font.height >> 3 : font.height >> 4);
    const unsigned count = landscape ? 128 : 256;
    const int topRow = landscape ? 7 : 15;
    float cx = std::ceil(x);
    const float cy = std::ceil(y);
    for (size_t i = 0; i < len; ++i) {
        const unsigned code = static_cast<unsigned char>(text[i]) % count;
        const float u0 = static_cast<float>(code & 15) * du, u1 = u0 + du;
        const float vb = static_cast<float>(topRow - static_cast<int>(code >> 4)) * dv, vt = vb + dv;
        TextVertex* v = &out.data[4 * i];
        v[0] = {cx, cy + ch, z, u0, vb};
        v[1] = {cx, cy, z, u0, vt};
        v[2] = {cx + cw, cy + ch, z, u1, vb};
        v[3] = {cx + cw, cy, z, u1, vt};
        cx += cw;
    }
}
