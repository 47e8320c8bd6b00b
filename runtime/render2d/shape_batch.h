// render2d: 2D shapes gathered in their order into one vertex array, split
// into runs that share a primitive type, a texture and a scissor area, so
// that a frame of many small shapes reaches GL as a few draws. Pure CPU; the
// render object draws the runs (shape_batch_drawing.cpp).
//
// Shapes are placed as a viewport over the clip area would place them: the
// coordinates given are relative to the clip area's corner and nothing is
// drawn outside it. Filled rectangles are cut to it here; a textured quad that
// crosses its edge takes the clip area as the scissor of its run. Every
// shape keeps the rasterisation it would have had drawn alone: rectangles and
// quads stay the same two triangles, lines stay lines.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the vertices and runs

struct ShapeVertex {
    float x = 0, y = 0, u = 0, v = 0;
    uint8_t r = 255, g = 255, b = 255, a = 255;
};

// Alpha bytes at or below this may fail the 2D alpha test (its reference is 0.05).
inline constexpr uint8_t kShapeLargestTestedAlpha = 13;

// Pixels [x0, x1) x [y0, y1) of the view.
struct PixelArea {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(const PixelArea& o) const { return o.x0 >= x0 && o.y0 >= y0 && o.x1 <= x1 && o.y1 <= y1; }
    bool operator==(const PixelArea&) const = default;
};

// A rectangle given with a negative width or height reaches back from its
// corner: the same pixels with a positive size from the other corner.
inline void normaliseRect(int& x, int& y, int& w, int& h) {
    if (w < 0) {
        w = -w;
        x = x - w + 1;
    }
    if (h < 0) {
        h = -h;
        y = y - h + 1;
    }
}

// How a run's texture is sampled; `keep` leaves the texture's filters as they are.
enum class ShapeFilter : uint8_t { keep, nearest, linear };

struct ShapeTexture {
    uint32_t name = 0;
    ShapeFilter filter = ShapeFilter::keep;
    // Where the texture holds white texels (negative: nowhere): plain shapes
    // that follow its run join it, modulating white by their colour.
    float plainU = -1.0f;
    float plainV = -1.0f;
    bool operator==(const ShapeTexture&) const = default;
};

struct ShapeRun {
    bool lines = false;     // GL_LINES, else GL_TRIANGLES
    bool textured = false;  // with `texture` on unit 0 and the alpha test, else plain colour
    ShapeTexture texture;
    bool scissored = false;
    PixelArea scissor;
    PixelArea bounds;  // the pixels its shapes may touch
    uint8_t lowestAlpha = 255;  // of its plain-coloured shapes
    int32_t first = 0;
    int32_t count = 0;
};

class ShapeBatch {
public:
    bool gathering() const { return open; }
    bool empty() const { return runs.empty(); }
    void start();
    // Drops what is gathered and ends gathering.
    void stop();
    // The clip area, in pixels of the view, for the shapes that follow.
    void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
    PixelArea clipArea() const { return clip; }

    // The pixels of the view a filled rectangle (w, h >= 0) at (x, y) of the
    // clip area covers, cut to the clip area.
    PixelArea fillPixels(int32_t x, int32_t y, int32_t w, int32_t h) const;
    // Fills those pixels (not empty) with corners shifted by `shift`. A fill
    // whose alpha passes the alpha test joins a textured run before it that
    // has white texels.
    void fill(const PixelArea& pixels, float shift, const uint8_t (&rgba)[4]);
    // A line from (x1, y1) to (x2, y2), both shifted by `shift`, whose end
    // pixel is set by a one-pixel line after it. False, with nothing added,
    // when its pixels are not all inside the clip area.
    bool line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float shift, const uint8_t (&rgba)[4]);
    // A textured quad whose corners lie on whole pixels, as the two triangles
    // (0, 1, 2) and (a, b, c) of its corners (either fan or strip order).
    // Quads wholly outside the clip area are dropped.
    void quad(const ShapeVertex (&corners)[4], const int (&second)[3], const ShapeTexture& texture);

    // Shapes added since the last clear, for drawing.
    const std::vector<ShapeVertex>& vertexList() const { return vertices; }
    const std::vector<ShapeRun>& runList() const { return runs; }
    // Forgets the shapes drawn; gathering goes on.
    void clear();

private:
    // The run that takes shapes of this kind with these pixels, opened anew
    // when the last one cannot; `cut` says the shape needs the clip area as scissor.
    ShapeRun& runFor(bool lines, bool textured, const ShapeTexture& texture, const PixelArea& pixels, bool cut);

    bool open = false;
    PixelArea clip;
    int32_t originX = 0;
    int32_t originY = 0;
    std::vector<ShapeVertex> vertices;  // kept between frames, so gathering does not allocate
    std::vector<ShapeRun> runs;
};
