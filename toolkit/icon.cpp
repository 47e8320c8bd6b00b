// toolkit: the icon; loads pictures through lmt::Image's loader.
#include "toolkit/icon.h"

#include "toolkit/graphics.h"
#include "toolkit/image.h"

namespace lmt {

Icon::Icon(const RtString& fileName) : image(Image::load(fileName, true)), internalImage(true) {
    if (image != nullptr) {
        setSize(image->getWidth(), image->getHeight());
    }
}

Icon::Icon(Image* newImage) : image(newImage) {
    if (image != nullptr) {
        setSize(image->getWidth(), image->getHeight());
    }
}

Icon::~Icon() {
    if (internalImage) {
        delete image;
    }
}

void Icon::setImage(Image* newImage) {
    if (internalImage) {
        delete image;
    }
    image = newImage;
    internalImage = false;
    if (image != nullptr) {
        setSize(image->getWidth(), image->getHeight());
    }
}

void Icon::draw(Graphics* graphics) {
    if (image == nullptr) {
        return;
    }
    const int iw = image->getWidth();
    const int ih = image->getHeight();
    graphics->drawImage(image, (getWidth() - iw) / 2, (getHeight() - ih) / 2, iw, ih);
}

}  // namespace lmt
