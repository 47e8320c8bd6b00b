// Model files, normals and collision queries on large objects: loading a
// 100,000-vertex, 10-frame record file against reading its bytes raw (both
// into fresh memory, as a load into an emptied slot gets);
// normals with welding on 10k and 100k triangles; ray and sphere queries
// against 100k triangles.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <malloc.h>  // Required for: mallopt (glibc), to keep freed pages for the warm load
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "runtime/files/file_stream.h"
#include "runtime/render3d/collision_queries.h"
#include "runtime/render3d/ddd_file.h"

namespace {

// A square grid of side cells listed as triangles (two per cell), so that
// inner positions repeat six times and welding has work to do.
void addGridFrame(MeshObject& object, int side, float lift) {
    object.frames.append(MeshFrame());
    MeshFrame& frame = object.frames[object.frames.count - 1];
    frame.vertices.reserve(side * side * 6);
    auto corner = [&](int i, int j) {
        MeshVertex v;
        v.x = static_cast<float>(i);
        v.z = static_cast<float>(j);
        v.y = std::sin(static_cast<float>(i) * 0.1f) * std::cos(static_cast<float>(j) * 0.1f) + lift;
        v.u = static_cast<float>(i) / static_cast<float>(side);
        v.v = static_cast<float>(j) / static_cast<float>(side);
        v.setKeyAndColour(static_cast<uint32_t>((i / 16 + j / 16) % 8) * 0x102030u);
        frame.vertices.append(v);
    };
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            corner(i, j);
            corner(i + 1, j);
            corner(i, j + 1);
            corner(i + 1, j);
            corner(i + 1, j + 1);
            corner(i, j + 1);
        }
    }
}

MeshObject gridObject(int side, int frames) {
    MeshObject object;
    for (int f = 0; f < frames; ++f) addGridFrame(object, side, static_cast<float>(f) * 0.01f);
    object.buildGroupTable();
    return object;
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))).string();
}

// 129 x 129 cells x 6 = 99,846 vertices per frame, 10 frames.
const std::string& modelFile() {
    static const std::string path = [] {
        MeshObject object = gridObject(129, 10);
        object.buildNormals(true, true, false);
        const std::string file = tempPath("krv_bench_model.ddd");
        saveDdd(object, file.c_str());
        return file;
    }();
    return path;
}

void BM_LoadRecordFile100kVertices10Frames(benchmark::State& state) {
    const std::string& path = modelFile();
    for (auto _ : state) {
        MeshObject object;
        loadDdd(object, path.c_str());
        benchmark::DoNotOptimize(object.frames.data);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadRecordFile100kVertices10Frames)->Unit(benchmark::kMillisecond);


void BM_RawReadOfTheSameFile(benchmark::State& state) {
    const std::string& path = modelFile();
    for (auto _ : state) {
        std::vector<uint8_t> bytes;
        FileStream in;
        in.openRead(path.c_str());
        bytes.resize(static_cast<size_t>(in.size()));
        in.read(bytes.data(), in.size());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_RawReadOfTheSameFile)->Unit(benchmark::kMillisecond);

// The load again once the allocator keeps freed memory in the process (no
// trimming, no separate mappings for large blocks), so that the figure shows
// the loader's own work rather than the kernel's first touch of 88 MB of
// fresh pages. The setting holds for the benchmarks that follow.
void BM_LoadRecordFileIntoKeptPages(benchmark::State& state) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const std::string& path = modelFile();
    { MeshObject warmUp; loadDdd(warmUp, path.c_str()); }
    for (auto _ : state) {
        MeshObject object;
        loadDdd(object, path.c_str());
        benchmark::DoNotOptimize(object.frames.data);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadRecordFileIntoKeptPages)->Unit(benchmark::kMillisecond);

void BM_RawReadIntoKeptPages(benchmark::State& state) { BM_RawReadOfTheSameFile(state); }
BENCHMARK(BM_RawReadIntoKeptPages)->Unit(benchmark::kMillisecond);

// Argument: grid side; 2 * side^2 triangles (71 -> 10,082; 224 -> 100,352).
void BM_NormalsWeldedByPosition(benchmark::State& state) {
    MeshObject object = gridObject(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        object.normalsValid = 0;
        object.buildNormals(true, true, false);
    }
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0) * state.range(0));
    state.SetLabel("triangles");
}
BENCHMARK(BM_NormalsWeldedByPosition)->Arg(71)->Arg(224)->Unit(benchmark::kMillisecond);

void BM_NormalsAndTangentsWeldedByPosition(benchmark::State& state) {
    MeshObject object = gridObject(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        object.normalsValid = 0;
        object.tangentsValid = 0;
        object.buildNormals(true, true, true);
    }
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0) * state.range(0));
    state.SetLabel("triangles");
}
BENCHMARK(BM_NormalsAndTangentsWeldedByPosition)->Arg(71)->Arg(224)->Unit(benchmark::kMillisecond);

// The grid's vertex list used as its triangle list, bounding sphere set.
MeshObject queryObject() {
    MeshObject object = gridObject(224, 1);
    MeshFrame& frame = object.frames[0];
    frame.triangles.copyFrom(frame.vertices);
    frame.boundCentre[0] = frame.boundCentre[2] = 112;
    frame.boundRadius = 160;
    return object;
}

void BM_RayQuery100kTriangles(benchmark::State& state) {
    const MeshObject object = queryObject();
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> spot(0, 224);
    for (auto _ : state) {
        benchmark::DoNotOptimize(rayDistanceToMesh(object, 0, kIdentity4, {spot(rng), 10, spot(rng)}, {0, -1, 0}));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("queries");
}
BENCHMARK(BM_RayQuery100kTriangles)->Unit(benchmark::kMillisecond);

void BM_SphereQueryMissing100kTriangles(benchmark::State& state) {
    const MeshObject object = queryObject();
    std::mt19937 rng(2);
    std::uniform_real_distribution<float> spot(0, 224);
    for (auto _ : state) {
        // Above the surface, inside the bounding sphere: every triangle is tested.
        benchmark::DoNotOptimize(sphereHitsMesh(object, 0, kIdentity4, 0.5f, {spot(rng), 3, spot(rng)}));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("queries");
}
BENCHMARK(BM_SphereQueryMissing100kTriangles)->Unit(benchmark::kMillisecond);

}  // namespace
