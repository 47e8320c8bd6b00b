// Test doubles: fake image and loader.
#include "fake_image.h"

#include "text.h"

namespace lmt::test {

Image* FakeImageLoader::load(const RtString& fileName, bool convertToDisplayFormat) {
    loaded.push_back(text(fileName));
    auto* image = new FakeImage(imageWidth, imageHeight, int32_t(loaded.size()));
    if (convertToDisplayFormat) {
        image->convertToDisplayFormat();
    }
    return image;
}

}  // namespace lmt::test
