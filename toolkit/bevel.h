// toolkit: the shades that every widget's bevels are drawn in.
#pragma once

#include "toolkit/color.h"

namespace lmt {

// base + (amount, amount, amount), clamped, keeping the base colour's alpha.
inline Color lighter(const Color& base, int amount = 0x30) {
    Color result = base + Color(amount, amount, amount, 255);
    result.a = base.a;
    return result;
}

// base − (amount, amount, amount), clamped, keeping the base colour's alpha.
inline Color darker(const Color& base, int amount = 0x30) {
    Color result = base - Color(amount, amount, amount, 255);
    result.a = base.a;
    return result;
}

}  // namespace lmt
