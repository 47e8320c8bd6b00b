// render2d: untextured primitives (points, lines, filled rectangles) and the
// polygon batches. Integer coordinates hit pixel centres through a 0.375
// shift of the projection.
#include <GL/gl.h>  // Required for: drawing calls

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/sprite_drawing.h"

namespace {

constexpr float kPixelCentreShift = 0.375f;
constexpr uint32_t kWhite = 0xFFFFFF;

}  // namespace

void OpenGLRainbows::primitiveColour(uint32_t colour) {
    const auto alpha = colour == spriteColourKey ? 0 : static_cast<int>(255.0f * globalAlpha);
    glColor4ub(static_cast<GLubyte>(colour & 255), static_cast<GLubyte>((colour >> 8) & 255),
               static_cast<GLubyte>((colour >> 16) & 255), static_cast<GLubyte>(alpha));
}

void OpenGLRainbows::beginPrimitive(uint32_t colour) {
    bindSprite(-1, -1, false);
    glDisable(GL_ALPHA_TEST);
    primitiveColour(colour);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glTranslatef(kPixelCentreShift, kPixelCentreShift, 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void OpenGLRainbows::endPrimitive() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_ALPHA_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, globalAlpha);
}

void OpenGLRainbows::drawPoint(int x, int y, uint32_t colour) {
    beginPrimitive(colour);
    glBegin(GL_POINTS);
    glVertex2i(x, y);
    glEnd();
    endPrimitive();
}

void OpenGLRainbows::drawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    beginPrimitive(colour);
    glBegin(GL_LINES);
    glVertex2i(x1, y1);
    glVertex2i(x2, y2);
    glEnd();
    // The end pixel is always set, whatever the rasteriser's rule.
    glBegin(GL_POINTS);
    glVertex2i(x2, y2);
    glEnd();
    endPrimitive();
}

void OpenGLRainbows::fillRect(int x, int y, int w, int h, uint32_t colour) {
    if (w < 0) {
        w = -w;
        x = x - w + 1;
    }
    if (h < 0) {
        h = -h;
        y = y - h + 1;
    }
    beginPrimitive(colour);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const QuadVertex quad[4] = {{fx, fy + fh, 0, 0}, {fx + fw, fy + fh, 0, 0}, {fx + fw, fy, 0, 0}, {fx, fy, 0, 0}};
    drawQuadFan(quad, false);
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
