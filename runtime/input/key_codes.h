// input: names for the scan codes that keyDown takes (set 1; the extended
// keys at code + 128). They name places on the keyboard, not characters:
// kKeyQ is the key right of Tab whatever the layout prints on it. Standard
// C++ only, so that any program may include it.
#pragma once

#include <cstdint>  // Required for: uint8_t

// --- Control and editing keys ------------------------------------------------
constexpr uint8_t kKeyEscape = 1;
constexpr uint8_t kKeyBackspace = 14;
constexpr uint8_t kKeyTab = 15;
constexpr uint8_t kKeyEnter = 28;
constexpr uint8_t kKeyPadEnter = 156;
constexpr uint8_t kKeySpace = 57;
constexpr uint8_t kKeyLeftShift = 42;
constexpr uint8_t kKeyRightShift = 54;
constexpr uint8_t kKeyLeftControl = 29;
constexpr uint8_t kKeyRightControl = 157;
constexpr uint8_t kKeyLeftAlt = 56;
constexpr uint8_t kKeyRightAlt = 184;
constexpr uint8_t kKeyInsert = 210;
constexpr uint8_t kKeyDelete = 211;
constexpr uint8_t kKeyHome = 199;
constexpr uint8_t kKeyEnd = 207;
constexpr uint8_t kKeyPageUp = 201;
constexpr uint8_t kKeyPageDown = 209;

// --- Cursor keys -------------------------------------------------------------
constexpr uint8_t kKeyUp = 200;
constexpr uint8_t kKeyDown = 208;
constexpr uint8_t kKeyLeft = 203;
constexpr uint8_t kKeyRight = 205;

// --- Digits of the main block ------------------------------------------------
constexpr uint8_t kKey1 = 2;
constexpr uint8_t kKey2 = 3;
constexpr uint8_t kKey3 = 4;
constexpr uint8_t kKey4 = 5;
constexpr uint8_t kKey5 = 6;
constexpr uint8_t kKey6 = 7;
constexpr uint8_t kKey7 = 8;
constexpr uint8_t kKey8 = 9;
constexpr uint8_t kKey9 = 10;
constexpr uint8_t kKey0 = 11;

// --- Letters (of a US keyboard) ----------------------------------------------
constexpr uint8_t kKeyQ = 16;
constexpr uint8_t kKeyW = 17;
constexpr uint8_t kKeyE = 18;
constexpr uint8_t kKeyR = 19;
constexpr uint8_t kKeyT = 20;
constexpr uint8_t kKeyY = 21;
constexpr uint8_t kKeyU = 22;
constexpr uint8_t kKeyI = 23;
constexpr uint8_t kKeyO = 24;
constexpr uint8_t kKeyP = 25;
constexpr uint8_t kKeyA = 30;
constexpr uint8_t kKeyS = 31;
constexpr uint8_t kKeyD = 32;
constexpr uint8_t kKeyF = 33;
constexpr uint8_t kKeyG = 34;
constexpr uint8_t kKeyH = 35;
constexpr uint8_t kKeyJ = 36;
constexpr uint8_t kKeyK = 37;
constexpr uint8_t kKeyL = 38;
constexpr uint8_t kKeyZ = 44;
constexpr uint8_t kKeyX = 45;
constexpr uint8_t kKeyC = 46;
constexpr uint8_t kKeyV = 47;
constexpr uint8_t kKeyB = 48;
constexpr uint8_t kKeyN = 49;
constexpr uint8_t kKeyM = 50;

// --- Function keys -----------------------------------------------------------
constexpr uint8_t kKeyF1 = 59;
constexpr uint8_t kKeyF2 = 60;
constexpr uint8_t kKeyF3 = 61;
constexpr uint8_t kKeyF4 = 62;
constexpr uint8_t kKeyF5 = 63;
constexpr uint8_t kKeyF6 = 64;
constexpr uint8_t kKeyF7 = 65;
constexpr uint8_t kKeyF8 = 66;
constexpr uint8_t kKeyF9 = 67;
constexpr uint8_t kKeyF10 = 68;
constexpr uint8_t kKeyF11 = 87;
constexpr uint8_t kKeyF12 = 88;
