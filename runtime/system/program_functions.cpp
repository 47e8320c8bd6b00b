// system: calls by name. Uses the program's table in RuntimeState and the
// debugger output; never touches the platform directly.
#include "runtime/system/program_functions.h"

#include <cstring>  // Required for: std::strcmp

#include "runtime/core/runtime_state.h"
#include "runtime/system/debug_output.h"

ProgramEntry findUserFunction(const RtString& name) {
    const ProgramFunction* table = runtimeState().programFunctions;
    if (!table) return nullptr;
    for (const ProgramFunction* pair = table; pair->entry; ++pair) {
        if (pair->name && std::strcmp(pair->name, name.data) == 0) return pair->entry;
    }
    return nullptr;
}

double callByName(const RtString& name) {
    if (ProgramEntry entry = findUserFunction(name)) {
        entry();
        return 1.0;
    }
    if (std::strcmp(name.data, "KRV_ON_QUIT") == 0 || std::strcmp(name.data, "KRV_WIN32_MSG") == 0) return 0.0;
    RtString failure("CALLBYNAME \"");
    failure += name;
    failure += "\" *** failed ***\n";
    debugPrint(failure);
    return 0.0;
}

void forwardWin32Message() {
    // Its own once-only lookup, apart from the frame's cache in RuntimeState.
    static const ProgramEntry callback = findUserFunction(RtString("KRV_WIN32_MSG"));
    if (callback) callback();
}
