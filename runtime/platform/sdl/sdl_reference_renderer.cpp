// platform/sdl: SDL2's own 2D renderer behind reference_renderer.h, for the
// benchmarks that compare it with the runtime's drawing.
#include <SDL.h>  // Required for: SDL_Renderer

#include <vector>  // Required for: the textures

#include "runtime/platform/reference_renderer.h"

namespace platform {
namespace {

class SdlReferenceRenderer final : public ReferenceRenderer {
public:
    SdlReferenceRenderer(SDL_Window* window, SDL_Renderer* renderer) : window(window), renderer(renderer) {}
    ~SdlReferenceRenderer() override {
        for (SDL_Texture* t : textures) SDL_DestroyTexture(t);
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
    }

    uint32_t createTexture(const uint8_t* rgba, int w, int h) override {
        SDL_Texture* t = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, w, h);
        if (t == nullptr || SDL_UpdateTexture(t, nullptr, rgba, w * 4) != 0) return 0;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_NONE);
        textures.push_back(t);
        return static_cast<uint32_t>(textures.size());
    }
    void clear() override {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    void draw(uint32_t texture, int x, int y, int w, int h) override {
        if (texture == 0 || texture > textures.size()) return;
        const SDL_Rect dst{x, y, w, h};
        SDL_RenderCopy(renderer, textures[texture - 1], nullptr, &dst);
    }
    void finish() override {
        SDL_RenderPresent(renderer);
        if (finishGl != nullptr) finishGl();
    }

private:
    SDL_Window* window;
    SDL_Renderer* renderer;
    std::vector<SDL_Texture*> textures;
    // Present alone returns before the drawing is done; glFinish waits for it.
    void (*finishGl)() = reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFinish"));
};

}  // namespace

std::unique_ptr<ReferenceRenderer> makeReferenceRenderer(int width, int height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_Window* window = SDL_CreateWindow("reference", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                          height, SDL_WINDOW_SHOWN);
    if (window == nullptr) return nullptr;
    // The OpenGL driver, batching its draws, nearest sampling: the settings the
    // runtime's own drawing is measured against.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    return std::make_unique<SdlReferenceRenderer>(window, renderer);
}

}  // namespace platform
