// Archive lookups over a directory of 1,000 entries appended to a program file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "runtime/files/resource_archive.h"
#include "tests/files/archive_writer.h"

namespace {

const std::string& archivePath() {
    static const std::string path = [] {
        std::vector<ArchiveEntry> entries(1000);
        for (size_t i = 0; i < entries.size(); ++i) {
            entries[i].name = "resource_" + std::to_string(i) + ".png";
            entries[i].contents.assign(4096, static_cast<uint8_t>(i));
        }
        const std::string file =
            (std::filesystem::temp_directory_path() / ("krv_archive_bench_" + std::to_string(getpid()))).string();
        return programWithArchive(file, entries);
    }();
    return path;
}

void lookup(benchmark::State& state, const char* name) {
    ResourceArchive archive;
    archive.reset(archivePath().c_str());
    std::string out;
    for (auto _ : state) {
        int found = archiveFetch(&archive, name, out, 1);
        benchmark::DoNotOptimize(found);
    }
}

void BM_ArchiveLookupFirstOf1000(benchmark::State& state) { lookup(state, "resource_0.png"); }
void BM_ArchiveLookupLastOf1000(benchmark::State& state) { lookup(state, "RESOURCE_999.PNG"); }
BENCHMARK(BM_ArchiveLookupFirstOf1000);
BENCHMARK(BM_ArchiveLookupLastOf1000);

struct RemoveArchive {
    ~RemoveArchive() {
        std::error_code ignored;
        std::filesystem::remove(archivePath(), ignored);
    }
} removeArchive;

}  // namespace
