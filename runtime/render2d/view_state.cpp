// render2d: the fixed 2D drawing state (pixel projection, top-left origin,
// opaque drawing with alpha test) and the commands that change it per frame.
#include <GL/gl.h>  // Required for: the fixed-function state calls

#include <algorithm>  // Required for: std::min

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"

namespace {

constexpr float kAlphaTestThreshold = 0.05f;

void setFixed2DState() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, kAlphaTestThreshold);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glDisable(GL_FOG);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_NORMALIZE);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_DITHER);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_POLYGON_OFFSET_POINT);
    glDisable(GL_AUTO_NORMAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
}

}  // namespace

void OpenGLRainbows::setViewport(int x, int y, int w, int h) {
    drawGatheredShapes();
    bool rotated = portrait != 0 && currentTarget == -1;
    if (w <= 0 || h <= 0) {
        w = rotated ? height : width;
        h = rotated ? width : height;
    }
    viewportX = x;
    viewportY = y;
    viewportWidth = w;
    viewportHeight = h;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (rotated) {
        glViewport(width - y - h - 1, height - w - x, h, w);
        glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
    } else {
        glViewport(x, drawTargetHeight() - y - h, w, h);
    }
    glOrtho(0.0, w, h, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    setFixed2DState();
    smoothing = 1;
    bindSprite(-1, -1, false);
    spritePoints.reconsider();
    restoreOpaqueDrawing();
}

void OpenGLRainbows::restoreOpaqueDrawing() {
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    globalAlpha = 1.0f;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void setAlphaMode(double mode) {
    OpenGLRainbows* r = renderObject();
    if (r != nullptr) r->endSpritePoints();  // the colour changes
    auto a = static_cast<float>(mode);
    float alpha = 1.0f;
    glEnable(GL_BLEND);
    if (a == 0.0f) {
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
    } else {
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, a > 0.0f ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
        alpha = std::min(a > 0.0f ? a : -a, 1.0f);
    }
    if (r != nullptr) r->globalAlpha = alpha;
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
}

void setSmoothing(double flag) {
    if (OpenGLRainbows* r = renderObject()) r->smoothing = flag != 0.0 ? 1 : 0;
}
