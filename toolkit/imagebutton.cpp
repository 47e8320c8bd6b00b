// toolkit: the image button; a button whose face is a picture.
#include "toolkit/imagebutton.h"

#include "toolkit/debugoutput.h"
#include "toolkit/graphics.h"
#include "toolkit/image.h"

namespace lmt {

ImageButton::ImageButton() {
    setSize(0, 0);
}

ImageButton::ImageButton(const RtString& fileName) : image(Image::load(fileName, true)), ownsImage(true) {
    if (image == nullptr) {
        debugPrint("Null\n");
    }
    sizeToImage();
}

ImageButton::ImageButton(Image* newImage) : image(newImage) {
    sizeToImage();
}

ImageButton::~ImageButton() {
    if (ownsImage) {
        delete image;
    }
}

// Without a picture the button acts as a 0 x 0 picture would.
void ImageButton::sizeToImage() {
    const int iw = image != nullptr ? image->getWidth() : 0;
    const int ih = image != nullptr ? image->getHeight() : 0;
    setSize(iw + iw / 2, ih + ih / 2);
}

void ImageButton::setImage(Image* newImage) {
    if (ownsImage) {
        delete image;
    }
    ownsImage = false;
    image = newImage;
}

void ImageButton::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const bool pressed = isPressed();
    drawFace(graphics, pressed);

    const int iw = image != nullptr ? image->getWidth() : 0;
    const int ih = image != nullptr ? image->getHeight() : 0;
    const int x = (width - iw) / 2;
    const int y = (height - ih) / 2;
    if (pressed) {
        if (image != nullptr) {
            graphics->drawImage(image, x + 1, y + 1, iw, ih);
        }
        return;
    }
    if (image != nullptr) {
        graphics->drawImage(image, x, y, iw, ih);
    }
    if (isFocused()) {
        graphics->drawRectangle(Rectangle(2, 2, width - 4, height - 4));
    }
}

}  // namespace lmt
