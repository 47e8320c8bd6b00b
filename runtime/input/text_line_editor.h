// input: the line being typed by the text-line input: characters, Backspace,
// Enter and the blinking cursor. Pure logic, one call per frame.
#pragma once

#include <string_view>  // Required for: std::string_view

#include "runtime/core/rt_string.h"

class TextLineEditor {
public:
    static constexpr int kBlinkFrames = 20;  // the cursor toggles after 21 idle frames

    explicit TextLineEditor(const RtString& start) : text(start) {}

    // One frame: the text typed (UTF-8 bytes, stored as they are), then the
    // typed character (0 = none). False once Enter ends the line.
    bool feed(char c, std::string_view typed = {});
    // The text as shown: followed by "_" while the cursor is visible.
    RtString display() const;

    RtString text;
    int idleFrames = 0;
    bool cursorShown = false;

private:
    void eraseLastCharacter();
};
