// render2d: untextured primitives (points, lines, filled rectangles) and the
// polygon batches. Integer coordinates hit pixel centres through a 0.375
// shift of the projection.
#include <GL/gl.h>  // Required for: drawing calls

#include "runtime/render2d/open_gl_rainbows.h"

namespace {

constexpr float kPixelCentreShift = 0.375f;
constexpr uint32_t kWhite = 0xFFFFFF;
// Alpha bytes at or below this may fail the alpha test (its reference is 0.05).
constexpr int kLargestTestedAlpha = 13;

// A vertex shifted onto the pixel centre. Shifting the vertex, not the
// projection, leaves the matrices alone, so the driver can put a run of
// primitives into one draw.
void centredVertex(int x, int y) {
    glVertex2f(static_cast<float>(x) + kPixelCentreShift, static_cast<float>(y) + kPixelCentreShift);
}

}  // namespace

int OpenGLRainbows::primitiveColour(uint32_t colour) {
    const auto alpha = colour == spriteColourKey ? 0 : static_cast<int>(255.0f * globalAlpha);
    glColor4ub(static_cast<GLubyte>(colour & 255), static_cast<GLubyte>((colour >> 8) & 255),
               static_cast<GLubyte>((colour >> 16) & 255), static_cast<GLubyte>(alpha));
    return alpha;
}

int OpenGLRainbows::beginPrimitive(uint32_t colour) {
    flushPendingClear();
    bindSprite(-1, -1, false);
    // Primitives are drawn without the alpha test and leave it on. An alpha the
    // test passes draws the same either way, so the test is switched off only
    // for the low alphas; any other state change would end the driver's batch.
    const int alpha = primitiveColour(colour);
    if (alpha <= kLargestTestedAlpha) glDisable(GL_ALPHA_TEST);
    return alpha;
}

void OpenGLRainbows::endPrimitive() {
    glEnable(GL_ALPHA_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, globalAlpha);
}

void OpenGLRainbows::drawPoint(int x, int y, uint32_t colour) {
    beginPrimitive(colour);
    glBegin(GL_POINTS);
    centredVertex(x, y);
    glEnd();
    endPrimitive();
}

void OpenGLRainbows::drawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    beginPrimitive(colour);
    glBegin(GL_LINES);
    centredVertex(x1, y1);
    centredVertex(x2, y2);
    glEnd();
    // The end pixel is always set, whatever the rasteriser's rule.
    glBegin(GL_POINTS);
    centredVertex(x2, y2);
    glEnd();
    endPrimitive();
}

void OpenGLRainbows::fillRect(int x, int y, int w, int h, uint32_t colour) {
    normaliseRect(x, y, w, h);
    // The frame's pending clear waits for the decision: a fill that clears
    // the window sets every pixel it would set.
    drawGatheredShapes();
    const bool windowClearPending = clearPending;
    clearPending = false;
    const int alpha = beginPrimitive(colour);
    if (fillClearsWindow(x, y, w, h, alpha)) {
        if (windowClearPending) overwritePendingClear();
        clearWindowTo(colour, alpha);
        endPrimitive();
        return;
    }
    if (windowClearPending) {
        clearPending = true;
        clearNow();
    }
    // The two triangles a fan of the four corners makes, as one mergeable run.
    const float left = static_cast<float>(x) + kPixelCentreShift, top = static_cast<float>(y) + kPixelCentreShift;
    const float right = left + static_cast<float>(w), bottom = top + static_cast<float>(h);
    const float corners[4][2] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    glBegin(GL_TRIANGLES);
    for (const int i : {0, 1, 2, 0, 2, 3}) glVertex2fv(corners[i]);
    glEnd();
    endPrimitive();
}

void OpenGLRainbows::startPolygon(int sprite, int mode) {
    bindSprite(sprite, -1, false);
    polygon.vertices.count = 0;
    polygon.colourArray = false;
    polygon.restartPending = false;
    polygon.mode = mode;
    if (boundSprite >= 0) {
        const SpriteRecord& s = sprites[static_cast<size_t>(boundSprite)];
        polygon.inverseTextureWidth = s.textureWidth > 0 ? 1.0f / static_cast<float>(s.textureWidth) : 0.0f;
        polygon.inverseTextureHeight = s.textureHeight > 0 ? 1.0f / static_cast<float>(s.textureHeight) : 0.0f;
        polygon.spriteHeight = static_cast<float>(s.height);
    }
}

void OpenGLRainbows::addPolygonVertex(float x, float y, float u, float v, uint32_t colour) {
    BlockVector<PolygonVertex>& list = polygon.vertices;
    list.reserve(list.count + (polygon.restartPending ? 2 : 1));
    PolygonVertex vertex;
    vertex.x = x;
    vertex.y = y;
    if (boundSprite >= 0) {
        vertex.u = u * polygon.inverseTextureWidth;
        vertex.v = (polygon.spriteHeight - v) * polygon.inverseTextureHeight;
    }
    if (colour != kWhite) {
        polygon.colourArray = true;
        vertex.r = static_cast<uint8_t>(colour & 255);
        vertex.g = static_cast<uint8_t>((colour >> 8) & 255);
        vertex.b = static_cast<uint8_t>((colour >> 16) & 255);
    }
    vertex.a = colour == spriteColourKey ? 0 : static_cast<uint8_t>(255.0f * globalAlpha);
    if (polygon.restartPending) {
        list.data[list.count++] = vertex;
        polygon.restartPending = false;
    }
    list.data[list.count++] = vertex;
}

void OpenGLRainbows::newPolygonStrip() {
    BlockVector<PolygonVertex>& list = polygon.vertices;
    if (list.count == 0 || polygon.restartPending) return;
    polygon.restartPending = true;
    list.reserve(list.count + 1);
    list.data[list.count] = list.data[list.count - 1];
    ++list.count;
}

void OpenGLRainbows::endPolygon() {
    static constexpr GLenum kModes[] = {GL_TRIANGLE_FAN, GL_TRIANGLES, GL_TRIANGLE_STRIP};
    BlockVector<PolygonVertex>& list = polygon.vertices;
    if (list.count == 0) return;
    endSpritePoints();
    flushPendingClear();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(PolygonVertex), &list.data[0].x);
    if (boundSprite >= 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(PolygonVertex), &list.data[0].u);
    }
    if (polygon.colourArray || globalAlpha != 1.0f) {
        polygon.colourArray = true;
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_DITHER);
        glShadeModel(GL_SMOOTH);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(PolygonVertex), &list.data[0].r);
    }
    applySmoothing();
    if (polygon.mode >= 0 && polygon.mode <= 2) glDrawArrays(kModes[polygon.mode], 0, list.count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (polygon.colourArray) {
        glColor4f(1.0f, 1.0f, 1.0f, globalAlpha);
        glDisableClientState(GL_COLOR_ARRAY);
        glShadeModel(GL_FLAT);
        glDisable(GL_DITHER);
        glDisable(GL_COLOR_MATERIAL);
    }
}
