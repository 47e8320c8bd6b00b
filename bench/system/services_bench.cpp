// Figures for the services called every frame or by the toolkit often: the
// clock, debugger output with no debugger attached, and number formatting.
#include <benchmark/benchmark.h>

#include "runtime/core/rt_array.h"
#include "runtime/system/debug_output.h"
#include "runtime/system/system_commands.h"
#include "runtime/system/timers.h"
#include "runtime/system/utility_commands.h"

namespace {

void elapsedMillisCall(benchmark::State& state) {
    timerFrequencyInit();
    for (auto _ : state) benchmark::DoNotOptimize(elapsedMillis());
}
BENCHMARK(elapsedMillisCall);

// Each call asks the kernel whether a tracer is attached.
void debugPrintUnattached(benchmark::State& state) {
    const RtString text("widget message\n");
    for (auto _ : state) debugPrint(text);
}
BENCHMARK(debugPrintUnattached);

void formatNumberCall(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(formatNumber(8, 2, 3.14159));
}
BENCHMARK(formatNumberCall);

void splitStringCsvLine(benchmark::State& state) {
    const RtString line("12,apple,,3.5,north,x,y,z,99,last");
    RtArray<RtString> parts;
    for (auto _ : state) benchmark::DoNotOptimize(splitString(line, parts, RtString(",")));
}
BENCHMARK(splitStringCsvLine);

void boxesOverlapCall(benchmark::State& state) {
    int32_t x = 0;
    for (auto _ : state) benchmark::DoNotOptimize(boxesOverlap(x++ & 63, 0, 10, 10, 30, 5, 8, 8));
}
BENCHMARK(boxesOverlapCall);

}  // namespace
