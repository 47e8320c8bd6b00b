// system: the table of bound libraries. Libraries are opened through
// platform/library.h; failures are told only to an attached debugger.
#include "runtime/system/dll_binding.h"

#include <cstdlib>  // Required for: std::atexit
#include <cstring>  // Required for: std::strcmp
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/core/runtime_state.h"
#include "runtime/core/string_functions.h"
#include "runtime/platform/library.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"
#include "runtime/system/debug_output.h"

namespace {

struct BoundLibrary {
    RtString name;
    platform::SharedLibrary library;
};

// The process-wide table, in binding order.
std::vector<BoundLibrary>& table() {
    static std::vector<BoundLibrary> libraries;
    return libraries;
}

// Frees every bound library in binding order. Registered anew after each load,
// so that it runs before the exit handlers of the libraries themselves, which
// the loader would otherwise run in the reverse order.
void freeBoundLibraries() {
    for (BoundLibrary& entry : table()) entry.library = platform::SharedLibrary();
    table().clear();
}

// OpenGL's functions and its window-system ones: gl followed by a capital.
bool isGlFunctionName(const char* name) {
    return name[0] == 'g' && name[1] == 'l' && name[2] >= 'A' && name[2] <= 'Z';
}

BoundLibrary* findBound(const RtString& lowerName) {
    for (BoundLibrary& entry : table()) {
        const RtString stored = toLowerCopy(entry.name);
        if (stored.length == lowerName.length && std::strcmp(stored.data, lowerName.data) == 0) return &entry;
    }
    return nullptr;
}

}  // namespace

void bindDllFunction(const RtString& dllName, const RtString& functionName, void*& out) {
    out = nullptr;
    const RtString lowerName = toLowerCopy(dllName);
    BoundLibrary* bound = findBound(lowerName);
    if (!bound) {
        platform::SharedLibrary library(dllName.data);
        if (!library.isOpen() && std::string(lowerName.data) != dllName.data) {
            library = platform::SharedLibrary(lowerName.data);
        }
        if (!library.isOpen()) {
            RtString message("DECLARE module not found: ");
            message += dllName;
            message += "\n";
            debugPrint(message);
            return;
        }
        table().push_back({dllName, std::move(library)});
        bound = &table().back();
        std::atexit(freeBoundLibraries);
    }
    out = bound->library.symbol(functionName.data);
    if (out != nullptr && isGlFunctionName(functionName.data)) {
        RuntimeState& rs = runtimeState();
        rs.programCallsGl = 1;
        // Its drawing may come next: the clear of this frame must be done
        // before, and sprites must no longer be drawn as points.
        if (OpenGLRainbows* renderer = renderObject()) {
            renderer->flushPendingDepthClear();
            renderer->endSpritePoints();
        }
    }
}

int32_t boundDllCount() { return static_cast<int32_t>(table().size()); }

RtString boundDllName(int32_t index) {
    if (index < 0 || index >= boundDllCount()) return RtString();
    return table()[static_cast<std::size_t>(index)].name;
}
