// render2d: an off-screen render target: a framebuffer object drawing into a
// sprite's texture, or (width 0) a target emulated through the back buffer.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

inline constexpr int32_t kRenderTargetCount = 32;

struct RenderTarget {
    uint32_t fbo = 0;                // framebuffer object; 0 none
    uint32_t depthRenderbuffer = 0;  // GL_DEPTH_COMPONENT24; 0 none
    int32_t savedBinding = 0;        // framebuffer bound when the target was entered
    int32_t width = 0;               // 0 = no framebuffer object (emulated or empty)
    int32_t height = 0;
    int32_t sprite = 0;  // sprite that receives the image
    bool created = false;  // set by createRenderTarget: only created targets can be selected

    RenderTarget() = default;
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;
    ~RenderTarget() { release(); }

    // A complete framebuffer of w x h (with a depth buffer when asked);
    // false leaves the record zero, and the target is then emulated.
    bool create(int32_t w, int32_t h, bool withDepth);
    // Binds the framebuffer with `texture` as colour attachment 0.
    bool begin(uint32_t texture);
    // Binds the framebuffer that was bound before begin.
    bool end();
    // Deletes the framebuffer and depth buffer; all fields 0.
    void release();
    // Object type of colour attachment 0 of the bound framebuffer; 0 unknown.
    int32_t attachmentType() const;
};
