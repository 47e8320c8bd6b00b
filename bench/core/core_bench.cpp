// Figures for the runtime core's hot paths: string appends, array pushes,
// number-array access, random draws and string sorting.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/core/random.h"
#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"

namespace {

// Appending short texts until the string holds 1 MB.
void stringAppendToOneMegabyte(benchmark::State& state) {
    for (auto _ : state) {
        RtString s;
        while (s.length < (1u << 20)) s += "short text ";
        benchmark::DoNotOptimize(s.data);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t{1} << 20));
}
BENCHMARK(stringAppendToOneMegabyte)->Unit(benchmark::kMillisecond);

// The same appends on std::string, the figure the runtime string is held to.
void stdStringAppendToOneMegabyte(benchmark::State& state) {
    for (auto _ : state) {
        std::string s;
        while (s.size() < (1u << 20)) s += "short text ";
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t{1} << 20));
}
BENCHMARK(stdStringAppendToOneMegabyte)->Unit(benchmark::kMillisecond);

// Building a 10,000-element string array by push (each push is a REDIM).
void stringArrayPush10000(benchmark::State& state) {
    const RtString item("list entry");
    for (auto _ : state) {
        RtArray<RtString> a;
        a.dim(0);
        for (int i = 0; i < 10000; ++i) a.push(item);
        benchmark::DoNotOptimize(a.data);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(stringArrayPush10000)->Unit(benchmark::kMillisecond);

// The same pushes of the same element type through std::vector::push_back.
void stringVectorPushBack10000(benchmark::State& state) {
    const RtString item("list entry");
    for (auto _ : state) {
        std::vector<RtString> v;
        for (int i = 0; i < 10000; ++i) v.push_back(item);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(stringVectorPushBack10000)->Unit(benchmark::kMillisecond);

// Pointer elements, as the toolkit's lists of widgets and listeners hold.
void pointerArrayPush10000(benchmark::State& state) {
    int target = 0;
    for (auto _ : state) {
        RtArray<int*> a;
        a.dim(0);
        for (int i = 0; i < 10000; ++i) a.push(&target);
        benchmark::DoNotOptimize(a.data);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(pointerArrayPush10000)->Unit(benchmark::kMicrosecond);

void pointerVectorPushBack10000(benchmark::State& state) {
    int target = 0;
    for (auto _ : state) {
        std::vector<int*> v;
        for (int i = 0; i < 10000; ++i) v.push_back(&target);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(pointerVectorPushBack10000)->Unit(benchmark::kMicrosecond);

// Reading and writing every element of a 256 x 256 double array through the
// checked access.
void doubleArray2dAccess(benchmark::State& state) {
    RtArray<double> a;
    a.dim(256, 256);
    for (auto _ : state) {
        double sum = 0;
        for (int32_t j = 0; j < 256; ++j) {
            for (int32_t i = 0; i < 256; ++i) {
                a.at(i, j) += 1.0;
                sum += a.at(i, j);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(doubleArray2dAccess)->Unit(benchmark::kMicrosecond);

// One draw is one whole generation pass.
void randomDraws(benchmark::State& state) {
    seedRandom(12345);
    for (auto _ : state) benchmark::DoNotOptimize(nextRandom());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(randomDraws);

// Sorting 100,000 strings in random order by their bytes.
void sort100000Strings(benchmark::State& state) {
    seedRandom(7);
    std::vector<RtString> input;
    for (int i = 0; i < 100000; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%010u", nextRandom());
        input.emplace_back(text);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<RtString> v = input;
        state.ResumeTiming();
        sortStringArray(v.data(), v.data() + v.size() - 1, nullptr);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(sort100000Strings)->Unit(benchmark::kMillisecond);

}  // namespace
