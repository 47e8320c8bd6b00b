// render2d: the render object. It owns the window, the OpenGL context and the
// 2D rendering state; the window and context come from platform/window.h.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/platform/window.h"

class OpenGLRainbows {
public:
    // Runs before each window event when the program asks for it.
    using MessageCallback = void (*)(const platform::WindowMessage& message);

    OpenGLRainbows();
    virtual ~OpenGLRainbows();
    OpenGLRainbows(const OpenGLRainbows&) = delete;
    OpenGLRainbows& operator=(const OpenGLRainbows&) = delete;

    // --- Window and context ---------------------------------------------
    // Makes the window and the context; 0 for width, height or colourDepth
    // takes the desktop's. False when no window can be made.
    bool createWindow(void* instance, int width, int height, int colourDepth, int fps,
                      int samples, int flag);
    bool setScreen(int width, int height, int colourDepth, int fullscreen);
    bool setFullscreen();
    bool setWindowed();
    bool leaveFullscreen();  // hides the window
    void destroyWindow();
    void setScreenSize(int width, int height);

    // --- Messages, present and frame limiter ----------------------------
    // Dispatches the window's waiting events; 0 when the program must end.
    int pumpMessages(MessageCallback callback);
    // Presents the back buffer, clears it and waits for the frame's due time;
    // 0 when the program must end.
    int showScreen(MessageCallback callback);
    void setFrameRate(int fps);
    // The window procedure: 0 when the event ends the program.
    int windowProc(const platform::WindowMessage& message);

    // --- 2D view state --------------------------------------------------
    void setViewport(int x, int y, int w, int h);

    // --- Fields -----------------------------------------------------------
    int32_t boundSprite = -1;
    int32_t boundSecondSprite = -1;
    uint32_t boundUsesMipTexture = 0;
    float globalAlpha = 0.0f;
    int32_t currentTarget = -1;
    uint8_t smoothing = 1;
    uint32_t windowHandle = 0;  // platform window id; 0 = none
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourDepth = 0;
    uint8_t fullscreen = 0;
    int32_t samples = 0;
    int32_t viewportX = 0;
    int32_t viewportY = 0;
    int32_t viewportWidth = 0;
    int32_t viewportHeight = 0;
    int32_t portrait = 0;
    uint32_t spriteColourKey = 0x8000FF;
    uint32_t fontColourKey = 0;
    int32_t contextAlive = 0;
    double nextFrameDue = 0.0;
    double framePeriod = 0.0;
    void* instance = nullptr;
    bool glContext = false;  // the platform keeps the one context; true once made

private:
    bool makeWindow(int samplesWanted);
};

// Milliseconds of the runtime clock that the frame limiter reads.
double frameClockMillis();

// --- 2D view commands ----------------------------------------------------
void setAlphaMode(double mode);
void setSmoothing(double flag);
