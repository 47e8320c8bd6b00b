// input: the language's keyboard, mouse and joystick commands, thin
// functions over the runtime's one input object.
#pragma once

#include <cstdint>  // Required for: uint8_t, int8_t

#include "runtime/core/rt_string.h"
#include "runtime/input/key_codes.h"  // Required for: the names of keyDown's codes

// --- Keyboard ----------------------------------------------------------------
int keyDown(uint8_t code);          // 1 while the key of that scan code (kKey...) is down
RtString typedKey();                // the newly typed character, or ""
void setAutoPause(double value);    // losing the window's focus pauses the program

// --- Mouse -------------------------------------------------------------------
void mouseState(int& x, int& y, int& button1, int& button2);  // clamped to the window
void mouseStateValues(double& x, double& y, double& button1, double& button2);
int mouseAxis(int n);               // 0 dx, 1 dy, 2 wheel, 3..5 buttons
void setMousePosition(int x, int y);
void showPointer(double value);
int mouseCount();
void selectMouse(int n);

// --- Joysticks ---------------------------------------------------------------
double joystickX(int j);            // -1..1; j is taken as a signed byte
double joystickY(int j);
double joystickZ(int j);
double joystickRX(int j);
double joystickRY(int j);
double joystickRZ(int j);
double joystickHatX(int j);         // -1, 0 or +1
double joystickHatY(int j);
void joystickState(double& x, double& y, double& button1, double& button2);  // joystick 0
RtString joystickName(int j);
double joystickCount();
void joystickRumble(int j, double durationMs, double x, double y);
