// toolkit: the exception value and the one throw helper every check uses.
#include "toolkit/exception.h"

#include "toolkit/debugoutput.h"

namespace lmt {

Exception::Exception() : function("?"), fileName("?") {}

Exception::Exception(const RtString& message) : function("?"), message(message), fileName("?") {}

Exception::Exception(const RtString& message, const RtString& function, const RtString& fileName, int32_t line)
    : function(function), message(message), fileName(fileName), line(line) {}

void throwException(const char* message, const char* fileName, int32_t line, const char* debugLine) {
    if (debugLine != nullptr) {
        debugPrint(RtString(debugLine));
    }
    throw Exception(RtString(message), RtString("?"), RtString(fileName), line);
}

}  // namespace lmt
