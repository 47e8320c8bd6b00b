// toolkit: the clip stack and text alignment shared by every drawing backend;
// the drawing itself is the backend's. Selects the runtime font through the
// runtime state and touches nothing else of the runtime.
#include "toolkit/graphics.h"

#include "runtime/core/runtime_state.h"
#include "toolkit/exception.h"
#include "toolkit/font.h"
#include "toolkit/image.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

void pushOnto(RtArray<ClipRectangle>& stack, int32_t& depth, const ClipRectangle& area) {
    if (depth < listCount(stack)) {
        listAt(stack, depth) = area;
    } else {
        listAppend(stack, area);
    }
    ++depth;
}

}  // namespace

bool Graphics::pushClipArea(Rectangle area) {
    if (area.width < 0 || area.height < 0) {
        pushOnto(clipStack, clipDepth, ClipRectangle());
        return true;
    }
    if (clipDepth == 0) {
        pushOnto(clipStack, clipDepth, ClipRectangle(area.x, area.y, area.width, area.height, area.x, area.y));
        return true;
    }
    const ClipRectangle top = listAt(clipStack, clipDepth - 1);
    ClipRectangle carea(area.x + top.xOffset, area.y + top.yOffset, area.width, area.height, 0, 0);
    carea.xOffset = carea.x;
    carea.yOffset = carea.y;
    // Moving an edge in does not shrink the area; the far edge is cut below.
    if (carea.x < top.x) {
        carea.x = top.x;
    }
    if (carea.y < top.y) {
        carea.y = top.y;
    }
    if (int64_t(carea.x) + carea.width > int64_t(top.x) + top.width) {
        const int64_t w = int64_t(top.x) + top.width - carea.x;
        carea.width = w < 0 ? 0 : int32_t(w);
    }
    if (int64_t(carea.y) + carea.height > int64_t(top.y) + top.height) {
        const int64_t h = int64_t(top.y) + top.height - carea.y;
        carea.height = h < 0 ? 0 : int32_t(h);
    }
    const bool visible = carea.isIntersecting(top);
    pushOnto(clipStack, clipDepth, carea);
    return visible;
}

void Graphics::popClipArea() {
    if (clipDepth == 0) {
        throwException("Tried to pop clip area from empty stack.", "graphics", __LINE__,
                       "Tried to pop clip area from empty stack.\n");
    }
    --clipDepth;
}

const ClipRectangle& Graphics::getCurrentClipArea() {
    if (clipDepth == 0) {
        throwException("The clip area stack is empty.", "graphics", __LINE__);
    }
    return listAt(clipStack, clipDepth - 1);
}

void Graphics::drawImage(const Image* image, int32_t x, int32_t y) {
    if (image == nullptr) {
        return;
    }
    drawImage(image, x, y, image->getWidth(), image->getHeight());
}

void Graphics::setFont(Font* newFont) {
    font = newFont;
    if (font == nullptr) {
        return;
    }
    const int32_t number = font->getFontNumber();
    runtimeState().currentFont = number < 0 ? 0 : (number > 31 ? 31 : number);
}

void Graphics::drawText(const RtString& text, int32_t x, int32_t y, int32_t alignment) {
    if (font == nullptr) {
        throwException("No font set.", "graphics", __LINE__, "No font set.\n");
    }
    switch (alignment) {
    case Left:
        font->drawString(this, text, x, y);
        break;
    case Center:
        font->drawString(this, text, x - font->getWidth(text) / 2, y);
        break;
    case Right:
        font->drawString(this, text, x - font->getWidth(text), y);
        break;
    default:
        throwException("Unknown alignment.", "graphics", __LINE__);
    }
}

}  // namespace lmt
