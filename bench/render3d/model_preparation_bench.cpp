// Models of growing size, to show how the work grows: preparing a strip
// terrain of 50k/100k/200k records for drawing (beside loading the same
// model from its file), the shadow edge neighbours of 5k/20k/80k triangles,
// and an object-set index naming 100k models. Each figure is per item too
// (records, triangles, keys per second), so linear growth reads as a flat rate.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <malloc.h>  // Required for: mallopt (glibc), to keep freed pages
#include <optional>
#include <string>
#include <unistd.h>

#include "runtime/files/ini_file.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/object_set_loader.h"
#include "runtime/render3d/object_slot.h"

namespace {

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))).string();
}

// A terrain of two rows per strip, as a height-field exporter writes it:
// one strip marker, then records alternating between the rows.
MeshObjectX stripTerrain(int64_t records) {
    MeshObjectX mesh;
    mesh.frames.append(MeshFrame{});
    BlockVector<MeshVertex>& v = mesh.frames.data[0].vertices;
    v.setGrowth(1, 1);
    v.reserve(static_cast<int32_t>(records + 1));
    MeshVertex marker;
    marker.setKeyAndColour(kStripSeparator);
    v.append(marker);
    for (int64_t i = 0; i < records; ++i) {
        MeshVertex r;
        r.x = static_cast<float>(i / 2);
        r.z = static_cast<float>(i % 2);
        r.y = std::sin(static_cast<float>(i) * 0.01f);
        r.setKeyAndColour(0x336699);
        v.append(r);
    }
    mesh.buildGroupTable();
    return mesh;
}

void BM_PrepareStripTerrain(benchmark::State& state) {
    const MeshObjectX model = stripTerrain(state.range(0));
    std::optional<MeshObjectX> mesh;
    for (auto _ : state) {
        state.PauseTiming();
        mesh.reset();
        mesh.emplace(model);  // as loaded: nothing prepared yet
        state.ResumeTiming();
        mesh->build();
        mesh->computeBoundingSpheres();
        benchmark::DoNotOptimize(mesh->workCopy.data);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("records");
}
BENCHMARK(BM_PrepareStripTerrain)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// The same terrain read from its record file: what preparing is measured against.
void BM_LoadStripTerrainFile(benchmark::State& state) {
    const std::string path = tempPath("krv_strip_terrain.ddd");
    saveDdd(stripTerrain(state.range(0)), path.c_str());
    std::optional<MeshObject> object;
    for (auto _ : state) {
        state.PauseTiming();
        object.reset();
        object.emplace();
        state.ResumeTiming();
        loadDdd(*object, path.c_str());
        benchmark::DoNotOptimize(object->frames.data);
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("records");
}
BENCHMARK(BM_LoadStripTerrainFile)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// Both again once the allocator keeps freed memory in the process (no
// trimming, no separate mappings for large blocks): preparing writes six
// times the bytes that loading does (three records a triangle, twice), and
// fresh pages make the kernel's first touch of them most of the figure
// above. The setting holds for the benchmarks that follow.
void BM_PrepareStripTerrainIntoKeptPages(benchmark::State& state) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    BM_PrepareStripTerrain(state);
}
BENCHMARK(BM_PrepareStripTerrainIntoKeptPages)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_LoadStripTerrainFileIntoKeptPages(benchmark::State& state) { BM_LoadStripTerrainFile(state); }
BENCHMARK(BM_LoadStripTerrainFileIntoKeptPages)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A closed sphere of rings x segments quads listed as triangles, corners
// repeated as a loader gives them.
MeshObjectX sphere(int rings, int segments) {
    MeshObjectX mesh;
    mesh.frames.append(MeshFrame{});
    BlockVector<MeshVertex>& t = mesh.frames.data[0].triangles;
    t.setGrowth(1, 1);
    t.reserve(6 * rings * segments);
    auto at = [&](int ring, int segment) {
        const float theta = 3.14159265f * static_cast<float>(ring) / static_cast<float>(rings);
        const float phi = 6.2831853f * static_cast<float>(segment % segments) / static_cast<float>(segments);
        MeshVertex v;
        v.x = std::sin(theta) * std::cos(phi);
        v.y = std::cos(theta);
        v.z = -std::sin(theta) * std::sin(phi);
        return v;
    };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const MeshVertex a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            for (const MeshVertex& v : {a, b, c, a, c, d}) t.append(v);
        }
    }
    return mesh;
}

// Argument: triangles (2 x rings x segments, segments = 2 x rings).
void BM_ShadowEdgeNeighbours(benchmark::State& state) {
    const int rings = static_cast<int>(std::lround(std::sqrt(static_cast<double>(state.range(0)) / 4.0)));
    MeshObjectX mesh = sphere(rings, 2 * rings);
    for (auto _ : state) {
        mesh.edges.count = 0;  // built again from scratch
        mesh.buildEdgeNeighbours();
        benchmark::DoNotOptimize(mesh.edges.data);
    }
    state.SetItemsProcessed(state.iterations() * mesh.frames.data[0].triangles.count / 3);
    state.SetLabel("triangles");
}
BENCHMARK(BM_ShadowEdgeNeighbours)->Arg(5000)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

// An index of `models` models with both texture keys each: three keys a model.
std::string setIndex(int64_t models) {
    const std::string file = tempPath("krv_set_index_" + std::to_string(models) + ".ini");
    std::ofstream out(file, std::ios::binary);
    out << ";DDW\r\n[textures]\r\ncount=0\r\n[objects]\r\ncount=" << models << "\r\n";
    for (int64_t i = 1; i <= models; ++i) out << i << "=model" << i << ".ddd\r\n" << i << "ta=0\r\n" << i << "tb=0\r\n";
    return file;
}

// The index read as the set loader reads it: the INI table, then every name
// and texture number looked up.
void BM_ObjectSetIndex(benchmark::State& state) {
    const std::string path = setIndex(state.range(0));
    for (auto _ : state) {
        IniFile ini;
        ini.load(RtString(path.c_str()));
        const ObjectSetIndex index = readObjectSetIndex(ini, objectSetFolder(path.c_str()));
        benchmark::DoNotOptimize(index.objects.data());
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("models");
}
BENCHMARK(BM_ObjectSetIndex)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
