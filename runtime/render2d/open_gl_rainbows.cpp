// render2d: construction and destruction of the render object. Uses only
// platform/window.h and OpenGL; never touches SDL or the system directly.
#include "runtime/render2d/open_gl_rainbows.h"

#include "runtime/platform/clock.h"

double frameClockMillis() { return static_cast<double>(platform::monotonicNanos()) / 1.0e6; }

OpenGLRainbows::OpenGLRainbows() { nextFrameDue = frameClockMillis(); }

OpenGLRainbows::~OpenGLRainbows() {
    if (contextAlive != 0 && windowHandle != 0) {
        useScreen();
        for (RenderTarget& target : renderTargets) target.release();
    }
    destroyWindow();
    if (glContext) {
        platform::video().deleteContext();
        glContext = false;
    }
}
