// toolkit/backend: lmt::Graphics over the runtime's 2D commands. The outermost
// clip area becomes the runtime viewport and opens a gathered batch; each clip
// area then cuts the batch's drawing, and drawing calls are made relative to it.
#pragma once

#include <cstdint>

#include "toolkit/graphics.h"

namespace lmt {

class KorvaneGraphics : public Graphics {
public:
    KorvaneGraphics() = default;
    explicit KorvaneGraphics(int32_t target) : target(target) {}

    void beginDraw() override;
    void endDraw() override;
    bool pushClipArea(Rectangle area) override;
    void popClipArea() override;

    using Graphics::drawImage;
    void drawImage(const Image* image, int32_t x, int32_t y, int32_t width, int32_t height) override;
    void drawPoint(int32_t x, int32_t y) override;
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void drawRectangle(const Rectangle& rectangle) override;
    void fillRectangle(const Rectangle& rectangle) override;
    void setColor(const Color& newColor) override;
    const Color& getColor() const override { return color; }

    // Text in the runtime's current font at (x, y) of the current clip area.
    void printText(const RtString& text, int32_t x, int32_t y);

    void setTarget(int32_t newTarget, int32_t width, int32_t height);
    int32_t getTarget() const { return target; }
    uint32_t getPackedColour() const { return packedColour; }

private:
    // Cuts the drawing to the clip area on top of the stack and notes where the
    // widget's origin lies inside it.
    void applyTopClipArea();

    int32_t target = -1;
    int32_t targetWidth = 0;
    int32_t targetHeight = 0;
    uint32_t packedColour = 0;
    Color color{0, 0, 0, 255};

    // A clip area without pixels draws nothing: the runtime would take a
    // zero-sized viewport as the whole window.
    bool clipEmpty = true;
    // The widget's origin relative to the viewport's corner: non-zero when the
    // widget is cut at its parent's left or top edge, or scrolled.
    int32_t originX = 0;
    int32_t originY = 0;
    // A batch is open from the first visible clip area until the stack is
    // empty again; clip areas are given relative to that first area's corner.
    bool gathering = false;
    int32_t viewX = 0;
    int32_t viewY = 0;
};

}  // namespace lmt
