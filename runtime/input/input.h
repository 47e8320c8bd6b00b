// input: keyboard, mouse and joysticks, their commands and the text-line input.
// Devices are reached only through runtime/platform/input.h.
#pragma once

// --- Devices ---
// InputDevices (keyboard, mouse, joysticks), MouseSample, JoystickState input_devices.h
// InputDevices::showFrame (the frame hook the program registers)        input_devices.h
#include "runtime/input/input_devices.h"

// --- Commands ---
// keyDown, typedKey, setAutoPause                                       input_commands.h
// kKeyEscape, kKeyEnter, kKeySpace, kKeyUp, kKeyA, kKey1, kKeyF1, ...    key_codes.h
// mouseState, mouseStateValues, mouseAxis, setMousePosition, showPointer input_commands.h
// mouseCount, selectMouse                                               input_commands.h
// joystickX/Y/Z/RX/RY/RZ, joystickHatX/Y, joystickState, joystickName   input_commands.h
// joystickCount, joystickRumble                                         input_commands.h
#include "runtime/input/input_commands.h"
#include "runtime/input/key_codes.h"

// --- Text-line input ---
// inputText, inputInt, inputNumber                                      text_line_input.h
// TextLineEditor (characters, Backspace, Enter, the cursor)             text_line_editor.h
#include "runtime/input/text_line_editor.h"
#include "runtime/input/text_line_input.h"
