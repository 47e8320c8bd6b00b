// toolkit/backend: the default command table forwards to the runtime.
#include "toolkit/backend/runtimecommands.h"

#include "runtime/files/file_commands.h"
#include "runtime/input/input_commands.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/timers.h"

namespace lmt {

namespace {

class RuntimeBridge : public RuntimeCommands {
public:
    void setViewport(int32_t x, int32_t y, int32_t w, int32_t h) override { ::setViewport(x, y, w, h); }
    void beginBatch2D() override { ::beginBatch2D(); }
    void setBatchClip(int32_t x, int32_t y, int32_t w, int32_t h) override { ::setBatchClip(x, y, w, h); }
    void endBatch2D() override { ::endBatch2D(); }
    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) override {
        ::fillRect(x, y, w, h, int32_t(colour));
    }
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) override {
        ::drawLine(x1, y1, x2, y2, int32_t(colour));
    }
    void drawSprite(int32_t sprite, int32_t x, int32_t y) override { ::drawSprite(sprite, x, y); }
    void drawSpriteStretched(int32_t sprite, int32_t x, int32_t y, int32_t w, int32_t h) override {
        ::drawSpriteStretched(sprite, x, y, w, h);
    }
    void printText(const RtString& text, double x, double y) override { ::printText(text, x, y); }
    void selectRenderTarget(int32_t target) override { ::selectRenderTarget(target); }
    // The runtime's command reports nothing; a made target has given its sprite a size.
    bool createRenderTarget(int32_t target, int32_t sprite, int32_t w, int32_t h) override {
        ::createRenderTarget(target, sprite, w, h);
        int32_t madeWidth = 0;
        int32_t madeHeight = 0;
        ::getSpriteSize(sprite, madeWidth, madeHeight);
        return madeWidth > 0 && madeHeight > 0;
    }
    void getScreenSize(int32_t& w, int32_t& h) override { ::getScreenSize(w, h); }
    void loadSprite(const RtString& path, int32_t sprite) override { ::loadSprite(path, sprite); }
    void getSpriteSize(int32_t sprite, int32_t& w, int32_t& h) override { ::getSpriteSize(sprite, w, h); }
    int32_t firstFreeSprite() override { return ::firstFreeSprite(); }
    void loadFont(const RtString& path, int32_t font) override { ::loadFont(path, font); }
    void setFont(int32_t font) override { ::setFont(font); }
    void getFontSize(int32_t& w, int32_t& h) override { ::getFontSize(w, h); }
    int32_t firstFreeFont() override { return ::firstFreeFont(); }
    bool fileExists(const RtString& path) override { return ::fileExists(path) != 0; }
    bool keyDown(int32_t scanCode) override { return ::keyDown(uint8_t(scanCode)) != 0; }
    void mouseState(int32_t& x, int32_t& y, int32_t& left, int32_t& right) override {
        ::mouseState(x, y, left, right);
    }
    int32_t mouseAxis(int32_t axis) override { return ::mouseAxis(axis); }
    double elapsedMillis() override { return ::elapsedMillis(); }
};

RuntimeCommands*& installed() {
    static RuntimeCommands* commands = nullptr;
    return commands;
}

}  // namespace

RuntimeCommands& runtimeCommands() {
    static RuntimeBridge bridge;
    RuntimeCommands* commands = installed();
    return commands != nullptr ? *commands : bridge;
}

RuntimeCommands* setRuntimeCommands(RuntimeCommands* commands) {
    RuntimeCommands* previous = installed();
    installed() = commands;
    return previous;
}

}  // namespace lmt
