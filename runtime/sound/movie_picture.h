// sound: a movie's picture as a GL texture, drawn over the current frame.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <vector>   // Required for: std::vector

#include "runtime/sound/media_backend.h"

class MoviePicture {
public:
    MoviePicture() = default;
    ~MoviePicture();
    MoviePicture(const MoviePicture&) = delete;
    MoviePicture& operator=(const MoviePicture&) = delete;

    // Uploads the w x h RGBA picture and draws it stretched over `rect` in
    // the 2D view (top-left origin); GL state it changes is put back.
    void draw(const std::vector<uint8_t>& rgba, int32_t w, int32_t h, const MovieRect& rect);

private:
    uint32_t texture = 0;
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
};
