// toolkit: a picture centred in the widget; takes no input.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/widget.h"

namespace lmt {

class Image;

class Icon : public Widget {
public:
    Icon() = default;
    // Loads the picture and owns it.
    explicit Icon(const RtString& fileName);
    // Shows the caller's picture without owning it.
    explicit Icon(Image* image);
    ~Icon() override;

    // Deletes an owned picture, then shows the new one (not owned) at its size.
    void setImage(Image* newImage);
    Image* getImage() const { return image; }

    void draw(Graphics* graphics) override;

private:
    Image* image = nullptr;
    bool internalImage = false;
};

}  // namespace lmt
