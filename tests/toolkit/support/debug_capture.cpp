// Test helper: debugger output captured through the platform's debugger hooks.
#include "debug_capture.h"

#include <string_view>

#include "runtime/platform/debugger.h"

namespace lmt::test {

namespace {

std::string& captured() {
    static std::string s;
    return s;
}

void capture(std::string_view written) {
    constexpr std::string_view frame = "TX";
    if (written.substr(0, frame.size()) == frame) {
        written.remove_prefix(frame.size());
    }
    captured() += written;
}

}  // namespace

DebugCapture::DebugCapture() {
    captured().clear();
    platform::setDebuggerHooks({[] { return true; }, &capture});
}

DebugCapture::~DebugCapture() {
    platform::setDebuggerHooks({});
}

const std::string& DebugCapture::text() const {
    return captured();
}

void DebugCapture::clear() {
    captured().clear();
}

}  // namespace lmt::test
