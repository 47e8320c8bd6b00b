// loadSprite of a 1024 x 1024 PNG, split into its stages: decode, texture
// image with the transparent-edge fill, mip chain, and GL upload.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "bench_window.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/png_codec.h"
#include "runtime/render2d/texture_image.h"
#include "runtime/render2d/texture_upload.h"

namespace {

constexpr int kSide = 1024;

const std::vector<uint8_t>& pngFile() {
    static const std::vector<uint8_t> file = [] {
        std::vector<uint8_t> bgra(static_cast<size_t>(kSide) * kSide * 4);
        uint32_t seed = 12345;
        for (size_t i = 0; i < bgra.size(); i += 4) {
            seed = seed * 1103515245u + 12345u;
            const size_t p = i / 4;
            bgra[i] = static_cast<uint8_t>(p % kSide);
            bgra[i + 1] = static_cast<uint8_t>(p / kSide);
            bgra[i + 2] = static_cast<uint8_t>(seed >> 24);
            bgra[i + 3] = ((p / 64 + p / kSide / 64) % 3 == 0) ? 0 : 255;  // transparent blocks
        }
        return encodePngFromBgra(bgra.data(), kSide, kSide);
    }();
    return file;
}

PixelBuffer decoded() {
    PixelBuffer image;
    decodePng(pngFile(), "bench.png", 0xFFFFFFFF, image);
    return image;
}

void BM_LoadStageDecodePng(benchmark::State& state) {
    pngFile();  // made once, outside the timing
    for (auto _ : state) {
        PixelBuffer image;
        benchmark::DoNotOptimize(decodePng(pngFile(), "bench.png", 0xFFFFFFFF, image));
    }
}

void BM_LoadStageTextureImageFlipOnly(benchmark::State& state) {
    const PixelBuffer image = decoded();
    for (auto _ : state) {
        PixelBuffer texture;
        benchmark::DoNotOptimize(prepareTextureImage(image, 0, 0, 0, 0, false, true, kMaxImageSide, texture));
    }
}

void BM_LoadStageTextureImageWithEdgeFill(benchmark::State& state) {
    const PixelBuffer image = decoded();
    for (auto _ : state) {
        PixelBuffer texture;
        benchmark::DoNotOptimize(prepareTextureImage(image, 0, 0, 0, 0, false, false, kMaxImageSide, texture));
    }
}

void BM_LoadStageMipChain(benchmark::State& state) {
    const PixelBuffer image = decoded();
    PixelBuffer texture;
    prepareTextureImage(image, 0, 0, 0, 0, false, false, kMaxImageSide, texture);
    for (auto _ : state) {
        state.PauseTiming();
        PixelBuffer copy;
        copy.resize(texture.width, texture.height);
        std::copy(texture.pixels, texture.pixels + texture.byteCount(), copy.pixels);
        state.ResumeTiming();
        int levels = 0;
        forEachMipLevel(copy, [&](int, const PixelBuffer&) { ++levels; });
        benchmark::DoNotOptimize(levels);
    }
}

void BM_LoadStageUpload(benchmark::State& state) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    const PixelBuffer image = decoded();
    PixelBuffer texture;
    prepareTextureImage(image, 0, 0, 0, 0, false, false, kMaxImageSide, texture);
    std::vector<PixelBuffer> levels;
    {
        PixelBuffer copy;
        copy.resize(texture.width, texture.height);
        std::copy(texture.pixels, texture.pixels + texture.byteCount(), copy.pixels);
        forEachMipLevel(copy, [&](int, const PixelBuffer& b) {
            PixelBuffer level;
            level.resize(b.width, b.height);
            std::copy(b.pixels, b.pixels + b.byteCount(), level.pixels);
            levels.push_back(std::move(level));
        });
    }
    for (auto _ : state) {
        GLuint names[2] = {0, 0};
        glGenTextures(2, names);
        glBindTexture(GL_TEXTURE_2D, names[0]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.width, texture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texture.pixels);
        glBindTexture(GL_TEXTURE_2D, names[1]);
        for (size_t l = 0; l < levels.size(); ++l)
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(l), GL_RGBA8, levels[l].width, levels[l].height, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, levels[l].pixels);
        glFinish();
        glDeleteTextures(2, names);
    }
}

void BM_LoadSpriteWhole(benchmark::State& state) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    const std::string path = "/tmp/krv_bench_1024.png";
    writeImageFile(path.c_str(), pngFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(r->loadSprite(1, path.c_str(), 0xFFFFFFFF, false));
        glFinish();
    }
}

BENCHMARK(BM_LoadStageDecodePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStageTextureImageFlipOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStageTextureImageWithEdgeFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStageMipChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStageUpload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSpriteWhole)->Unit(benchmark::kMillisecond);

}  // namespace
