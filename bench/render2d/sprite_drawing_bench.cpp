// Sprites of 32 x 32 and characters of text per 60 fps frame, the runtime's
// drawing beside SDL2's own 2D renderer drawing the same sprites.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_window.h"
#include "runtime/platform/reference_renderer.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/png_codec.h"

namespace {

std::vector<uint8_t> spritePixels(uint8_t tint) {
    std::vector<uint8_t> rgba(32 * 32 * 4);
    for (int i = 0; i < 32 * 32; ++i) {
        rgba[static_cast<size_t>(4 * i)] = static_cast<uint8_t>(i * 7 + tint);
        rgba[static_cast<size_t>(4 * i + 1)] = tint;
        rgba[static_cast<size_t>(4 * i + 2)] = static_cast<uint8_t>(i);
        rgba[static_cast<size_t>(4 * i + 3)] = (i % 5 == 0) ? 0 : 255;
    }
    return rgba;
}

void loadBenchSprite(OpenGLRainbows& r, int n, uint8_t tint) {
    std::vector<uint8_t> rgba = spritePixels(tint), bgra(rgba.size());
    for (size_t i = 0; i < rgba.size(); i += 4) {
        bgra[i] = rgba[i + 2];
        bgra[i + 1] = rgba[i + 1];
        bgra[i + 2] = rgba[i];
        bgra[i + 3] = rgba[i + 3];
    }
    const std::string path = "/tmp/krv_bench_sprite_" + std::to_string(n) + ".png";
    writeImageFile(path.c_str(), encodePngFromBgra(bgra.data(), 32, 32));
    r.loadSprite(n, path.c_str(), 0xFFFFFFFF, false);
}

void runtimeSprites(benchmark::State& state, bool alternate) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    platform::video().makeCurrent(r->windowHandle);
    loadBenchSprite(*r, 1, 10);
    loadBenchSprite(*r, 2, 200);
    r->setViewport(0, 0, 0, 0);
    // No blending, nearest sampling: the reference's settings.
    setAlphaMode(0.0);
    r->setSmoothing(0);
    auto draw = [&](int n) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (int i = 0; i < n; ++i) r->drawSprite(alternate ? 1 + (i & 1) : 1, (i * 37) % 608, (i * 91) % 448);
    };
    int most = 0;
    for (auto _ : state) most = mostPerFrame(draw, [&] { presentFrame(*r); });
    state.counters["sprites_at_60fps"] = most;
    r->setViewport(0, 0, 0, 0);
}

void referenceSprites(benchmark::State& state, bool alternate) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    std::unique_ptr<platform::ReferenceRenderer> ref = platform::makeReferenceRenderer(640, 480);
    if (!ref) {
        state.SkipWithError("no reference renderer");
        return;
    }
    const std::vector<uint8_t> a = spritePixels(10), b = spritePixels(200);
    const uint32_t ta = ref->createTexture(a.data(), 32, 32), tb = ref->createTexture(b.data(), 32, 32);
    auto draw = [&](int n) {
        ref->clear();
        for (int i = 0; i < n; ++i) ref->draw(alternate && (i & 1) ? tb : ta, (i * 37) % 608, (i * 91) % 448, 32, 32);
    };
    int most = 0;
    for (auto _ : state) most = mostPerFrame(draw, [&] { ref->finish(); });
    state.counters["sprites_at_60fps"] = most;
    if (OpenGLRainbows* r = benchRenderer()) platform::video().makeCurrent(r->windowHandle);
}

void BM_RuntimeSpritesOneTexture(benchmark::State& state) { runtimeSprites(state, false); }
void BM_RuntimeSpritesAlternatingTextures(benchmark::State& state) { runtimeSprites(state, true); }
void BM_SdlRendererSpritesOneTexture(benchmark::State& state) { referenceSprites(state, false); }
void BM_SdlRendererSpritesAlternatingTextures(benchmark::State& state) { referenceSprites(state, true); }

void BM_TextCharactersPerFrame(benchmark::State& state) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    platform::video().makeCurrent(r->windowHandle);
    r->installDefaultFont(0);
    r->setViewport(0, 0, 0, 0);
    const std::string line(80, 'W');
    auto draw = [&](int n) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (int left = n, row = 0; left > 0; left -= 80, ++row) {
            const std::string text = line.substr(0, static_cast<size_t>(std::min(left, 80)));
            r->printText(0, text.c_str(), 0.0f, static_cast<float>((row * 8) % 472), 0.0f);
        }
    };
    int most = 0;
    for (auto _ : state) most = mostPerFrame(draw, [&] { presentFrame(*r); });
    state.counters["chars_at_60fps"] = most;
}

BENCHMARK(BM_RuntimeSpritesOneTexture)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SdlRendererSpritesOneTexture)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RuntimeSpritesAlternatingTextures)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SdlRendererSpritesAlternatingTextures)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextCharactersPerFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
