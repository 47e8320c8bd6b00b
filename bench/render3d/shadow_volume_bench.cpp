// Frames per second of a scene of ten shadow-casting objects of 1000
// triangles each over a floor, with stencil shadows from one light and
// without them; the same with one mesh drawn at the ten places, and with a
// light that moves every frame so that no volume can be kept. Every frame
// waits for the GPU to finish.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>

#include "bench/render2d/bench_window.h"
#include "runtime/platform/window.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr int kObjects = 10;
constexpr int kRings = 20;
constexpr int kSegments = 25;  // 20 x 25 quads: 1000 triangles
constexpr int kFloor = kObjects;
constexpr float kPi = 3.14159265f;

MeshVertex corner(float x, float y, float z) {
    MeshVertex v;
    v.x = x;
    v.y = y;
    v.z = z;
    v.setKeyAndColour(0xFFFFFF);
    return v;
}

// Slot n: one mesh whose frame 0 lists the given corners as triangles.
template <class Corners>
void fillSlot(Rainbows3D& engine, int n, Corners addCorners) {
    ObjectSlot& s = *engine.slot(n);
    s.clear();
    s.meshes.reserve(1);
    s.meshes.count = 1;
    MeshObjectX& mesh = s.meshes.data[0];
    mesh.frames.append(MeshFrame{});
    mesh.groupKeys.append(0xFFFFFF);
    addCorners(mesh.frames.data[0].vertices);
    mesh.build();
    mesh.computeBoundingSpheres();
    s.used = 1;
}

// A sphere of radius 1, its faces wound clockwise from outside (the
// engine's front faces, lit faces and normals).
void addSphere(BlockVector<MeshVertex>& out) {
    auto at = [](int ring, int segment) {
        const float theta = kPi * static_cast<float>(ring) / kRings;
        const float phi = 2 * kPi * static_cast<float>(segment) / kSegments;
        return corner(std::sin(theta) * std::cos(phi), std::cos(theta), -std::sin(theta) * std::sin(phi));
    };
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            const MeshVertex a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            for (const MeshVertex& v : {a, c, b, a, d, c}) out.append(v);
        }
    }
}

void addFloor(BlockVector<MeshVertex>& out) {
    const MeshVertex a = corner(-40, 0, -40), b = corner(-40, 0, 40), c = corner(40, 0, 40), d = corner(40, 0, -40);
    for (const MeshVertex& v : {a, b, c, a, c, d}) out.append(v);
}

Rainbows3D* scene(benchmark::State& state) {
    OpenGLRainbows* r = benchRenderer();
    if (r == nullptr) {
        state.SkipWithError("no display");
        return nullptr;
    }
    platform::video().makeCurrent(r->windowHandle);
    static Rainbows3D engine(r);
    static bool built = false;
    if (!built) {
        for (int n = 0; n < kObjects; ++n) fillSlot(engine, n, addSphere);
        fillSlot(engine, kFloor, addFloor);
        built = true;
    }
    return &engine;
}

struct Frame {
    bool shadows = false;
    bool oneMesh = false;     // slot 0 at every place
    float lightShift = 0.0f;  // the shadow light's x offset this frame
};

void drawObjects(Rainbows3D& engine, const Frame& f) {
    for (int n = 0; n < kObjects; ++n) {
        engine.setMovementPosition(static_cast<float>(n % 5) * 6 - 12, 4, static_cast<float>(n / 5) * 6 - 3);
        engine.setMovementScale(2, 2, 2);
        engine.drawObject(f.oneMesh ? 0 : n, 0, 0, 0, 0);
    }
}

void drawFrame(Rainbows3D& engine, const Frame& f) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    engine.setProjection(1.0f, 500.0f, 60.0f);
    engine.setCullMode(1);
    engine.setCamera(0, 30, 40, 0, 0, 0);
    engine.setLight(0, 0xFFFFFF, 0, 0, 0, -1, -2, -1, 180, 0);
    engine.drawObject(kFloor, 0, 0, 0, 0);
    drawObjects(engine, f);
    if (f.shadows) {
        engine.setLight(-3, 0xFFFFFF, -20 + f.lightShift, 60, 10, 0, 0, 0, 1, 0);
        drawObjects(engine, f);
        engine.setShadowPass(0);
    }
    glFinish();
}

void sceneFrames(benchmark::State& state, Frame f, bool movingLight = false) {
    Rainbows3D* engine = scene(state);
    if (engine == nullptr) return;
    for (auto _ : state) {
        if (movingLight) f.lightShift = f.lightShift > 1.0f ? 0.0f : f.lightShift + 0.01f;
        drawFrame(*engine, f);
    }
    state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_TenObjectsWithoutShadows(benchmark::State& state) { sceneFrames(state, {}); }
void BM_TenObjectsWithStencilShadows(benchmark::State& state) { sceneFrames(state, {.shadows = true}); }
void BM_OneMeshAtTenPlacesWithStencilShadows(benchmark::State& state) {
    sceneFrames(state, {.shadows = true, .oneMesh = true});
}
void BM_TenObjectsWithAMovingShadowLight(benchmark::State& state) { sceneFrames(state, {.shadows = true}, true); }

BENCHMARK(BM_TenObjectsWithoutShadows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TenObjectsWithStencilShadows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneMeshAtTenPlacesWithStencilShadows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TenObjectsWithAMovingShadowLight)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
