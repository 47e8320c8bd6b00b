// core: the error slot and the fatal path. Reads and writes RuntimeState only;
// ending the process is the installed handler's business.
#include "runtime/core/error_slot.h"

#include <cstdio>   // Required for: std::snprintf, std::fputs
#include <cstdlib>  // Required for: std::exit, std::abort

#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"

namespace {

void defaultFatalHandler() {
    const RtString text = fatalErrorText();
    std::fputs(text.data, stderr);
    std::fputs("\n", stderr);
    std::exit(1);
}

}  // namespace

double setError(double code) {
    RuntimeState& state = runtimeState();
    state.errorLine = state.currentLine;
    state.errorCode = doubleToInt(code);
    return code;
}

int32_t clearError() {
    runtimeState().errorCode = 0;
    return 0;
}

const char* errorCodeText(int32_t code) {
    switch (code) {
        case kErrorSuccess: return "success";
        case kErrorNoSuchFile: return "no such file";
        case kErrorOutOfMemory: return "out of memory";
        case kErrorOutOfBounds: return "out of bounds";
        case kErrorOutOfData: return "out of data";
        default: return "unknown error";
    }
}

RtString lastErrorText() {
    const int32_t code = runtimeState().errorCode;
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "%.4d %s", code, errorCodeText(code));
    return RtString(buffer);
}

void setFatalHandler(FatalHandler handler) { runtimeState().fatalHandler = handler; }

void fatalError(int32_t code) { fatalFileError(code, nullptr); }

void fatalFileError(int32_t code, const char* file) {
    setError(code);
    runtimeState().errorFile = file != nullptr ? file : "";
    const FatalHandler handler = runtimeState().fatalHandler;
    (handler != nullptr ? handler : defaultFatalHandler)();
    std::abort();  // a handler that returns broke its contract
}

RtString fatalErrorText() {
    RtString text = lastErrorText();
    const RtString& file = runtimeState().errorFile;
    if (file.length > 0) {
        text += ": ";
        text += file;
    }
    return text;
}
