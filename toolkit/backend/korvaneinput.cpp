// toolkit/backend: runtime scan codes (1..255, extended keys + 128) to toolkit
// keys, and mouse state changes to mouse inputs.
#include "toolkit/backend/korvaneinput.h"

#include "toolkit/backend/runtimecommands.h"
#include "toolkit/exception.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

struct FixedKey {
    int32_t scanCode;
    int32_t value;
};

// Keys whose value does not come from the character table.
constexpr FixedKey fixedKeys[] = {
    {1, Key::Escape},       {14, Key::Backspace},    {15, Key::Tab},         {28, Key::Enter},
    {156, Key::Enter},      {29, Key::LeftControl},  {157, Key::RightControl}, {42, Key::LeftShift},
    {54, Key::RightShift},  {56, Key::LeftAlt},      {184, Key::RightAlt},   {58, Key::CapsLock},
    {59, 1019},             {60, 1020},              {61, 1021},             {62, 1022},
    {63, 1023},             {64, 1024},              {65, 1025},             {66, 1026},
    {67, 1027},             {68, 1028},              {87, 1029},             {88, 1030},
    {69, Key::NumLock},     {70, Key::ScrollLock},   {183, Key::PrintScreen}, {197, Key::Pause},
    {210, Key::Insert},     {199, Key::Home},        {201, Key::PageUp},     {83, Key::Delete},
    {211, Key::Delete},     {207, Key::End},         {209, Key::PageDown},   {203, Key::Left},
    {205, Key::Right},      {200, Key::Up},          {208, Key::Down},       {219, Key::LeftMeta},
    {220, Key::RightMeta},
};

struct TableEntry {
    int32_t scanCode;
    const char* text;  // one character, or the key's name
};

// Character keys hold their character in upper case; named keys a tag of the
// last four letters of their name, first letter in the highest byte.
constexpr TableEntry keyNames[] = {
    {2, "1"}, {3, "2"}, {4, "3"}, {5, "4"}, {6, "5"}, {7, "6"}, {8, "7"}, {9, "8"}, {10, "9"}, {11, "0"},
    {12, "-"}, {13, "="}, {16, "Q"}, {17, "W"}, {18, "E"}, {19, "R"}, {20, "T"}, {21, "Y"}, {22, "U"},
    {23, "I"}, {24, "O"}, {25, "P"}, {26, "["}, {27, "]"}, {30, "A"}, {31, "S"}, {32, "D"}, {33, "F"},
    {34, "G"}, {35, "H"}, {36, "J"}, {37, "K"}, {38, "L"}, {39, ";"}, {40, "'"}, {43, "\\"}, {44, "Z"},
    {45, "X"}, {46, "C"}, {47, "V"}, {48, "B"}, {49, "N"}, {50, "M"}, {51, ","}, {52, "."}, {53, "/"},
    {55, "*"}, {57, " "}, {71, "7"}, {72, "8"}, {73, "9"}, {74, "-"}, {75, "4"}, {76, "5"}, {77, "6"},
    {78, "+"}, {79, "1"}, {80, "2"}, {81, "3"}, {82, "0"}, {83, "."}, {141, "="}, {145, "@"}, {146, ":"},
    {147, "_"}, {181, "/"},
    {1, "ESCAPE"}, {14, "BACK"}, {15, "TAB"}, {28, "RETURN"}, {29, "LCONTROL"}, {41, "GRAVE"},
    {42, "LSHIFT"}, {54, "RSHIFT"}, {56, "LMENU"}, {58, "CAPITAL"}, {59, "F1"}, {60, "F2"}, {61, "F3"},
    {62, "F4"}, {63, "F5"}, {64, "F6"}, {65, "F7"}, {66, "F8"}, {67, "F9"}, {68, "F10"}, {69, "NUMLOCK"},
    {70, "SCROLL"}, {86, "OEM_102"}, {87, "F11"}, {88, "F12"}, {100, "F13"}, {101, "F14"}, {102, "F15"},
    {112, "KANA"}, {115, "ABNT_C1"}, {121, "CONVERT"}, {123, "NOCONVERT"}, {125, "YEN"}, {126, "ABNT_C2"},
    {144, "PREVTRACK"}, {148, "KANJI"}, {149, "STOP"}, {150, "AX"}, {151, "UNLABELED"},
    {153, "NEXTTRACK"}, {156, "NUMPADENTER"}, {157, "RCONTROL"}, {160, "MUTE"}, {161, "CALCULATOR"},
    {162, "PLAYPAUSE"}, {164, "MEDIASTOP"}, {174, "VOLUMEDOWN"}, {176, "VOLUMEUP"}, {178, "WEBHOME"},
    {179, "NUMPADCOMMA"}, {183, "SYSRQ"}, {184, "RMENU"}, {197, "PAUSE"}, {199, "HOME"}, {200, "UP"},
    {201, "PRIOR"}, {203, "LEFT"}, {205, "RIGHT"}, {207, "END"}, {208, "DOWN"}, {209, "NEXT"},
    {210, "INSERT"}, {211, "DELETE"}, {219, "LWIN"}, {220, "RWIN"}, {221, "APPS"}, {222, "POWER"},
    {223, "SLEEP"}, {227, "WAKE"}, {229, "WEBSEARCH"}, {230, "WEBFAVORITES"}, {231, "WEBREFRESH"},
    {232, "WEBSTOP"}, {233, "WEBFORWARD"}, {234, "WEBBACK"}, {235, "MYCOMPUTER"}, {236, "MAIL"},
    {237, "MEDIASELECT"},
};

uint32_t tagOf(const char* text) {
    int32_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    uint32_t tag = 0;
    for (int32_t i = length > 4 ? length - 4 : 0; i < length; ++i) {
        tag = (tag << 8) | uint8_t(text[i]);
    }
    return tag;
}

bool inRange(int32_t code, int32_t low, int32_t high) { return code >= low && code <= high; }

// Whole milliseconds, wrapping after some 24 days of running.
int32_t timeStampOf(double millis) { return int32_t(int64_t(millis) & 0x7FFFFFFF); }

}  // namespace

KorvaneInput::KorvaneInput() {
    for (const TableEntry& entry : keyNames) {
        keyTable[entry.scanCode] = tagOf(entry.text);
    }
}

bool KorvaneInput::isKeyQueueEmpty() { return listCount(keyQueue) == 0; }

bool KorvaneInput::isMouseQueueEmpty() { return listCount(mouseQueue) == 0; }

KeyInput KorvaneInput::dequeueKeyInput() {
    if (isKeyQueueEmpty()) {
        throwException("The queue is empty.", "korvaneinput", 244, "The queue is empty.\n");
    }
    KeyInput oldest = listAt(keyQueue, 0);
    listRemoveAt(keyQueue, 0);
    return oldest;
}

MouseInput KorvaneInput::dequeueMouseInput() {
    if (isMouseQueueEmpty()) {
        throwException("The queue is empty.", "korvaneinput", 265, "The queue is empty.\n");
    }
    MouseInput oldest = listAt(mouseQueue, 0);
    listRemoveAt(mouseQueue, 0);
    return oldest;
}

void KorvaneInput::pollInput() {
    pollMouseInput();
    pollKeyInput();
}

void KorvaneInput::queueMouse(int32_t button, int32_t type, int32_t x, int32_t y, int32_t timeStamp) {
    listAppend(mouseQueue, MouseInput(button, type, x, y, timeStamp));
}

void KorvaneInput::pollMouseInput() {
    RuntimeCommands& runtime = runtimeCommands();
    int32_t x = 0;
    int32_t y = 0;
    int32_t left = 0;
    int32_t right = 0;
    runtime.mouseState(x, y, left, right);
    const int32_t wheel = runtime.mouseAxis(2);
    const int32_t middle = runtime.mouseAxis(5);
    const int32_t stamp = timeStampOf(runtime.elapsedMillis());

    if (x != lastX || y != lastY) {
        queueMouse(MouseInput::Empty, MouseInput::Moved, x, y, stamp);
        lastX = x;
        lastY = y;
    }
    if (wheel != lastWheel) {
        if (wheel < 0) {
            queueMouse(MouseInput::Empty, MouseInput::WheelMovedDown, x, y, stamp);
        } else if (wheel > 0) {
            queueMouse(MouseInput::Empty, MouseInput::WheelMovedUp, x, y, stamp);
        }
    }
    lastWheel = wheel;

    const struct {
        int32_t button;
        int32_t now;
        int32_t before;
    } buttons[] = {{MouseInput::Left, left, lastLeft},
                   {MouseInput::Right, right, lastRight},
                   {MouseInput::Middle, middle, lastMiddle}};
    for (const auto& b : buttons) {
        if (b.before == 0 && b.now != 0) {
            queueMouse(b.button, MouseInput::Pressed, x, y, stamp);
        } else if (b.before != 0 && b.now == 0) {
            queueMouse(b.button, MouseInput::Released, x, y, stamp);
        }
    }
    lastLeft = left;
    lastRight = right;
    lastMiddle = middle;
}

void KorvaneInput::pollKeyInput() {
    RuntimeCommands& runtime = runtimeCommands();
    bool down[256] = {};
    for (int32_t code = 1; code <= 255; ++code) {
        down[code] = runtime.keyDown(code);
    }
    const double now = runtime.elapsedMillis();
    // Shift+Tab typed as one chord arrives in one poll, and Tab's code comes
    // before the Shift keys': Tab takes the Shift keys as this poll reads them.
    const bool shiftHeld = down[42] || down[54];
    for (int32_t code = 1; code <= 255; ++code) {
        if (!down[code]) {
            if (keyState[code] == 1) {
                queueKey(code, false, shiftHeld, now);
            }
        } else if (keyState[code] == 0) {
            queueKey(code, true, shiftHeld, now);
        } else if (now >= repeatDue[code]) {
            queueKey(code, true, shiftHeld, now);
            // A steady beat; a poll that came more than a beat late starts it again
            // instead of catching up with a burst.
            repeatDue[code] += RepeatInterval;
            if (repeatDue[code] <= now) {
                repeatDue[code] = now + RepeatInterval;
            }
        }
    }
}

void KorvaneInput::pushKeyInput(int32_t scanCode, bool pressed) {
    queueKey(scanCode & 0xFF, pressed, shiftKeyState(), runtimeCommands().elapsedMillis());
}

void KorvaneInput::queueKey(int32_t code, bool pressed, bool shiftHeld, double now) {
    KeyInput input(convertKey(code), pressed ? KeyInput::Pressed : KeyInput::Released);
    input.setNumericPad(code == 55 || inRange(code, 71, 82) || code == 181);
    // Tab also carries the Shift keys, so that Shift+Tab can go back.
    input.setShiftPressed(code == 42 || code == 54 || (code == 15 && shiftHeld));
    input.setControlPressed(code == 29 || code == 157);
    input.setAltPressed(code == 56 || code == 184);
    input.setMetaPressed(code == 219 || code == 220);
    listAppend(keyQueue, input);
    if (pressed && keyState[code] == 0) {
        repeatDue[code] = now + RepeatDelay;
    }
    keyState[code] = pressed ? 1 : 0;
}

bool KorvaneInput::shiftKeyState() const { return keyState[42] == 1 || keyState[54] == 1; }

Key KorvaneInput::convertKey(int32_t scanCode) const {
    const int32_t code = scanCode & 0xFF;
    for (const FixedKey& fixed : fixedKeys) {
        if (fixed.scanCode == code) {
            return Key(fixed.value);
        }
    }
    int32_t character = int32_t(keyTable[code] & 0xFF);
    const bool shift = shiftKeyState();
    if (shift && inRange(character, 'a', 'z')) {
        character -= 'a' - 'A';
    } else if (!shift && inRange(character, 'A', 'Z')) {
        character += 'a' - 'A';
    }
    return Key(character);
}

}  // namespace lmt
