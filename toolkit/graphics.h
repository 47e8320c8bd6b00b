// toolkit: a drawing target with a stack of clip areas and a current font.
// Coordinates given to it are relative to the top clip area; the stack turns
// them into screen coordinates. The backend implements the primitives.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/cliprectangle.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace lmt {

class Font;
class Image;

class Graphics {
public:
    // Text alignments.
    static constexpr int32_t Left = 0;
    static constexpr int32_t Center = 1;
    static constexpr int32_t Right = 2;

    Graphics() = default;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    virtual ~Graphics() = default;

    virtual void beginDraw() {}
    virtual void endDraw() {}

    // Pushes the area (relative to the current top) cut to the top; the result
    // says whether anything of it is visible. Callers pop after drawing in any case.
    virtual bool pushClipArea(Rectangle area);
    virtual void popClipArea();
    virtual const ClipRectangle& getCurrentClipArea();

    // The image at its own size with its top-left corner at (x, y).
    virtual void drawImage(const Image* image, int32_t x, int32_t y);
    // The image scaled into the rectangle.
    virtual void drawImage(const Image* image, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void drawPoint(int32_t x, int32_t y) = 0;
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    virtual void drawRectangle(const Rectangle& rectangle) = 0;  // outline
    virtual void fillRectangle(const Rectangle& rectangle) = 0;
    virtual void setColor(const Color& color) = 0;
    virtual const Color& getColor() const = 0;

    // Stores the font and selects its runtime font (clamped to 0..31).
    virtual void setFont(Font* font);
    // Draws with the current font; alignment Left, Center or Right around x.
    virtual void drawText(const RtString& text, int32_t x, int32_t y, int32_t alignment);

    Font* getFont() const { return font; }
    // Number of clip areas on the stack.
    int32_t getClipDepth() const { return clipDepth; }

private:
    // The first clipDepth slots are the stack; slots above it are kept for reuse,
    // so drawing a frame does not allocate once the stack has grown.
    RtArray<ClipRectangle> clipStack;
    int32_t clipDepth = 0;
    Font* font = nullptr;
};

}  // namespace lmt
