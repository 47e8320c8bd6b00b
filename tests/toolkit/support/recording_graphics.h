// Test double: an lmt::Graphics that draws nothing and records every call with
// the colour and the clip area current at the time, so tests read back what a
// widget drew and where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/graphics.h"

namespace lmt::test {

struct DrawCall {
    std::string name;        // "fillRectangle", "drawLine", "drawText", "pushClipArea", ...
    std::vector<int32_t> args;  // the coordinates as passed (relative to the clip area)
    std::string text;        // drawString's text
    Color color;             // the colour set when the call was made
    ClipRectangle clip;      // the top clip area after the call (all zero with an empty stack)
    const Image* image = nullptr;

    // "name a b c d" (and the text in quotes for text calls).
    std::string str() const;
    // str() followed by " @x,y,w,h".
    std::string strWithClip() const;
};

class RecordingGraphics : public Graphics {
public:
    using Graphics::drawImage;

    void beginDraw() override;
    void endDraw() override;
    bool pushClipArea(Rectangle area) override;
    void popClipArea() override;
    void drawImage(const Image* image, int32_t x, int32_t y, int32_t width, int32_t height) override;
    void drawPoint(int32_t x, int32_t y) override;
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void drawRectangle(const Rectangle& rectangle) override;
    void fillRectangle(const Rectangle& rectangle) override;
    void setColor(const Color& c) override;
    const Color& getColor() const override { return color; }

    // Called by the test fonts' drawString.
    void recordText(const RtString& text, int32_t x, int32_t y);

    // Every call in order, clip changes and begin/end included.
    std::vector<DrawCall> calls;
    // The drawing calls only (no setColor, clip, begin or end), as str() texts.
    std::vector<std::string> drawn() const;
    // The same with the clip area of each call.
    std::vector<std::string> drawnWithClip() const;
    void clear() { calls.clear(); }

private:
    void record(const char* name, std::vector<int32_t> args, const Image* image = nullptr);

    Color color;
};

}  // namespace lmt::test
