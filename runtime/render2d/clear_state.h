// render2d: the GL state a glClear of the window depends on besides the
// buffers named, read back and put in force again, so that a clear issued
// later clears exactly as it would have where it was asked for.
#pragma once

#include <array>    // Required for: the fixed fields
#include <cstdint>  // Required for: fixed-width fields

struct ClearState {
    std::array<float, 4> colour{};
    double depth = 1.0;
    std::array<uint8_t, 4> colourMask{1, 1, 1, 1};
    uint8_t depthMask = 1;
    uint8_t scissorTest = 0;
    std::array<int32_t, 4> scissorBox{};
    uint8_t dither = 1;
    int32_t framebuffer = 0;  // the bound framebuffer object; 0 the window
};

ClearState currentClearState();
// Sets what differs between the two, from `from` (in force) to `to`.
void changeClearState(const ClearState& from, const ClearState& to);
