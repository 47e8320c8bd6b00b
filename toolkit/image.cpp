// toolkit: the class-wide image loader; loading itself is the backend's.
#include "toolkit/image.h"

#include "toolkit/exception.h"
#include "toolkit/imageloader.h"

namespace lmt {

namespace {

ImageLoader*& currentLoader() {
    static ImageLoader* loader = nullptr;
    return loader;
}

}  // namespace

void Image::setImageLoader(ImageLoader* loader) {
    currentLoader() = loader;
}

ImageLoader* Image::getImageLoader() {
    return currentLoader();
}

Image* Image::load(const RtString& fileName, bool convertToDisplayFormat) {
    if (currentLoader() == nullptr) {
        throwException("Trying to load an image but no image loader is set.", "image", __LINE__);
    }
    return currentLoader()->load(fileName, convertToDisplayFormat);
}

}  // namespace lmt
