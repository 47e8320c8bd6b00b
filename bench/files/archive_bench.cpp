// Archive fetches from a directory of 100,000 small entries appended to a
// program file: a fetch once the directory is indexed, and the first fetch,
// which reads the directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "runtime/files/resource_archive.h"
#include "tests/files/archive_writer.h"

namespace {

constexpr size_t kEntries = 100000;

const std::string& archivePath() {
    static const std::string path = [] {
        std::vector<ArchiveEntry> entries(kEntries);
        for (size_t i = 0; i < entries.size(); ++i) {
            entries[i].name = "resource_" + std::to_string(i) + ".png";
            entries[i].contents.assign(256, static_cast<uint8_t>(i));
        }
        const std::string file =
            (std::filesystem::temp_directory_path() / ("krv_archive_bench_" + std::to_string(getpid()))).string();
        return programWithArchive(file, entries);
    }();
    return path;
}

void fetch(benchmark::State& state, const char* name) {
    ResourceArchive archive;
    archive.reset(archivePath().c_str());
    std::string out;
    archiveFetch(&archive, name, out, 1);
    for (auto _ : state) {
        int found = archiveFetch(&archive, name, out, 1);
        benchmark::DoNotOptimize(found);
    }
}

void BM_FetchFirstOf100000(benchmark::State& state) { fetch(state, "resource_0.png"); }
void BM_FetchLastOf100000(benchmark::State& state) { fetch(state, "RESOURCE_99999.PNG"); }
void BM_FetchMissingOf100000(benchmark::State& state) { fetch(state, "gfx/no_such_resource.png"); }

// The first fetch after start-up reads and indexes the whole directory.
void BM_FirstFetchOf100000(benchmark::State& state) {
    ResourceArchive archive;
    std::string out;
    for (auto _ : state) {
        archive.reset(archivePath().c_str());
        int found = archiveFetch(&archive, "RESOURCE_99999.PNG", out, 1);
        benchmark::DoNotOptimize(found);
    }
}

BENCHMARK(BM_FetchFirstOf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchLastOf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchMissingOf100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstFetchOf100000)->Unit(benchmark::kMillisecond);

struct RemoveArchive {
    ~RemoveArchive() {
        std::error_code ignored;
        std::filesystem::remove(archivePath(), ignored);
    }
} removeArchive;

}  // namespace
