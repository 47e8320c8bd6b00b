// toolkit: the text index search every font shares; measuring is the font's.
#include "toolkit/font.h"

#include "runtime/core/string_functions.h"  // Required for: mid()
#include "toolkit/rtlist.h"

namespace lmt {

int32_t Font::getStringIndexAt(const RtString& text, int32_t x) const {
    const int32_t length = textLength(text);
    for (int32_t i = 0; i < length; ++i) {
        if (getWidth(mid(text, 0, i)) > x) {
            return i;
        }
    }
    return length;
}

}  // namespace lmt
