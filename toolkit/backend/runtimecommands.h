// toolkit/backend: the runtime commands the backend calls, behind one table so
// that tests put a recorder in place of the runtime. By default every call goes
// to the real runtime command of the same name.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"

namespace lmt {

class RuntimeCommands {
public:
    virtual ~RuntimeCommands() = default;

    // 2D drawing; colours are 0x00BBGGRR.
    virtual void setViewport(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // Drawing gathered between begin and end, placed in and cut to the clip
    // area as a viewport of that area would (runtime: beginBatch2D and friends).
    virtual void beginBatch2D() = 0;
    virtual void setBatchClip(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void endBatch2D() = 0;
    virtual void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) = 0;
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) = 0;
    virtual void drawSprite(int32_t sprite, int32_t x, int32_t y) = 0;
    virtual void drawSpriteStretched(int32_t sprite, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void printText(const RtString& text, double x, double y) = 0;
    virtual void selectRenderTarget(int32_t target) = 0;
    virtual bool createRenderTarget(int32_t target, int32_t sprite, int32_t width, int32_t height) = 0;
    virtual void getScreenSize(int32_t& width, int32_t& height) = 0;

    // Sprites and fonts.
    virtual void loadSprite(const RtString& path, int32_t sprite) = 0;
    virtual void getSpriteSize(int32_t sprite, int32_t& width, int32_t& height) = 0;
    virtual int32_t firstFreeSprite() = 0;
    virtual void loadFont(const RtString& path, int32_t font) = 0;
    virtual void setFont(int32_t font) = 0;
    virtual void getFontSize(int32_t& width, int32_t& height) = 0;
    virtual int32_t firstFreeFont() = 0;

    // Files, input and the clock.
    virtual bool fileExists(const RtString& path) = 0;
    virtual bool keyDown(int32_t scanCode) = 0;
    virtual void mouseState(int32_t& x, int32_t& y, int32_t& left, int32_t& right) = 0;
    virtual int32_t mouseAxis(int32_t axis) = 0;
    // Milliseconds of the runtime's one clock.
    virtual double elapsedMillis() = 0;
};

// The table in use: the runtime's own unless a test installed another.
RuntimeCommands& runtimeCommands();

// Installs a table (null: the runtime's own again) and returns the one it replaces.
RuntimeCommands* setRuntimeCommands(RuntimeCommands* commands);

}  // namespace lmt
