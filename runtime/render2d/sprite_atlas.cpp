// render2d: the shared sprite texture. Copies texels from a sprite's own
// texture with glGetTexImage, so the copy is exact whatever the loader did.
#include "runtime/render2d/sprite_atlas.h"

#include <GL/gl.h>  // Required for: texture calls

#include <GL/glext.h>  // Required for: GL_BGRA


namespace {

constexpr int32_t kCellsPerRow = SpriteAtlas::kSide / SpriteAtlas::kCell;
constexpr int32_t kCellCount = kCellsPerRow * kCellsPerRow;

// Wraps like GL_REPEAT: the texel a sampling one step outside the image reads.
int32_t wrap(int32_t i, int32_t size) { return ((i % size) + size) % size; }

// Restores the 2D texture binding of the active unit on leaving.
class BindingKeeper {
public:
    BindingKeeper() { glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved); }
    ~BindingKeeper() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved)); }
    BindingKeeper(const BindingKeeper&) = delete;
    BindingKeeper& operator=(const BindingKeeper&) = delete;

private:
    GLint saved = 0;
};

}  // namespace

bool SpriteAtlas::makeTexture() {
    if (texture != 0) return true;
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) return false;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSide, kSide, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    texture = name;
    return true;
}

bool SpriteAtlas::add(int32_t n, const SpriteRecord& s) {
    remove(n);
    if (n < 0 || s.texture == 0 || s.width <= 0 || s.height <= 0 || s.width > kLargestSide ||
        s.height > kLargestSide || s.textureWidth <= 0 || s.textureHeight <= 0)
        return false;
    int32_t cell = -1;
    if (!freeCells.empty()) {
        cell = freeCells.back();
        freeCells.pop_back();
    } else if (cellsUsedOnce < kCellCount) {
        cell = cellsUsedOnce++;
    } else {
        return false;
    }
    BindingKeeper keeper;
    if (!makeTexture()) {
        freeCells.push_back(cell);
        return false;
    }
    const int32_t tw = s.textureWidth, th = s.textureHeight, w = s.width, h = s.height;
    std::vector<uint32_t> source(static_cast<size_t>(tw) * static_cast<size_t>(th));
    glBindTexture(GL_TEXTURE_2D, s.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, source.data());
    // The image with one texel around it, as the sprite's repeating texture
    // would give it just outside the image.
    const int32_t cw = w + 2, ch = h + 2;
    std::vector<uint32_t> padded(static_cast<size_t>(cw) * static_cast<size_t>(ch));
    for (int32_t y = 0; y < ch; ++y) {
        const int32_t sy = wrap(y - 1, th);
        for (int32_t x = 0; x < cw; ++x)
            padded[static_cast<size_t>(y * cw + x)] = source[static_cast<size_t>(sy * tw + wrap(x - 1, tw))];
    }
    const int32_t cx = (cell % kCellsPerRow) * kCell, cy = (cell / kCellsPerRow) * kCell;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, cx, cy, cw, ch, GL_BGRA, GL_UNSIGNED_BYTE, padded.data());
    if (places.size() <= static_cast<size_t>(n)) places.resize(static_cast<size_t>(n) + 1);
    places[static_cast<size_t>(n)] = {static_cast<int16_t>(cx + 1), static_cast<int16_t>(cy + 1)};
    return true;
}

void SpriteAtlas::remove(int32_t n) {
    if (find(n) == nullptr) return;
    AtlasPlace& place = places[static_cast<size_t>(n)];
    freeCells.push_back(((place.y - 1) / kCell) * kCellsPerRow + (place.x - 1) / kCell);
    place = {};
}

void SpriteAtlas::release() {
    if (texture != 0) glDeleteTextures(1, &texture);
    texture = 0;
    places.clear();
    freeCells.clear();
    cellsUsedOnce = 0;
}
