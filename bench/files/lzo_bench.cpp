// Method-1 unpacking through Packer against liblzo2 called directly.
#include <benchmark/benchmark.h>

#include <lzo/lzo1x.h>
#include <string>
#include <vector>

#include "runtime/files/packer.h"

namespace {

const std::vector<uint8_t>& sample() {
    static const std::vector<uint8_t> bytes = [] {
        std::string text;
        for (int i = 0; text.size() < (1u << 20); ++i) text += "entry " + std::to_string(i * 7919 % 10007) + " of the list; ";
        return std::vector<uint8_t>(text.begin(), text.begin() + (1 << 20));
    }();
    return bytes;
}

const std::vector<uint8_t>& packedSample() {
    static const std::vector<uint8_t> packed = [] {
        Packer packer;
        packer.method = 1;
        packer.pack(sample().data(), sample().size());
        return std::vector<uint8_t>(packer.output(), packer.output() + packer.outputLength());
    }();
    return packed;
}

void BM_PackerUnpackLzo(benchmark::State& state) {
    const std::vector<uint8_t>& packed = packedSample();
    Packer packer;
    packer.method = 1;
    for (auto _ : state) benchmark::DoNotOptimize(packer.unpack(packed.data(), packed.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample().size()));
}

void BM_Liblzo2DecompressSafe(benchmark::State& state) {
    const std::vector<uint8_t>& packed = packedSample();
    if (lzo_init() != LZO_E_OK) state.SkipWithError("lzo_init failed");
    std::vector<uint8_t> out(sample().size());
    for (auto _ : state) {
        lzo_uint length = out.size();
        lzo1x_decompress_safe(packed.data() + 4, packed.size() - 4, out.data(), &length, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample().size()));
}

BENCHMARK(BM_PackerUnpackLzo);
BENCHMARK(BM_Liblzo2DecompressSafe);

}  // namespace
