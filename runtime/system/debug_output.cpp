// system: debugger output. Reaches the debugger only through platform/debugger.h.
#include "runtime/system/debug_output.h"

#include <cstdio>       // Required for: std::snprintf
#include <string>       // Required for: std::string
#include <string_view>  // Required for: std::string_view

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/platform/debugger.h"

namespace {

void writeWithPrefix(const char* text) {
    std::string line = "TX";
    line += text;
    platform::debuggerWrite(line);
}

}  // namespace

void debugPrint(const RtString& text) {
    if (platform::debuggerAttached()) writeWithPrefix(text.data);
}

void assertValue(int32_t value) {
    if (value != 0) return;
    if (platform::debuggerAttached()) writeWithPrefix("Assertion: Value = 0\n");
    fatalError(kErrorAssertion);
}

void debugBreakpoint(int32_t number) {
    if (!platform::debuggerAttached()) return;
    char text[16];
    std::snprintf(text, sizeof text, "BP%x", static_cast<uint32_t>(number));
    platform::debuggerWrite(text);
    RuntimeState& state = runtimeState();
    state.paused = 0;
    // Keys held while the program stood still are seen anew.
    if (InputDevices* input = inputDevices()) {
        input->pollKeyboard();
        input->newFrame = 1;
    }
    state.activateRequest = 1;
}
