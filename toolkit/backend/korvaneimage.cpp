#include "toolkit/backend/korvaneimage.h"

#include "toolkit/backend/runtimecommands.h"

namespace lmt {

void KorvaneImage::free() {
    if (sprite < 0) {
        return;
    }
    runtimeCommands().loadSprite(RtString(""), sprite);
    sprite = -1;
}

Color KorvaneImage::getPixel(int32_t, int32_t) { return Color(0, 0, 0, 0); }

}  // namespace lmt
