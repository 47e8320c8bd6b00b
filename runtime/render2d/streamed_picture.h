// render2d: a picture that changes from frame to frame (a movie's), kept in
// one GL texture and drawn over the current frame.
#pragma once

#include <cstdint>  // Required for: fixed-width values
#include <vector>   // Required for: std::vector

class StreamedPicture {
public:
    StreamedPicture() = default;
    ~StreamedPicture();
    StreamedPicture(const StreamedPicture&) = delete;
    StreamedPicture& operator=(const StreamedPicture&) = delete;

    // Uploads the w x h RGBA picture and draws it stretched over the rectangle
    // (x, y, width, height) of the 2D view (top-left origin); GL state it
    // changes is put back.
    void draw(const std::vector<uint8_t>& rgba, int32_t w, int32_t h, int32_t x, int32_t y, int32_t width,
              int32_t height);

private:
    uint32_t texture = 0;
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
};
