// Test helper: captures the toolkit's debugger output while it lives. The
// debugger counts as attached meanwhile; each line is kept without the
// runtime's "TX" framing, so tests compare the toolkit's own texts.
#pragma once

#include <string>

namespace lmt::test {

class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Everything written since construction (or the last clear).
    const std::string& text() const;
    void clear();
};

}  // namespace lmt::test
