// core: the random generator. Works on RuntimeState::random only.
#include "runtime/core/random.h"

#include "runtime/core/runtime_state.h"

namespace {

struct MixWords {
    uint32_t w[8];
};

void mix(MixWords& m) {
    uint32_t* w = m.w;
    w[0] ^= w[1] << 11; w[3] += w[0]; w[1] += w[2];
    w[1] ^= w[2] >> 2;  w[4] += w[1]; w[2] += w[3];
    w[2] ^= w[3] << 8;  w[5] += w[2]; w[3] += w[4];
    w[3] ^= w[4] >> 16; w[6] += w[3]; w[4] += w[5];
    w[4] ^= w[5] << 10; w[7] += w[4]; w[5] += w[6];
    w[5] ^= w[6] >> 4;  w[0] += w[5]; w[6] += w[7];
    w[6] ^= w[7] << 8;  w[1] += w[6]; w[7] += w[0];
    w[7] ^= w[0] >> 9;  w[2] += w[7]; w[0] += w[1];
}

void generationPass(RandomState& s) {
    s.c += 1;
    s.b += s.c;
    uint32_t a = s.a;
    uint32_t b = s.b;
    for (uint32_t i = 0; i < 256; ++i) {
        switch (i & 3) {
            case 0: a ^= a << 13; break;
            case 1: a ^= a >> 6; break;
            case 2: a ^= a << 2; break;
            default: a ^= a >> 16; break;
        }
        const uint32_t x = s.memory[i];
        a += s.memory[(i + 128) & 255];
        const uint32_t y = s.memory[(x >> 2) & 255] + a + b;
        s.memory[i] = y;
        b = s.memory[(y >> 10) & 255] + x;
        s.results[i] = b;
    }
    s.a = a;
    s.b = b;
}

}  // namespace

void seedRandom(int32_t seed) {
    RandomState& s = runtimeState().random;
    s = RandomState{};
    MixWords m;
    for (uint32_t& w : m.w) w = 0x9e3779b9u;
    const auto seedWord = static_cast<uint32_t>(seed);
    for (int round = 0; round < 32; ++round) {
        m.w[0] += seedWord;
        mix(m);
    }
    for (int round = 0; round < 4; ++round) mix(m);
    for (int i = 0; i < 256; i += 8) {
        mix(m);
        for (int k = 0; k < 8; ++k) s.memory[i + k] = m.w[k];
    }
    for (int i = 0; i < 256; i += 8) {
        for (int k = 0; k < 8; ++k) m.w[k] += s.memory[i + k];
        mix(m);
        for (int k = 0; k < 8; ++k) s.memory[i + k] = m.w[k];
    }
    generationPass(s);
}

void seedRandomCommand(int32_t seed) { seedRandom(seed); }

uint32_t nextRandom() {
    RandomState& s = runtimeState().random;
    generationPass(s);
    return s.results[0];
}

int32_t randomInt(int32_t n) {
    if (n <= 0) return 0;
    const uint32_t r = nextRandom();
    return static_cast<int32_t>(r % (static_cast<uint32_t>(n) + 1));
}
