#include "toolkit/backend/korvaneimageloader.h"

#include <new>

#include "runtime/system/debug_output.h"
#include "toolkit/backend/korvaneimage.h"
#include "toolkit/backend/runtimecommands.h"
#include "toolkit/exception.h"

namespace lmt {

Image* KorvaneImageLoader::load(const RtString& fileName, bool) {
    RuntimeCommands& runtime = runtimeCommands();
    if (!runtime.fileExists(fileName)) {
        throw Exception(RtString("File not found"), RtString("?"), RtString("korvaneimageloader"), 41);
    }
    const int32_t sprite = runtime.firstFreeSprite();
    if (sprite < 0) {
        ::debugPrint(RtString("Unable to get a sprite number\n"));
        throw Exception(RtString("Unable get a sprite number"), RtString("?"), RtString("korvaneimageloader"), 19);
    }
    runtime.loadSprite(fileName, sprite);
    int32_t width = 0;
    int32_t height = 0;
    runtime.getSpriteSize(sprite, width, height);
    Image* image = new (std::nothrow) KorvaneImage(sprite, width, height);
    if (image == nullptr) {
        ::debugPrint(RtString("Unable to allocate memory\n"));
        throw Exception(RtString("Unable get to allocate memory"), RtString("?"), RtString("korvaneimageloader"), 31);
    }
    ::debugPrint(RtString("Image has been loaded!\n"));
    return image;
}

}  // namespace lmt
