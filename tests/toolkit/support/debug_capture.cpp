// Test helper: debugger output capture through the toolkit's sink.
#include "debug_capture.h"

#include "text.h"
#include "toolkit/debugoutput.h"

namespace lmt::test {

namespace {

std::string& captured() {
    static std::string s;
    return s;
}

void capture(const RtString& t) {
    captured() += lmt::test::text(t);
}

}  // namespace

DebugCapture::DebugCapture() {
    captured().clear();
    setDebugSink(&capture);
}

DebugCapture::~DebugCapture() {
    setDebugSink(nullptr);
}

const std::string& DebugCapture::text() const {
    return captured();
}

void DebugCapture::clear() {
    captured().clear();
}

}  // namespace lmt::test
