#include "recording_runtime.h"

#include <string>

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

std::string join(std::initializer_list<long long> values) {
    std::string out;
    for (long long v : values) {
        if (!out.empty()) out += ",";
        out += std::to_string(v);
    }
    return out;
}

// The runtime's built-in font cell.
constexpr std::pair<int32_t, int32_t> builtInCell{8, 8};

}  // namespace

RecordingRuntime::RecordingRuntime() { previous = lmt::setRuntimeCommands(this); }

RecordingRuntime::~RecordingRuntime() { lmt::setRuntimeCommands(previous); }

void RecordingRuntime::setViewport(int32_t x, int32_t y, int32_t w, int32_t h) {
    calls.push_back("viewport " + join({x, y, w, h}));
}

void RecordingRuntime::beginBatch2D() { calls.push_back("batch"); }

void RecordingRuntime::setBatchClip(int32_t x, int32_t y, int32_t w, int32_t h) {
    calls.push_back("clip " + join({x, y, w, h}));
}

void RecordingRuntime::endBatch2D() { calls.push_back("batch end"); }

void RecordingRuntime::fillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
    calls.push_back("fill " + join({x, y, w, h, colour}));
}

void RecordingRuntime::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) {
    calls.push_back("line " + join({x1, y1, x2, y2, colour}));
}

void RecordingRuntime::drawSprite(int32_t sprite, int32_t x, int32_t y) {
    calls.push_back("sprite " + join({sprite, x, y}));
}

void RecordingRuntime::drawSpriteStretched(int32_t sprite, int32_t x, int32_t y, int32_t w, int32_t h) {
    calls.push_back("stretched " + join({sprite, x, y, w, h}));
}

void RecordingRuntime::printText(const RtString& s, double x, double y) {
    calls.push_back("text " + text(s) + " " + join({(long long)x, (long long)y}));
}

void RecordingRuntime::selectRenderTarget(int32_t target) { calls.push_back("target " + std::to_string(target)); }

bool RecordingRuntime::createRenderTarget(int32_t target, int32_t sprite, int32_t w, int32_t h) {
    calls.push_back("create target " + join({target, sprite, w, h}));
    if (renderTargetsWork) spriteSizes[sprite] = {w, h};
    return renderTargetsWork;
}

void RecordingRuntime::getScreenSize(int32_t& w, int32_t& h) {
    w = screenWidth;
    h = screenHeight;
}

void RecordingRuntime::loadSprite(const RtString& path, int32_t sprite) {
    calls.push_back("load sprite " + text(path) + " " + std::to_string(sprite));
    const auto size = pictureSizes.find(text(path));
    if (size == pictureSizes.end()) {
        spriteSizes.erase(sprite);
    } else {
        spriteSizes[sprite] = size->second;
    }
}

void RecordingRuntime::getSpriteSize(int32_t sprite, int32_t& w, int32_t& h) {
    const auto size = spriteSizes.find(sprite);
    w = size == spriteSizes.end() ? 0 : size->second.first;
    h = size == spriteSizes.end() ? 0 : size->second.second;
}

int32_t RecordingRuntime::firstFreeSprite() {
    for (int32_t n = 0; n < 65504; ++n) {
        if (spriteSizes.count(n) == 0) return n;
    }
    return -1;
}

void RecordingRuntime::loadFont(const RtString& path, int32_t font) {
    calls.push_back("load font " + text(path) + " " + std::to_string(font));
    const auto cell = fontCells.find(text(path));
    fontSlots[font] = cell == fontCells.end() ? builtInCell : cell->second;
    currentFont = font;
}

void RecordingRuntime::setFont(int32_t font) {
    calls.push_back("font " + std::to_string(font));
    currentFont = font;
}

void RecordingRuntime::getFontSize(int32_t& w, int32_t& h) {
    const auto slot = fontSlots.find(currentFont);
    const auto cell = slot == fontSlots.end() ? builtInCell : slot->second;
    w = cell.first;
    h = cell.second;
}

int32_t RecordingRuntime::firstFreeFont() {
    // Font 0 always holds the built-in font.
    for (int32_t n = 1; n <= 30; ++n) {
        if (fontSlots.count(n) == 0) return n;
    }
    return -1;
}

bool RecordingRuntime::fileExists(const RtString& path) {
    const std::string name = text(path);
    return name.rfind("mem://", 0) == 0 || existingFiles.count(name) != 0;
}

bool RecordingRuntime::keyDown(int32_t scanCode) { return keysDown.count(scanCode) != 0; }

void RecordingRuntime::mouseState(int32_t& x, int32_t& y, int32_t& l, int32_t& r) {
    x = mouseX;
    y = mouseY;
    l = left;
    r = right;
}

int32_t RecordingRuntime::mouseAxis(int32_t axis) {
    if (axis == 2) return wheel;
    if (axis == 5) return middle;
    return 0;
}

double RecordingRuntime::elapsedMillis() { return clock; }
