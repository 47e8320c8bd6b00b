// Triangles per second of the engine's object drawing: a static object
// through its vertex buffer and through plain client arrays, an animated
// object blended between two frames, 500 small objects, a static object's
// whole presented frame, and beside them a minimal vertex-buffer draw of the
// same triangles. Every iteration waits for the GPU to finish.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <GL/glext.h>

#include <cmath>

#include "bench/render2d/bench_window.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr int kGrid = 100;  // kGrid x kGrid quads: 20000 triangles
constexpr int kTriangles = kGrid * kGrid * 2;

// A wavy grid of white triangles, small on screen so that the vertex work
// and not the fill decides; frame 1 is the grid moved in z.
void buildGrid(Rainbows3D& engine, int n) {
    engine.normalMode = 0;
    engine.builderBeginObject(n, 0);
    auto add = [&](int i, int j) {
        const float x = static_cast<float>(i) / kGrid - 0.5f, y = static_cast<float>(j) / kGrid - 0.5f;
        engine.builderAddVertex(x, y, 0.05f * std::sin(10.0f * x) * std::cos(10.0f * y), x, y, 0xFFFFFF);
    };
    for (int i = 0; i < kGrid; ++i) {
        for (int j = 0; j < kGrid; ++j) {
            add(i, j), add(i + 1, j), add(i + 1, j + 1);
            add(i, j), add(i + 1, j + 1), add(i, j + 1);
        }
    }
    engine.builderEndObject();
    MeshObjectX& m = engine.objects.data[n].meshes.data[0];
    MeshFrame moved = m.frames.data[0];
    for (int32_t k = 0; k < moved.vertices.count; ++k) moved.vertices.data[k].z += 0.2f;
    m.frames.append(moved);
    m.build();
    m.computeBoundingSpheres();
}

struct Scene {
    OpenGLRainbows* renderer = nullptr;
    Rainbows3D* engine = nullptr;
};

Scene scene(benchmark::State& state, bool vertexBuffers) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return {};
    }
    platform::video().makeCurrent(r->windowHandle);
    setGlFeatureEnabled(GlFeature::VertexBuffers, vertexBuffers);
    loadGlExtensions();
    static Rainbows3D engine(r);
    static bool built = false;
    if (!built) buildGrid(engine, 1);
    built = true;
    r->setViewport(0, 0, 0, 0);
    engine.setProjection(0.1f, 100.0f, 60.0f);
    engine.setCamera(0, 0, 8, 0, 0, 0);
    return {r, &engine};
}

void report(benchmark::State& state) {
    state.counters["triangles_per_s"] =
        benchmark::Counter(static_cast<double>(kTriangles) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void drawObject(benchmark::State& state, bool vertexBuffers, bool animated) {
    Scene s = scene(state, vertexBuffers);
    if (s.engine == nullptr) return;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (animated) {
            s.engine->drawObject(1, 0, 1, 0.5f, 1);
        } else {
            s.engine->drawObject(1, 0, 0, 0.0f, 0);
        }
        glFinish();
    }
    report(state);
    setGlFeatureEnabled(GlFeature::VertexBuffers, true);
    loadGlExtensions();
}

void BM_StaticObjectVertexBuffer(benchmark::State& state) { drawObject(state, true, false); }
void BM_StaticObjectClientArrays(benchmark::State& state) { drawObject(state, false, false); }
void BM_AnimatedObject(benchmark::State& state) { drawObject(state, true, true); }

// An object's triangles in one vertex buffer, bound as the vertex array while
// this lives: the draw with nothing of the runtime around it.
class BufferedTriangles {
public:
    explicit BufferedTriangles(const BlockVector<MeshVertex>& t) : count_(t.count) {
        const GlExtensions& ext = glExtensions();
        ext.glGenBuffersARB(1, &buffer_);
        ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer_);
        ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(t.count) * sizeof(MeshVertex), t.data,
                            GL_STATIC_DRAW_ARB);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), nullptr);
    }
    ~BufferedTriangles() {
        glDisableClientState(GL_VERTEX_ARRAY);
        glExtensions().glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        glExtensions().glDeleteBuffersARB(1, &buffer_);
    }
    BufferedTriangles(const BufferedTriangles&) = delete;
    BufferedTriangles& operator=(const BufferedTriangles&) = delete;

    void clearAndDraw() const {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDrawArrays(GL_TRIANGLES, 0, count_);
    }

private:
    int32_t count_;
    GLuint buffer_ = 0;
};

// The same triangles from one vertex buffer with nothing around the draw.
void BM_MinimalVertexBufferDraw(benchmark::State& state) {
    Scene s = scene(state, true);
    if (s.engine == nullptr) return;
    BufferedTriangles triangles(s.engine->objects.data[1].meshes.data[0].frames.data[0].triangles);
    for (auto _ : state) {
        triangles.clearAndDraw();
        glFinish();
    }
    report(state);
}

// A frame as a program shows it: the view set up, the object drawn, the
// runtime's present (with the clear it leaves to the next frame) and the
// wait for the GPU; beside it the minimal draw between a clear and a swap.
void BM_StaticObjectPresentedFrame(benchmark::State& state) {
    Scene s = scene(state, true);
    if (s.engine == nullptr) return;
    s.renderer->setFrameRate(1000000);  // the limiter never waits
    for (auto _ : state) {
        s.engine->setProjection(0.1f, 100.0f, 60.0f);
        s.engine->setCamera(0, 0, 8, 0, 0, 0);
        s.engine->drawObject(1, 0, 0, 0.0f, 0);
        s.renderer->showScreen(nullptr);
        glFinish();
    }
    s.renderer->setFrameRate(60);
    report(state);
}

void BM_MinimalVertexBufferPresentedFrame(benchmark::State& state) {
    Scene s = scene(state, true);
    if (s.engine == nullptr) return;
    BufferedTriangles triangles(s.engine->objects.data[1].meshes.data[0].frames.data[0].triangles);
    for (auto _ : state) {
        triangles.clearAndDraw();
        presentFrame(*s.renderer);
    }
    report(state);
}

// 100 objects of 200 triangles each (the grid's first 10 x 10 quads), five
// times over: 500 draws of small objects, each at its own place.
void BM_FiveHundredSmallObjects(benchmark::State& state) {
    Scene s = scene(state, true);
    if (s.engine == nullptr) return;
    constexpr int kSmall = 100, kFirstSmall = 10;
    static bool built = false;
    if (!built) {
        const MeshObjectX& grid = s.engine->objects.data[1].meshes.data[0];
        for (int n = 0; n < kSmall; ++n) {
            s.engine->builderBeginObject(kFirstSmall + n, 0);
            for (int32_t k = 0; k < 600; ++k) {
                const MeshVertex& v = grid.frames.data[0].triangles.data[k];
                s.engine->builderAddVertex(v.x, v.y, v.z, v.u, -v.v, 0xFFFFFF);
            }
            s.engine->builderEndObject();
        }
        built = true;
    }
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int k = 0; k < 5 * kSmall; ++k) {
            s.engine->setMovementPosition(static_cast<float>(k % 25) * 0.2f - 2.5f, static_cast<float>(k / 25) * 0.2f - 2.0f, 0);
            s.engine->drawObject(kFirstSmall + k % kSmall, 0, 0, 0.0f, 0);
        }
        glFinish();
    }
    s.engine->setMovementPosition(0, 0, 0);
    state.counters["triangles_per_s"] =
        benchmark::Counter(200.0 * 5 * kSmall * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_MinimalVertexBufferDraw)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_StaticObjectVertexBuffer)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_StaticObjectClientArrays)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_AnimatedObject)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_FiveHundredSmallObjects)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_MinimalVertexBufferPresentedFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_StaticObjectPresentedFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
