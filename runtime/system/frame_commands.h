// system: the frame commands of the language.
#pragma once

#include "runtime/render2d/open_gl_rainbows.h"

// Ends one frame: pause loop, Escape and Alt+F4, present, 2D state reset.
void showScreen();
// Waits until a key, the mouse or a joystick is active, at most 15 passes of 5 ms.
void waitForInput();
void waitForKey();
void waitForMouse();
// Changes the window or display mode and shows five frames.
void setScreenMode(int width, int height, int fullscreen);
void setEscapeEndsProgram(double value);

// The program's KRV_WIN32_MSG as a message callback, or null; looked up once.
OpenGLRainbows::MessageCallback resolveWin32MessageCallback();

// A frame of a command's own loop (a movie's): presents, handing the window's
// messages to the program; false once the window is closed.
bool presentOwnLoopFrame();

// Escape with the extended flag, which the frame takes as Escape too.
constexpr int kKeyEscapeExtended = 129;
