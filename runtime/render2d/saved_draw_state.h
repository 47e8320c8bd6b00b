// render2d: the program's whole drawing state, kept while the runtime draws
// over the window on its own (a movie) and put back afterwards.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields

class OpenGLRainbows;

// Saves the render object's view, render target and 2D settings, every GL
// attribute and both matrices; the destructor puts them back as they were.
class SavedDrawState {
public:
    explicit SavedDrawState(OpenGLRainbows& renderer);
    ~SavedDrawState();
    SavedDrawState(const SavedDrawState&) = delete;
    SavedDrawState& operator=(const SavedDrawState&) = delete;

private:
    // What the renderer keeps of the state above: its copy of the view and
    // of the textures bound, which the restored GL state matches again.
    struct RendererFields {
        explicit RendererFields(const OpenGLRainbows& r);
        void restore(OpenGLRainbows& r) const;
        std::array<int32_t, 4> viewport;
        int32_t currentTarget;
        int32_t boundSprite;
        int32_t boundSecondSprite;
        uint32_t boundUsesMipTexture;
        float globalAlpha;
        uint8_t smoothing;
    };

    OpenGLRainbows& renderer;
    RendererFields kept;
    std::array<double, 16> projection{};
    std::array<double, 16> modelView{};
};
