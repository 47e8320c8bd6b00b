#include "runtime/files/packer.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes unpacked(Packer& packer) { return Bytes(packer.output(), packer.output() + packer.outputLength()); }

Bytes unpackOwn(const Bytes& data) {
    Packer packer;
    packer.method = 0;
    packer.unpack(data.data(), data.size());
    return unpacked(packer);
}

TEST(PackerOwnMethod, FlagBytesLiteralsAndTokens) {
    // Literal A, then a token copying three bytes at distance 1, then the end.
    EXPECT_EQ(unpackOwn({0x60, 'A', 0x01, 0x01, 0x00}), Bytes({'A', 'A', 'A', 'A'}));

    // High nibble 1 and b1 0x80: distance 128 + 128 = 256.
    Bytes stream;
    Bytes expected;
    for (int group = 0; group < 40; ++group) {  // 320 literals
        stream.push_back(0x00);
        for (int i = 0; i < 8; ++i) {
            uint8_t byte = static_cast<uint8_t>(group * 8 + i);
            stream.push_back(byte);
            expected.push_back(byte);
        }
    }
    stream.insert(stream.end(), {0xC0, 0x11, 0x80, 0x00});
    for (int i = 0; i < 3; ++i) expected.push_back(expected[expected.size() - 256]);
    EXPECT_EQ(unpackOwn(stream), expected);
}

TEST(PackerOwnMethod, DistanceZeroReadsTheZeroedRing) {
    Packer packer;
    packer.method = 0;
    const Bytes first = {0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x80, 0x00};
    ASSERT_EQ(packer.unpack(first.data(), first.size()), 8u);
    // A token at distance 0 copies what was produced 2048 bytes ago: nothing yet.
    const Bytes second = {0xC0, 0x01, 0x00, 0x00};
    ASSERT_EQ(packer.unpack(second.data(), second.size()), 3u);
    EXPECT_EQ(unpacked(packer), Bytes({0, 0, 0}));
}

TEST(PackerOwnMethod, DamagedStreamsReportNothing) {
    const Bytes cases[] = {
        {},                          // no flag byte
        {0x00, 'a', 'b'},            // ends inside a group
        {0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'},  // no end token
        {0x80, 0x12},                // token without its second byte
        {0x40, 'a'},                 // token flagged, input gone
    };
    for (const Bytes& data : cases) {
        Packer packer;
        packer.method = 0;
        EXPECT_EQ(packer.unpack(data.data(), data.size()), 0u) << data.size();
        EXPECT_TRUE(packer.damaged());
        EXPECT_EQ(packer.outputLength(), 0);
    }
}

TEST(PackerLzoMethod, DamagedBlocksReportNothing) {
    Packer good;
    good.method = 1;
    const std::string text(5000, 'q');
    good.pack(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    const Bytes packed(good.output(), good.output() + good.outputLength());

    Bytes corrupt(packed.begin(), packed.begin() + 4);
    corrupt.resize(40, 0xFF);
    Bytes shortOfLength = packed;
    shortOfLength[0] = 0x10;  // states 4,880 bytes instead of 5,000 (0x1388)
    Bytes huge = packed;
    huge[3] = 0x7F;  // states about 2 GB for a few bytes of input
    Bytes cut(packed.begin(), packed.end() - 3);
    const Bytes cases[] = {{}, {1, 0, 0}, corrupt, shortOfLength, huge, cut};
    for (const Bytes& data : cases) {
        Packer packer;
        packer.method = 1;
        EXPECT_EQ(packer.unpack(data.data(), data.size()), 0u);
        EXPECT_TRUE(packer.damaged());
        EXPECT_EQ(packer.outputLength(), 0);
    }
}

TEST(PackerLzoMethod, BlockStartsWithTheLittleEndianLength) {
    Packer packer;
    packer.method = 1;
    const Bytes input(0x1234, 7);
    uint32_t length = packer.pack(input.data(), input.size());
    ASSERT_GE(length, 4u);
    EXPECT_EQ(packer.output()[0], 0x34);
    EXPECT_EQ(packer.output()[1], 0x12);
    EXPECT_EQ(packer.output()[2], 0x00);
    EXPECT_EQ(packer.output()[3], 0x00);
}

Bytes randomBytes(size_t n, unsigned seed, int alphabet) {
    std::mt19937 random(seed);
    Bytes bytes(n);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random() % static_cast<unsigned>(alphabet));
    return bytes;
}

TEST(Packer, RoundTripsInBothMethods) {
    std::string prose;
    while (prose.size() < 20000) prose += "the quick brown fox jumps over the lazy dog; ";
    Bytes farRepeats = randomBytes(1500, 3, 256);
    farRepeats.insert(farRepeats.end(), farRepeats.begin(), farRepeats.end());  // distances > 128
    const Bytes inputs[] = {
        {},
        {'x'},
        {'x', 'y'},
        {'A', 'A', 'A', 'A'},
        Bytes(5000, 0),
        Bytes(prose.begin(), prose.end()),
        randomBytes(10000, 1, 256),
        randomBytes(10000, 2, 3),
        farRepeats,
        Bytes(8 * 17 + 1, 'r'),  // whole groups of tokens
    };
    for (int method : {0, 1}) {
        for (const Bytes& input : inputs) {
            Packer packer;
            packer.method = method;
            // An exact-size copy, so that reading past the input shows under the sanitizer.
            std::unique_ptr<uint8_t[]> exact(new uint8_t[input.size() + (input.empty() ? 1 : 0)]);
            std::copy(input.begin(), input.end(), exact.get());
            packer.pack(exact.get(), input.size());
            const Bytes packed(packer.output(), packer.output() + packer.outputLength());
            Packer reader;
            reader.method = method;
            EXPECT_EQ(reader.unpack(packed.data(), packed.size()), input.size()) << method;
            EXPECT_FALSE(reader.damaged());
            EXPECT_EQ(unpacked(reader), input) << "method " << method << ", " << input.size() << " bytes";
        }
    }
}

// One Packer reused for blocks of different sizes, a damaged one between them:
// each result is exactly its own block, nothing left over from the one before.
TEST(PackerLzoMethod, ReusedPackerGivesEachBlockExactly) {
    const Bytes large = randomBytes(30000, 4, 5);
    const Bytes small(700, 's');
    auto packed = [](const Bytes& input) {
        Packer packer;
        packer.method = 1;
        packer.pack(input.data(), input.size());
        return Bytes(packer.output(), packer.output() + packer.outputLength());
    };
    const Bytes packedLarge = packed(large);
    const Bytes packedSmall = packed(small);
    Bytes damaged = packedLarge;
    damaged.resize(damaged.size() / 2);

    Packer reader;
    reader.method = 1;
    struct Step {
        const Bytes* block;
        const Bytes* expected;  // null: damaged
    };
    for (const Step& step : {Step{&packedSmall, &small}, {&packedLarge, &large}, {&packedSmall, &small},
                             {&damaged, nullptr}, {&packedLarge, &large}, {&packedLarge, &large}}) {
        const uint32_t n = reader.unpack(step.block->data(), step.block->size());
        if (step.expected == nullptr) {
            EXPECT_EQ(n, 0u);
            EXPECT_EQ(reader.outputLength(), 0);
            continue;
        }
        EXPECT_EQ(n, step.expected->size());
        EXPECT_EQ(unpacked(reader), *step.expected);
    }
}

TEST(Packer, OwnMethodActuallyCompressesRepeats) {
    Packer packer;
    packer.method = 0;
    const Bytes zeros(4000, 0);
    EXPECT_LT(packer.pack(zeros.data(), zeros.size()), 700u);
}

TEST(Packer, OutputGrowsInStepsOf1024WithSlack) {
    Packer packer;
    packer.putByte(1);
    EXPECT_EQ(packer.outputCapacity(), 1032u);
    for (int i = 1; i < 1024; ++i) packer.putByte(1);
    EXPECT_EQ(packer.outputCapacity(), 1032u);
    packer.putByte(1);  // the 1,025th byte
    EXPECT_EQ(packer.outputCapacity(), 2056u);
}

TEST(Packer, TakingTheOutputLeavesNone) {
    Packer packer;
    packer.putByte(9);
    Bytes taken = packer.takeOutput();
    EXPECT_EQ(taken, Bytes({9}));
    EXPECT_EQ(packer.outputLength(), 0);
}

}  // namespace
