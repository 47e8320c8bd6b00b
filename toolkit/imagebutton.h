// toolkit: a push button that shows a picture instead of a caption.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/button.h"

namespace lmt {

class Image;

class ImageButton : public Button {
public:
    ImageButton();
    // Loads the picture and owns it; the button is one and a half times its size.
    explicit ImageButton(const RtString& fileName);
    // Shows the caller's picture without owning it.
    explicit ImageButton(Image* image);
    ~ImageButton() override;

    // Deletes an owned picture; the new one is not owned and the size stays.
    void setImage(Image* newImage);
    Image* getImage() const { return image; }

    void draw(Graphics* graphics) override;

private:
    void sizeToImage();

    Image* image = nullptr;
    bool ownsImage = false;
};

}  // namespace lmt
