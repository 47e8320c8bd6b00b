// Test double: records drawing calls with their colour and clip area.
#include "recording_graphics.h"

#include <utility>

#include "text.h"
#include "toolkit/rtlist.h"

namespace lmt::test {

namespace {

bool isDrawing(const std::string& name) {
    return name != "setColor" && name != "pushClipArea" && name != "popClipArea" && name != "beginDraw" &&
           name != "endDraw";
}

}  // namespace

std::string DrawCall::str() const {
    std::string s = name;
    for (int32_t a : args) {
        s += " " + std::to_string(a);
    }
    if (name == "drawText") {
        s += " \"" + text + "\"";
    }
    return s;
}

std::string DrawCall::strWithClip() const {
    return str() + " @" + std::to_string(clip.x) + "," + std::to_string(clip.y) + "," +
           std::to_string(clip.width) + "," + std::to_string(clip.height);
}

void RecordingGraphics::record(const char* name, std::vector<int32_t> args, const Image* image) {
    DrawCall call;
    call.name = name;
    call.args = std::move(args);
    call.color = color;
    call.image = image;
    if (getClipDepth() > 0) {
        call.clip = getCurrentClipArea();
    }
    calls.push_back(std::move(call));
}

void RecordingGraphics::beginDraw() {
    record("beginDraw", {});
}

void RecordingGraphics::endDraw() {
    record("endDraw", {});
}

bool RecordingGraphics::pushClipArea(Rectangle area) {
    const bool visible = Graphics::pushClipArea(area);
    record("pushClipArea", {area.x, area.y, area.width, area.height});
    return visible;
}

void RecordingGraphics::popClipArea() {
    Graphics::popClipArea();
    record("popClipArea", {});
}

void RecordingGraphics::drawImage(const Image* image, int32_t x, int32_t y, int32_t width, int32_t height) {
    record("drawImage", {x, y, width, height}, image);
}

void RecordingGraphics::drawPoint(int32_t x, int32_t y) {
    record("drawPoint", {x, y});
}

void RecordingGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    record("drawLine", {x1, y1, x2, y2});
}

void RecordingGraphics::drawRectangle(const Rectangle& r) {
    record("drawRectangle", {r.x, r.y, r.width, r.height});
}

void RecordingGraphics::fillRectangle(const Rectangle& r) {
    record("fillRectangle", {r.x, r.y, r.width, r.height});
}

void RecordingGraphics::setColor(const Color& c) {
    color = c;
    record("setColor", {c.r, c.g, c.b, c.a});
}

void RecordingGraphics::recordText(const RtString& text, int32_t x, int32_t y) {
    record("drawText", {x, y});
    calls.back().text = test::text(text);
}

std::vector<std::string> RecordingGraphics::drawn() const {
    std::vector<std::string> out;
    for (const DrawCall& call : calls) {
        if (isDrawing(call.name)) {
            out.push_back(call.str());
        }
    }
    return out;
}

std::vector<std::string> RecordingGraphics::drawnWithClip() const {
    std::vector<std::string> out;
    for (const DrawCall& call : calls) {
        if (isDrawing(call.name)) {
            out.push_back(call.strWithClip());
        }
    }
    return out;
}



}  // namespace lmt::test
