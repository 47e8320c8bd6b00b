#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/core/random.h"
#include "runtime/core/runtime_state.h"

namespace {

// Expected draws from random_reference.py, an independent model of the
// generator written from its description.
TEST(Random, SequenceMatchesTheReference) {
    struct Case {
        int32_t seed;
        uint32_t draws[5];
    };
    const Case cases[] = {
        {0, {0x52F1B2DAu, 0x2BDD209Eu, 0x688C57F1u, 0x80D29A96u, 0x45FC71A5u}},
        {1, {0x353A3F30u, 0xBA4D0E64u, 0xE4414D4Eu, 0x279CF3CDu, 0x43DDAFC1u}},
        {12345, {0xC79536EEu, 0xF1C4793Du, 0xC0BCF2A7u, 0x8B207367u, 0xBDD9D687u}},
        {-1, {0x4A33E33Fu, 0x04441D0Du, 0x53D6AD9Cu, 0x20EB7AD0u, 0x29C7BAE9u}},
        {2147483647, {0x6353F8DDu, 0x3F1EE367u, 0x79762681u, 0xB7B606C9u, 0xC9172FCCu}},
        {INT32_MIN, {0xA4888252u, 0xA462D2EEu, 0x4D7ECC7Du, 0x7CB3B6E1u, 0x093F61B4u}},
    };
    for (const Case& c : cases) {
        seedRandom(c.seed);
        EXPECT_EQ(runtimeState().random.c, 1u) << "seeding runs one silent pass";
        for (uint32_t expected : c.draws) EXPECT_EQ(nextRandom(), expected) << "seed " << c.seed;
    }
}

TEST(Random, ReseedingRepeatsTheSequence) {
    seedRandomCommand(77);
    std::vector<uint32_t> first;
    for (int i = 0; i < 10; ++i) first.push_back(nextRandom());
    seedRandom(77);
    for (uint32_t expected : first) EXPECT_EQ(nextRandom(), expected);
}

TEST(Random, RandomIntTakesTheDrawModuloNPlusOne) {
    seedRandom(12345);
    EXPECT_EQ(randomInt(99), static_cast<int32_t>(0xC79536EEu % 100));
    EXPECT_EQ(randomInt(2147483647), static_cast<int32_t>(0xF1C4793Du % 2147483648u));
    for (int i = 0; i < 100; ++i) {
        const int32_t r = randomInt(1);
        EXPECT_TRUE(r == 0 || r == 1);
    }
}

TEST(Random, NonPositiveRangeDrawsNothing) {
    seedRandom(1);
    EXPECT_EQ(randomInt(0), 0);
    EXPECT_EQ(randomInt(-5), 0);
    EXPECT_EQ(randomInt(INT32_MIN), 0);
    EXPECT_EQ(nextRandom(), 0x353A3F30u);  // still the first draw
}

}  // namespace
