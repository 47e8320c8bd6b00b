// render2d: the 2D commands of the language. Each converts its arguments and
// forwards to the render object; only the loaders hold logic.
#include <GL/gl.h>  // Required for: glClear

#include <algorithm>  // Required for: std::clamp
#include <cmath>      // Required for: truncation of numbers
#include <limits>     // Required for: std::numeric_limits

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"

namespace {

// A number the language passes where an int is wanted: truncated toward zero,
// saturated instead of overflowing.
int32_t toInt(double value) {
    if (!(value == value)) return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

int32_t clampFont(int32_t font) { return std::clamp(font, 0, kFontCount - 1); }

bool fitsFrameSize(int32_t v) { return v >= 0 && v <= std::numeric_limits<uint16_t>::max(); }

}  // namespace

bool resolveResourceName(const RtString& path, std::string& resolved) {
    return archiveFetch(mainArchive(), path.data, resolved, 1) != 0;
}

// ---- Screen, view and frame ----

void clearScreen() {
    if (OpenGLRainbows* r = renderObject()) {
        r->freeTiledImage(kTiledImageBackground);
        r->flushPendingClear();
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

void setViewport(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (OpenGLRainbows* r = renderObject()) {
        if (r->beforeViewportCommand != nullptr) r->beforeViewportCommand();
        r->setViewport(x, y, w, h);
    }
}

void getViewport(int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
    x = y = w = h = 0;
    if (const OpenGLRainbows* r = renderObject()) {
        x = r->viewportX;
        y = r->viewportY;
        w = r->viewportWidth;
        h = r->viewportHeight;
    }
}

void getViewport(double& x, double& y, double& w, double& h) {
    int32_t ix = 0, iy = 0, iw = 0, ih = 0;
    getViewport(ix, iy, iw, ih);
    x = ix;
    y = iy;
    w = iw;
    h = ih;
}

void getScreenSize(int32_t& w, int32_t& h) {
    w = h = 0;
    if (const OpenGLRainbows* r = renderObject()) {
        w = r->portrait != 0 ? r->height : r->width;
        h = r->portrait != 0 ? r->width : r->height;
    }
}

void getScreenSize(double& w, double& h) {
    int32_t iw = 0, ih = 0;
    getScreenSize(iw, ih);
    w = iw;
    h = ih;
}

void setFrameRate(double fps) {
    if (OpenGLRainbows* r = renderObject()) r->setFrameRate(toInt(fps));
}

int32_t isFullscreen() {
    const OpenGLRainbows* r = renderObject();
    return r != nullptr && r->fullscreen != 0 ? 1 : 0;
}

double lastFrameTime() {
    const RuntimeState& rs = runtimeState();
    const double d = rs.frameTime - rs.previousFrameTime;
    return d > 0.0 ? d : 1.0;
}

void noOperation() {}

// ---- Primitives and polygons ----

void drawPoint(int32_t x, int32_t y, int32_t colour) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    if (r->gatheringShapes()) {
        r->gatherFill(x, y, 1, 1, static_cast<uint32_t>(colour));  // a point sets the pixel a 1 x 1 fill does
    } else {
        r->drawPoint(x, y, static_cast<uint32_t>(colour));
    }
}

void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    if (r->gatheringShapes()) {
        r->gatherLine(x1, y1, x2, y2, static_cast<uint32_t>(colour));
    } else {
        r->drawLine(x1, y1, x2, y2, static_cast<uint32_t>(colour));
    }
}

void fillRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t colour) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    if (r->gatheringShapes()) {
        r->gatherFill(x, y, w, h, static_cast<uint32_t>(colour));
    } else {
        r->fillRect(x, y, w, h, static_cast<uint32_t>(colour));
    }
}

int32_t readPixel(int32_t x, int32_t y) {
    OpenGLRainbows* r = renderObject();
    return r != nullptr ? static_cast<int32_t>(r->readPixel(x, y)) : 0;
}

void startPolygon(int32_t sprite, int32_t mode) {
    if (OpenGLRainbows* r = renderObject()) r->startPolygon(sprite, mode);
}

void addPolygonVertex(double x, double y, double u, double v, int32_t colour) {
    if (OpenGLRainbows* r = renderObject())
        r->addPolygonVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(u),
                            static_cast<float>(v), static_cast<uint32_t>(colour));
}

void newPolygonStrip() {
    if (OpenGLRainbows* r = renderObject()) r->newPolygonStrip();
}

void endPolygon() {
    if (OpenGLRainbows* r = renderObject()) r->endPolygon();
}

// ---- Sprites ----

namespace {

void loadSpriteWith(const RtString& path, int32_t n, bool normalMap) {
    clearError();
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || !isSpriteNumber(n)) {
        setError(kErrorNoSuchFile);
        return;
    }
    r->releaseSprite(n);
    std::string resolved;
    if (!resolveResourceName(path, resolved) || !r->loadSprite(n, resolved.c_str(), r->spriteColourKey, normalMap))
        setError(kErrorNoSuchFile);
}

}  // namespace

void loadSprite(const RtString& path, int32_t n) { loadSpriteWith(path, n, false); }

void loadNormalMapSprite(const RtString& path, int32_t n) { loadSpriteWith(path, n, true); }

void loadAnim(const RtString& path, int32_t n, int32_t frameWidth, int32_t frameHeight) {
    loadSprite(path, n);
    setAnimSize(n, frameWidth, frameHeight);
}

void setAnimSize(int32_t n, int32_t frameWidth, int32_t frameHeight) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || !fitsFrameSize(frameWidth) || !fitsFrameSize(frameHeight)) return;
    int w = 0, h = 0;
    r->getSpriteSize(n, w, h);
    if (w > 0) r->setSpriteFrameSize(n, static_cast<uint16_t>(frameWidth), static_cast<uint16_t>(frameHeight));
}

void setColourKey(int32_t colour) {
    if (OpenGLRainbows* r = renderObject()) r->setColourKeys(static_cast<uint32_t>(colour));
}

int32_t grabSprite(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
    OpenGLRainbows* r = renderObject();
    return r != nullptr && r->grabSprite(n, x, y, w, h) ? 1 : 0;
}

int32_t spriteTextureId(int32_t n) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || !isSpriteNumber(n)) return 0;
    // The program may change the texture through its name: no shared copy of it is kept.
    r->atlas.remove(n);
    return static_cast<int32_t>(r->sprites[static_cast<size_t>(n)].texture);
}

void getSpriteSize(double n, double& w, double& h) {
    int32_t iw = 0, ih = 0;
    getSpriteSize(toInt(n), iw, ih);
    w = iw;
    h = ih;
}

void getSpriteSize(int32_t n, int32_t& w, int32_t& h) {
    w = h = 0;
    if (const OpenGLRainbows* r = renderObject()) r->getSpriteSize(n, w, h);
}

int32_t firstFreeSprite() {
    const OpenGLRainbows* r = renderObject();
    if (r == nullptr) return -1;
    for (int32_t n = 0; n <= kLastUserSprite; ++n) {
        if (r->sprites[static_cast<size_t>(n)].width == 0) return n;
    }
    return -1;
}

void drawSprite(int32_t n, int32_t x, int32_t y) {
    if (OpenGLRainbows* r = renderObject()) r->drawSprite(n, x, y);
}

void drawSpriteStretched(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    if (r->gatheringShapes()) {
        r->gatherSprite(n, x, y, w, h);
    } else {
        r->drawSpriteStretched(n, x, y, w, h);
    }
}

void drawSpriteZoomed(int32_t n, int32_t x, int32_t y, double zoomX, double zoomY) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    int w0 = 0, h0 = 0;
    r->getSpriteSize(n, w0, h0);
    const double w = static_cast<float>(zoomX * w0), h = static_cast<float>(zoomY * h0);
    r->drawSpriteStretched(n, toInt(x - (w - w0) * 0.5), toInt(y - 0.5 * (h - h0)), toInt(w), toInt(h));
}

void drawSpriteRotated(int32_t n, int32_t x, int32_t y, double angle) {
    if (OpenGLRainbows* r = renderObject()) r->drawSpriteRotoZoom(n, x, y, static_cast<float>(angle), 1.0f);
}

void drawSpriteRotoZoom(int32_t n, int32_t x, int32_t y, double angle, double zoom) {
    if (OpenGLRainbows* r = renderObject())
        r->drawSpriteRotoZoom(n, x, y, static_cast<float>(angle), static_cast<float>(zoom));
}

void drawAnim(int32_t n, int32_t frame, int32_t x, int32_t y) {
    if (OpenGLRainbows* r = renderObject()) r->drawAnim(n, frame, x, y);
}

void drawAnimStretched(int32_t n, int32_t frame, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (OpenGLRainbows* r = renderObject()) r->drawAnimStretched(n, frame, x, y, w, h);
}

void drawAnimRotoZoom(int32_t n, int32_t frame, int32_t x, int32_t y, double angle, double zoom) {
    if (OpenGLRainbows* r = renderObject())
        r->drawAnimRotoZoom(n, frame, x, y, static_cast<float>(angle), static_cast<float>(zoom));
}

int32_t spriteCollision(int32_t a, int32_t xa, int32_t ya, int32_t b, int32_t xb, int32_t yb) {
    OpenGLRainbows* r = renderObject();
    return r != nullptr && r->spriteCollision(a, b, xa, ya, xb, yb) ? 1 : 0;
}

int32_t animCollision(int32_t a, int32_t frameA, int32_t xa, int32_t ya, int32_t b, int32_t frameB, int32_t xb,
                      int32_t yb) {
    OpenGLRainbows* r = renderObject();
    return r != nullptr && r->animCollision(a, frameA, xa, ya, b, frameB, xb, yb) ? 1 : 0;
}

// ---- Fonts and text ----

int32_t setFont(int32_t font) {
    runtimeState().currentFont = clampFont(font);
    return runtimeState().currentFont;
}

void loadFont(const RtString& path, int32_t font) {
    clearError();
    const int32_t slot = setFont(font);
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) {
        setError(kErrorNoSuchFile);
        return;
    }
    std::string resolved;
    if (!resolveResourceName(path, resolved) || !r->loadFont(slot, resolved.c_str())) {
        setError(kErrorNoSuchFile);
        r->installDefaultFont(slot);
    }
}

void getFontSize(int32_t& w, int32_t& h) {
    w = h = 0;
    if (const OpenGLRainbows* r = renderObject()) {
        const FontCell cell = r->getFontCharSize(runtimeState().currentFont);
        w = cell.width;
        h = cell.height;
    }
}

void getFontSize(double& w, double& h) {
    int32_t iw = 0, ih = 0;
    getFontSize(iw, ih);
    w = iw;
    h = ih;
}

int32_t firstFreeFont() {
    const OpenGLRainbows* r = renderObject();
    if (r == nullptr) return -1;
    for (int32_t font = 0; font < kFontCount - 1; ++font) {
        if (r->getFontCharSize(font).width == 0) return font;
    }
    return -1;
}

void printText(const RtString& text, double x, double y) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (r->gatheringShapes()) {
        r->gatherText(runtimeState().currentFont, text.data, fx, fy);
    } else {
        r->printText(runtimeState().currentFont, text.data, fx, fy, 0.0f);
    }
}

void printText(double value, double x, double y) { printText(RtString(value), x, y); }

// ---- Gathered 2D drawing ----

void beginBatch2D() {
    if (OpenGLRainbows* r = renderObject()) r->startShapeBatch();
}

void setBatchClip(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (OpenGLRainbows* r = renderObject()) r->clipShapeBatch(x, y, w, h);
}

void endBatch2D() {
    if (OpenGLRainbows* r = renderObject()) r->endShapeBatch();
}

// ---- Background, files, render targets ----

void grabBackground() {
    if (OpenGLRainbows* r = renderObject()) r->grabScreenToTiledImage(kTiledImageBackground);
}

void loadBackground(const RtString& path) {
    clearError();
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) {
        setError(kErrorNoSuchFile);
        return;
    }
    std::string resolved;
    if (resolveResourceName(path, resolved) && r->loadTiledImage(kTiledImageBackground, resolved.c_str())) {
        r->drawTiledImage(kTiledImageBackground);
        return;
    }
    setError(kErrorNoSuchFile);
    r->freeTiledImage(kTiledImageBackground);
    r->flushPendingClear();
    glClear(GL_COLOR_BUFFER_BIT);
}

void saveScreen(const RtString& path) {
    clearError();
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || !r->saveScreen(path.data)) setError(kErrorNoSuchFile);
}

void saveSprite(const RtString& path, int32_t n) {
    clearError();
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || !r->saveSprite(n, path.data)) setError(kErrorNoSuchFile);
}

void createRenderTarget(int32_t n, int32_t sprite, int32_t w, int32_t h) {
    if (OpenGLRainbows* r = renderObject()) r->createRenderTarget(n, sprite, w, h);
}

void selectRenderTarget(int32_t n) {
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) return;
    if (n < 0) {
        r->useScreen();
    } else {
        r->useRenderTarget(n);
    }
}
