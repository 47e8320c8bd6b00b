// render2d: gathered 2D drawing. While a batch is open the commands for
// rectangles, lines, points, text and stretched sprites add shapes to it
// (shape_batch.h) instead of drawing; the runs are drawn over one client
// vertex array when the batch ends or anything else is about to use GL.
#include <GL/gl.h>  // Required for: drawing and state calls

#include <GL/glext.h>  // Required for: GL_CLAMP_TO_EDGE

#include <algorithm>  // Required for: std::min
#include <array>      // Required for: the textures set up in one drawing
#include <cstddef>    // Required for: offsetof
#include <cstdint>    // Required for: uintptr_t
#include <cstdlib>    // Required for: std::abs

#include "runtime/render2d/open_gl_rainbows.h"

namespace {

// As the immediate primitives: integer coordinates hit pixel centres.
constexpr float kPixelCentreShift = 0.375f;

GLint filterOf(ShapeFilter filter) { return filter == ShapeFilter::linear ? GL_LINEAR : GL_NEAREST; }

// The textures one drawing has set up: wrap and filter are set the first time
// a texture is drawn with them, as every immediate draw would set them again.
class TextureSetup {
public:
    void use(const ShapeTexture& texture) {
        for (size_t i = 0; i < count; ++i) {
            if (done[i].name != texture.name) continue;
            if (texture.filter != ShapeFilter::keep && texture.filter != done[i].filter) {
                setFilter(texture.filter);
                done[i].filter = texture.filter;
            }
            return;
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        if (texture.filter != ShapeFilter::keep) setFilter(texture.filter);
        if (count < done.size()) done[count++] = texture;
    }

private:
    static void setFilter(ShapeFilter filter) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterOf(filter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterOf(filter));
    }

    std::array<ShapeTexture, 16> done{};
    size_t count = 0;
};

}  // namespace

// --- Opening, clipping and ending ----------------------------------------

void OpenGLRainbows::startShapeBatch() {
    endShapeBatch();
    shapeBase = {viewportX, viewportY, viewportWidth, viewportHeight};
    shapesInterrupted = false;
    // A rotated view is cut by viewports, as the immediate commands expect.
    clipsAsViewports = portrait != 0 && currentTarget == -1;
    if (clipsAsViewports) return;
    shapes.start();
    shapes.setClip(0, 0, viewportWidth, viewportHeight);
}

void OpenGLRainbows::clipShapeBatch(int x, int y, int w, int h) {
    if (clipsAsViewports) {
        setViewport(shapeBase[0] + x, shapeBase[1] + y, w, h);
        return;
    }
    if (!shapes.gathering()) return;
    // What a viewport of the area would do to the state: smoothing back on,
    // and whatever another command changed since the batch began put back.
    smoothing = 1;
    if (shapesInterrupted) {
        setViewport(shapeBase[0], shapeBase[1], shapeBase[2], shapeBase[3]);
        shapesInterrupted = false;
    }
    shapes.setClip(x, y, w, h);
}

void OpenGLRainbows::endShapeBatch() {
    clipsAsViewports = false;
    if (!shapes.gathering()) return;
    if (!shapes.empty()) drawShapesNow();
    shapes.stop();
}

// --- Gathering --------------------------------------------------------------

void OpenGLRainbows::shapeColour(uint32_t colour, uint8_t (&rgba)[4]) const {
    rgba[0] = static_cast<uint8_t>(colour & 255);
    rgba[1] = static_cast<uint8_t>((colour >> 8) & 255);
    rgba[2] = static_cast<uint8_t>((colour >> 16) & 255);
    rgba[3] = colour == spriteColourKey ? 0 : static_cast<uint8_t>(static_cast<int>(255.0f * globalAlpha));
}

void OpenGLRainbows::gatherFill(int x, int y, int w, int h, uint32_t colour) {
    normaliseRect(x, y, w, h);
    const PixelArea pixels = shapes.fillPixels(x, y, w, h);
    if (pixels.empty()) return;
    // A fill of the whole window may become a clear (whole_window_fill.cpp),
    // which is decided on the state in force: it goes alone, in the base view.
    if (pixels == PixelArea{0, 0, width, height} && currentTarget == -1 && shapeBase[0] == 0 &&
        shapeBase[1] == 0 && shapeBase[2] == width && shapeBase[3] == height) {
        drawShapesAlone([&] { fillRect(0, 0, width, height, colour); });
        return;
    }
    uint8_t rgba[4];
    shapeColour(colour, rgba);
    shapes.fill(pixels, kPixelCentreShift, rgba);
}

void OpenGLRainbows::gatherLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    uint8_t rgba[4];
    shapeColour(colour, rgba);
    if (x1 == x2 || y1 == y2) {
        // The pixels from end to end, which the line and its end point set.
        const PixelArea pixels = shapes.fillPixels(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1,
                                                   std::abs(y2 - y1) + 1);
        if (!pixels.empty()) shapes.fill(pixels, kPixelCentreShift, rgba);
        return;
    }
    if (shapes.line(x1, y1, x2, y2, kPixelCentreShift, rgba)) return;
    // A slanted line the clip area cuts is cut by a viewport, as it always was.
    drawInClipViewport([&] { drawLine(x1, y1, x2, y2, colour); });
}

void OpenGLRainbows::gatherText(int font, const char* text, float x, float y) {
    if (!isFontNumber(font) || text == nullptr || *text == '\0') return;
    // Text takes the current colour, white with the global alpha.
    if (globalAlpha != 1.0f) {
        drawInClipViewport([&] { printText(font, text, x, y, 0.0f); });
        return;
    }
    const SpriteRecord& s = sprites[static_cast<size_t>(kFirstFontSprite + font)];
    layoutText(s, text, x, y, 0.0f, textVertices);
    const ShapeTexture texture{s.texture, ShapeFilter::keep, s.plainU, s.plainV};
    for (int32_t i = 0; i + 3 < textVertices.count; i += 4) {
        const TextVertex* v = &textVertices.data[i];
        const ShapeVertex corners[4] = {{v[0].x, v[0].y, v[0].u, v[0].v},
                                        {v[1].x, v[1].y, v[1].u, v[1].v},
                                        {v[2].x, v[2].y, v[2].u, v[2].v},
                                        {v[3].x, v[3].y, v[3].u, v[3].v}};
        shapes.quad(corners, {2, 1, 3}, texture);  // the strip's two triangles
    }
}

void OpenGLRainbows::gatherSprite(int n, int x, int y, int w, int h) {
    if (!isSpriteNumber(n)) return;
    if (globalAlpha != 1.0f) {
        drawInClipViewport([&] { drawSpriteStretched(n, x, y, w, h); });
        return;
    }
    const SpriteRecord& s = sprites[static_cast<size_t>(n)];
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const ShapeVertex corners[4] = {{fx, fy + fh, 0.0f, 0.0f},
                                    {fx + fw, fy + fh, s.uMax, 0.0f},
                                    {fx + fw, fy, s.uMax, s.vMax},
                                    {fx, fy, 0.0f, s.vMax}};
    const ShapeTexture texture{s.texture, smoothing != 0 ? ShapeFilter::linear : ShapeFilter::nearest};
    shapes.quad(corners, {0, 2, 3}, texture);  // the fan's two triangles
}

template <typename Draw>
void OpenGLRainbows::drawShapesAlone(Draw draw) {
    if (!shapes.empty()) drawShapesNow();
    const bool interrupted = shapesInterrupted;
    draw();
    shapesInterrupted = interrupted;  // what it changed it puts back, as the batch's drawing does
}

template <typename Draw>
void OpenGLRainbows::drawInClipViewport(Draw draw) {
    const PixelArea clip = shapes.clipArea();
    if (clip.empty()) return;
    if (!shapes.empty()) drawShapesNow();
    setViewport(shapeBase[0] + clip.x0, shapeBase[1] + clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
    draw();
    setViewport(shapeBase[0], shapeBase[1], shapeBase[2], shapeBase[3]);
    shapesInterrupted = false;
}

// --- Drawing ------------------------------------------------------------------

void OpenGLRainbows::drawShapesNow() {
    drawingShapes = true;
    spritePoints.end();
    if (clearPending) clearNow();
    bindSprite(-1, -1, false);  // both units untextured

    // In a buffer object the vertices reach GL once; client arrays would be
    // read again by every draw.
    const std::vector<ShapeVertex>& vertices = shapes.vertexList();
    // An offset into the buffer is passed as a pointer: added as integers.
    const auto base = reinterpret_cast<uintptr_t>(shapeVertexBuffer.upload(vertices));
    auto field = [base](size_t offset) { return reinterpret_cast<const void*>(base + offset); };
    constexpr GLsizei kStride = sizeof(ShapeVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, kStride, field(offsetof(ShapeVertex, x)));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, kStride, field(offsetof(ShapeVertex, u)));
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, kStride, field(offsetof(ShapeVertex, r)));

    bool textureOn = false;
    int alphaTest = -1;  // not known yet
    uint32_t boundName = 0;
    bool anyBound = false;
    bool scissorOn = false;
    PixelArea scissor{};
    TextureSetup textures;
    const int32_t targetHeight = drawTargetHeight();
    for (const ShapeRun& run : shapes.runList()) {
        if (run.textured != textureOn) {
            run.textured ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
            textureOn = run.textured;
        }
        // Textured runs keep the alpha test; plain colours pass it when their
        // alpha is high enough, and go without it otherwise, as they always did.
        int wanted = alphaTest == 0 ? 0 : 1;
        if (run.textured) wanted = 1;
        if (!run.textured && run.lowestAlpha <= kShapeLargestTestedAlpha) wanted = 0;
        if (wanted != alphaTest) {
            wanted != 0 ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST);
            alphaTest = wanted;
        }
        if (run.textured) {
            if (!anyBound || run.texture.name != boundName) {
                glBindTexture(GL_TEXTURE_2D, run.texture.name);
                boundName = run.texture.name;
                anyBound = true;
            }
            textures.use(run.texture);
        }
        if (run.scissored != scissorOn) {
            run.scissored ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST);
            scissorOn = run.scissored;
        }
        if (run.scissored && !(run.scissor == scissor)) {
            scissor = run.scissor;
            glScissor(shapeBase[0] + scissor.x0, targetHeight - shapeBase[1] - scissor.y1, scissor.x1 - scissor.x0,
                      scissor.y1 - scissor.y0);
        }
        glDrawArrays(run.lines ? GL_LINES : GL_TRIANGLES, run.first, run.count);
    }

    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    shapeVertexBuffer.unbind();
    if (scissorOn) glDisable(GL_SCISSOR_TEST);
    if (textureOn) glDisable(GL_TEXTURE_2D);
    if (alphaTest != 1) glEnable(GL_ALPHA_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, globalAlpha);
    shapes.clear();
    drawingShapes = false;
}
