// Test helper: debugger output captured from the toolkit's sink and, for what
// the backend writes with the runtime's debugger output, the platform's hooks.
#include "debug_capture.h"

#include <string_view>

#include "runtime/platform/debugger.h"
#include "toolkit/debugoutput.h"

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

void captureToolkit(const RtString& text) {
    captured() += text.data;
}

lmt::DebugSink& replacedSink() {
    static lmt::DebugSink sink = nullptr;
    return sink;
}

}  // namespace

DebugCapture::DebugCapture() {
    captured().clear();
    platform::setDebuggerHooks({[] { return true; }, &capture});
    replacedSink() = lmt::setDebugSink(&captureToolkit);
}

DebugCapture::~DebugCapture() {
    lmt::setDebugSink(replacedSink());
    platform::setDebuggerHooks({});
}

const std::string& DebugCapture::text() const {
    return captured();
}

void DebugCapture::clear() {
    captured().clear();
}

}  // namespace lmt::test
