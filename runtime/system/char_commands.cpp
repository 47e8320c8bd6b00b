// system: character codes, the window handle and the per-line hook. Core only.
#include <cstdint>  // Required for: int32_t, uint8_t

#include "runtime/core/runtime_state.h"
#include "runtime/system/utility_commands.h"

int32_t charCode(const RtString& text) { return static_cast<uint8_t>(text.data[0]); }

RtString charString(uint8_t code) { return RtString(reinterpret_cast<const char*>(&code), 1); }

void openConsole() {}

int32_t windowHandle() { return static_cast<int32_t>(runtimeState().window); }

void setSourcePosition(int32_t tag, int32_t line) {
    RuntimeState& state = runtimeState();
    state.sourceTag = tag;
    state.currentLine = line;
}
