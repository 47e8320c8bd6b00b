// Loading a 10,000-line INI file and a 256-line cached text file from disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "runtime/files/ini_file.h"
#include "runtime/files/line_file_cache.h"

namespace {

std::string writeFile(const std::string& name, const std::string& contents) {
    const std::string path =
        (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))).string();
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

void BM_IniLoad10000Lines(benchmark::State& state) {
    std::string text;
    for (int section = 0; section < 100; ++section) {
        text += "[section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 99; ++key) text += "key" + std::to_string(key) + " = value " + std::to_string(key) + "\r\n";
    }
    const std::string path = writeFile("krv_bench.ini", text);
    const RtString name(path.c_str());
    IniFile ini;
    for (auto _ : state) {
        ini.load(name);
        benchmark::DoNotOptimize(ini.sections.count);
    }
    std::filesystem::remove(path);
}

void BM_LineCacheLoad256Lines(benchmark::State& state) {
    std::string text;
    for (int line = 0; line < 256; ++line) text += "line number " + std::to_string(line) + " of the cached file\r\n";
    const std::string a = writeFile("krv_bench_a.txt", text);
    const std::string b = writeFile("krv_bench_b.txt", text);
    LineFileCache& cache = lineFileCache();
    bool first = true;
    for (auto _ : state) {
        // Alternating names makes every call a fresh load.
        benchmark::DoNotOptimize(lineFileLoad(cache, (first ? a : b).c_str()));
        first = !first;
    }
    lineFileLoad(cache, nullptr);
    std::filesystem::remove(a);
    std::filesystem::remove(b);
}

BENCHMARK(BM_IniLoad10000Lines);
BENCHMARK(BM_LineCacheLoad256Lines);

}  // namespace
