// toolkit: key classification; pure arithmetic.
#include "toolkit/key.h"

namespace lmt {

bool Key::isCharacter() const {
    return value == Tab || (value >= 32 && value <= 126) || (value >= 162 && value <= 255);
}

bool Key::isNumber() const {
    return value >= 48 && value <= 57;
}

bool Key::isLetter() const {
    return (value >= 65 && value <= 90) || (value >= 97 && value <= 122) ||
           (value >= 192 && value <= 255 && value != 215 && value != 247);
}

}  // namespace lmt
