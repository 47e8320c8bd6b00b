// toolkit/backend: clip areas to the runtime's gathered drawing, colours to the
// runtime's packing, primitives to fillRect, drawLine and drawSpriteStretched.
#include "toolkit/backend/korvanegraphics.h"

#include "toolkit/backend/runtimecommands.h"
#include "toolkit/image.h"

namespace lmt {

void KorvaneGraphics::setTarget(int32_t newTarget, int32_t width, int32_t height) {
    target = newTarget;
    targetWidth = width;
    targetHeight = height;
}

void KorvaneGraphics::beginDraw() {
    if (target >= 0) {
        runtimeCommands().selectRenderTarget(target);
        runtimeCommands().fillRect(0, 0, targetWidth, targetHeight, 0);
    }
    pushClipArea(Rectangle(0, 0, targetWidth, targetHeight));
}

void KorvaneGraphics::endDraw() {
    popClipArea();
    if (target >= 0) {
        runtimeCommands().selectRenderTarget(-1);
    }
}

bool KorvaneGraphics::pushClipArea(Rectangle area) {
    const bool visible = Graphics::pushClipArea(area);
    applyTopClipArea();
    return visible;
}

void KorvaneGraphics::popClipArea() {
    Graphics::popClipArea();
    if (getClipDepth() > 0) {
        applyTopClipArea();
    } else if (gathering) {
        runtimeCommands().endBatch2D();
        gathering = false;
    }
}

void KorvaneGraphics::applyTopClipArea() {
    const ClipRectangle& top = getCurrentClipArea();
    clipEmpty = top.width <= 0 || top.height <= 0;
    originX = top.xOffset - top.x;
    originY = top.yOffset - top.y;
    if (clipEmpty) {
        return;
    }
    if (!gathering) {
        // The first visible area sets the view and the 2D state once; the
        // areas inside it only cut what is gathered.
        runtimeCommands().setViewport(top.x, top.y, top.width, top.height);
        runtimeCommands().beginBatch2D();
        gathering = true;
        viewX = top.x;
        viewY = top.y;
    }
    runtimeCommands().setBatchClip(top.x - viewX, top.y - viewY, top.width, top.height);
}

void KorvaneGraphics::drawImage(const Image* image, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (clipEmpty || image == nullptr) {
        return;
    }
    runtimeCommands().drawSpriteStretched(image->getSpriteNumber(), x + originX, y + originY, width, height);
}

void KorvaneGraphics::drawPoint(int32_t x, int32_t y) { drawLine(x, y, x, y); }

void KorvaneGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (clipEmpty) {
        return;
    }
    runtimeCommands().drawLine(x1 + originX, y1 + originY, x2 + originX, y2 + originY, packedColour);
}

void KorvaneGraphics::drawRectangle(const Rectangle& r) {
    const int32_t right = r.x + r.width - 1;
    const int32_t bottom = r.y + r.height - 1;
    drawLine(r.x, r.y, right, r.y);
    drawLine(right, r.y, right, bottom);
    drawLine(r.x, bottom, right, bottom);
    drawLine(r.x, r.y, r.x, bottom);
}

void KorvaneGraphics::fillRectangle(const Rectangle& r) {
    if (clipEmpty) {
        return;
    }
    runtimeCommands().fillRect(r.x + originX, r.y + originY, r.width, r.height, packedColour);
}

void KorvaneGraphics::setColor(const Color& newColor) {
    color = newColor;
    packedColour = (uint32_t(newColor.r) & 0xFFu) | ((uint32_t(newColor.g) & 0xFFu) << 8) |
                   ((uint32_t(newColor.b) & 0xFFu) << 16);
}

void KorvaneGraphics::printText(const RtString& text, int32_t x, int32_t y) {
    if (clipEmpty) {
        return;
    }
    runtimeCommands().printText(text, double(x + originX), double(y + originY));
}

}  // namespace lmt
