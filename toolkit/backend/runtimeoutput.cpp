// toolkit/backend: the toolkit's outputs over the runtime's debugger output
// and text command.
#include "toolkit/backend/runtimeoutput.h"

#include "runtime/render2d/render2d.h"
#include "runtime/system/debug_output.h"
#include "toolkit/debugoutput.h"
#include "toolkit/defaultfont.h"

namespace lmt {

namespace {

void printWithRuntime(const RtString& text, int32_t x, int32_t y) {
    ::printText(text, x, y);
}

}  // namespace

void useRuntimeOutput() {
    setDebugSink(&::debugPrint);
    DefaultFont::setTextPrinter(&printWithRuntime);
}

}  // namespace lmt
