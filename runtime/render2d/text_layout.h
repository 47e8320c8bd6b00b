// render2d: font cell sizes and the vertices of a printed string. Pure CPU.
#pragma once

#include <cstdint>  // Required for: fixed-width values

#include "runtime/core/block_vector.h"

#include "runtime/render2d/sprite_record.h"

struct TextVertex {
    float x = 0, y = 0, z = 0, u = 0, v = 0;
};

struct FontCell {
    int32_t width = 0;
    int32_t height = 0;
};

// (width / 16, height / 8) for a landscape font image, (width / 16, height /
// 16) for a portrait one; (0, 0) for a font never loaded.
FontCell fontCellSize(const SpriteRecord& font);

// Four vertices per byte of the text, forming one triangle strip whose
// joining triangles have no area; the text's top-left is (ceil x, ceil y).
// They replace the contents of out, which grows only when it must; an empty
// text leaves out alone.
void layoutText(const SpriteRecord& font, const char* text, float x, float y, float z,
                BlockVector<TextVertex>& out);
