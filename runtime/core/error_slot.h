// core: the program's error slot (code and line in RuntimeState) and the
// fatal path. A fatal run-time error records its code and line, then calls the
// fatal handler, which never returns: the program frame installs
// terminateProgram; tests install one that throws.
#pragma once

#include <cstdint>  // Required for: int32_t
#include <new>      // Required for: std::bad_alloc

#include "runtime/core/rt_string.h"

// Run-time error codes that have a text of their own, and those that do not.
enum RuntimeErrorCode : int32_t {
    kErrorSuccess = 0,
    kErrorNoSuchFile = 3,
    kErrorOutOfMemory = 7,
    kErrorBadArrayOperation = 8,
    kErrorOutOfBounds = 9,
    kErrorOutOfData = 20,
    kErrorAssertion = 21,
};

// Stores the current line as the error line and the code (truncated toward
// zero) as the error code; returns the code unchanged. Does not end anything.
double setError(double code);

// Error code 0; the error line stays. Returns 0.
int32_t clearError();

// "%.4d %s": the code with at least four digits, a blank, and its text.
RtString lastErrorText();

// The text of a code: "success", "no such file", "out of memory",
// "out of bounds", "out of data", else "unknown error".
const char* errorCodeText(int32_t code);

// Must not return. Null restores the default, which writes fatalErrorText to
// standard error and exits with status 1.
using FatalHandler = void (*)();
void setFatalHandler(FatalHandler handler);

// setError(code), then the fatal handler.
[[noreturn]] void fatalError(int32_t code);
// The same for an error that concerns a file, whose name the fatal report carries.
[[noreturn]] void fatalFileError(int32_t code, const char* file);

// Runs `allocate` and returns what it made. Running out of memory there is
// fatal error 7: the storage of the program's arrays comes through here. The
// runtime's own containers (RtString, BlockVector) instead let std::bad_alloc
// reach the code that can recover, such as a loader that reports a failed load.
template <class Allocate>
auto allocateOrEnd(Allocate allocate) -> decltype(allocate()) {
    try {
        return allocate();
    } catch (const std::bad_alloc&) {
        fatalError(kErrorOutOfMemory);
    }
}

// What a fatal end writes to standard error: lastErrorText, then ": " and
// the file when the error concerns one.
RtString fatalErrorText();
