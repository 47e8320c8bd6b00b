// toolkit: the one error type of the toolkit, thrown by value on misuse by the
// caller (no focus handler, no top widget, an empty clip stack, ...).
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"

namespace lmt {

class Exception {
public:
    Exception();
    explicit Exception(const RtString& message);
    Exception(const RtString& message, const RtString& function, const RtString& fileName, int32_t line);

    const RtString& getMessage() const { return message; }
    const RtString& getFunction() const { return function; }
    const RtString& getFilename() const { return fileName; }
    int32_t getLine() const { return line; }

private:
    RtString function;
    RtString message;
    RtString fileName;
    int32_t line = 0;
};

// Writes the debugger line (when given) and throws the exception of a toolkit
// check: function "?", the source file's base name and the line.
[[noreturn]] void throwException(const char* message, const char* fileName, int32_t line,
                                 const char* debugLine = nullptr);

}  // namespace lmt
