// tools: draws the toolkit test program's pictures into a folder:
//   smalfont.png                 the widget font, dark glyphs on transparent ground (8 x 12 cells)
//   lumiset.png                  the picture shown at the top left
//   quillfenlogo_by_tovin.bmp    the logo inside the draggable window
// Usage: make_media <output folder>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/render2d/bmp_codec.h"
#include "runtime/render2d/colour_key.h"
#include "runtime/render2d/default_font.h"
#include "runtime/render2d/pixel_buffer.h"
#include "runtime/render2d/png_codec.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

void put(PixelBuffer& image, int32_t x, int32_t y, Rgba c) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    uint8_t* p = image.at(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

bool glyphBit(char ch, int32_t gx, int32_t gy) {
    const int32_t code = static_cast<unsigned char>(ch);
    if (code < 32 || code > 127) return false;
    return (DefaultFontGlyphs[code - 32] >> (gy * 5 + gx)) & 1u;
}

// Text in the built-in glyph shapes, each glyph pixel a scale x scale block.
void drawText(PixelBuffer& image, const std::string& text, int32_t x, int32_t y, int32_t scale, Rgba c) {
    for (size_t i = 0; i < text.size(); ++i) {
        for (int32_t gy = 0; gy < 6; ++gy) {
            for (int32_t gx = 0; gx < 5; ++gx) {
                if (!glyphBit(text[i], gx, gy)) continue;
                for (int32_t sy = 0; sy < scale; ++sy) {
                    for (int32_t sx = 0; sx < scale; ++sx) {
                        put(image, x + int32_t(i) * 6 * scale + gx * scale + sx, y + gy * scale + sy, c);
                    }
                }
            }
        }
    }
}

uint8_t mix(uint8_t a, uint8_t b, double t) { return uint8_t(std::lround(a + (b - a) * t)); }

// 16 x 8 cells of 8 x 12 pixels for codes 0..127, each glyph row drawn twice.
// Twelve pixels give the widgets room for their marks: a radio button shows
// its selection only from that height on.
PixelBuffer makeFont() {
    constexpr int32_t cellWidth = 8;
    constexpr int32_t cellHeight = 12;
    PixelBuffer font;
    font.resize(16 * cellWidth, 8 * cellHeight);
    const Rgba ink{24, 24, 40, 255};
    for (int32_t code = 32; code < 128; ++code) {
        const int32_t cellX = (code % 16) * cellWidth;
        const int32_t cellY = (code / 16) * cellHeight;
        for (int32_t gy = 0; gy < 6; ++gy) {
            for (int32_t gx = 0; gx < 5; ++gx) {
                if (!glyphBit(char(code), gx, gy)) continue;
                put(font, cellX + 1 + gx, cellY + 2 * gy, ink);
                put(font, cellX + 1 + gx, cellY + 2 * gy + 1, ink);
            }
        }
    }
    return font;
}

// A round badge with a soft gradient and the toolkit's name.
PixelBuffer makeBadge() {
    PixelBuffer badge;
    const int32_t size = 150;
    badge.resize(size, size);
    const double centre = (size - 1) / 2.0;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const double d = std::hypot(x - centre, y - centre);
            if (d > 74.0) continue;
            const double t = double(y) / size;
            Rgba c{mix(70, 20, t), mix(150, 90, t), mix(230, 170, t), 255};
            if (d > 68.0) c = Rgba{230, 235, 245, 255};
            put(badge, x, y, c);
        }
    }
    drawText(badge, "Lumiset", 75 - 63, 60, 3, Rgba{250, 250, 250, 255});
    drawText(badge, "toolkit", 75 - 42, 90, 2, Rgba{200, 220, 255, 255});
    return badge;
}

// A banner: a quill stroke over a warm gradient, and a name. Black is the
// program's colour key, so the picture keeps off pure black.
PixelBuffer makeLogo() {
    PixelBuffer logo;
    const int32_t width = 240;
    const int32_t height = 80;
    logo.resize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const double t = double(x) / width;
            put(logo, x, y, Rgba{mix(120, 200, t), mix(60, 120, t), mix(30, 40, t), 255});
        }
    }
    for (int32_t x = 10; x < 70; ++x) {
        const int32_t y = 70 - (x - 10);
        for (int32_t w = -2; w <= 2; ++w) put(logo, x, y + w, Rgba{245, 240, 220, 255});
        if (x % 4 == 0) {
            for (int32_t barb = 1; barb < 10; ++barb) put(logo, x - barb, y - barb, Rgba{235, 225, 200, 255});
        }
    }
    drawText(logo, "QUILLFEN", 80, 22, 3, Rgba{255, 250, 235, 255});
    drawText(logo, "by tovin", 110, 50, 2, Rgba{250, 230, 190, 255});
    return logo;
}

std::vector<uint8_t> pngOf(const PixelBuffer& image) {
    std::vector<uint8_t> bgra(image.byteCount());
    for (size_t i = 0; i + 3 < bgra.size(); i += 4) {
        bgra[i] = image.pixels[i + 2];
        bgra[i + 1] = image.pixels[i + 1];
        bgra[i + 2] = image.pixels[i];
        bgra[i + 3] = image.pixels[i + 3];
    }
    return encodePngFromBgra(bgra.data(), image.width, image.height);
}

std::vector<uint8_t> bmpOf(const PixelBuffer& image) {
    std::vector<uint8_t> bgr(size_t(image.width) * size_t(image.height) * 3);
    for (int32_t y = 0; y < image.height; ++y) {
        const int32_t row = image.height - 1 - y;  // bottom row first
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            uint8_t* q = &bgr[(size_t(row) * size_t(image.width) + size_t(x)) * 3];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
        }
    }
    return encodeBmp24(bgr.data(), image.width, image.height, image.width, kNoStoredKey);
}

bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_media <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool ok = write(folder + "smalfont.png", pngOf(makeFont())) &&
                    write(folder + "lumiset.png", pngOf(makeBadge())) &&
                    write(folder + "quillfenlogo_by_tovin.bmp", bmpOf(makeLogo()));
    if (!ok) {
        std::fprintf(stderr, "make_media: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
