// system: splitting text into a string array at delimiter bytes. Core only.
#include <cstring>  // Required for: std::strspn, std::strcspn

#include "runtime/system/utility_commands.h"

int32_t splitString(const RtString& text, RtArray<RtString>& parts, const RtString& delimiters) {
    // The text may be an element of parts, which the emptying below reuses.
    const RtString source(text);
    parts.redim(0);

    const char* at = source.data;
    for (;;) {
        at += std::strspn(at, delimiters.data);
        if (*at == '\0') break;
        std::size_t length = std::strcspn(at, delimiters.data);
        parts.push(RtString(at, static_cast<uint32_t>(length)));
        at += length;
    }
    return parts.bounds(0);
}
