#include "runtime/files/memory_blocks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MemoryBlocks, NameHasSizeAndHandleInFieldsOfEight) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(26, 'x'));
    ASSERT_TRUE(block);
    std::string name = memoryFileName(block);
    char expected[32];
    snprintf(expected, sizeof expected, "mem://      1a.%8x", static_cast<unsigned>(block->handle));
    EXPECT_EQ(name, expected);
    EXPECT_EQ(name.size(), 23u);

    uint32_t size = 0;
    uint32_t handle = 0;
    ASSERT_TRUE(parseMemoryFileName(name.c_str(), size, handle));
    EXPECT_EQ(size, 26u);
    EXPECT_EQ(handle, block->handle);
    EXPECT_EQ(resolveMemoryFileName(name.c_str(), size), block);
}

TEST(MemoryBlocks, HandlesAreNeverZeroOrShared) {
    MemoryBlock a = registerMemoryBlock({});
    MemoryBlock b = registerMemoryBlock({});
    EXPECT_NE(a->handle, 0u);
    EXPECT_NE(a->handle, b->handle);
}

TEST(MemoryBlocks, NameStopsWorkingWithTheLastReference) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(4, 1));
    std::string name = memoryFileName(block);
    MemoryBlock reader = block;
    block.reset();
    uint32_t size = 0;
    EXPECT_TRUE(resolveMemoryFileName(name.c_str(), size)) << "a reader still holds it";
    reader.reset();
    EXPECT_FALSE(resolveMemoryFileName(name.c_str(), size));
}

TEST(MemoryBlocks, ParsingRules) {
    struct Case {
        const char* name;
        bool valid;
        uint32_t size;
        uint32_t handle;
    };
    const Case cases[] = {
        {"mem://      1a.       5", true, 0x1a, 5},
        {"mem://FFFFFFFF.ABCDEF01", true, 0xFFFFFFFF, 0xABCDEF01},
        {"mem://1a      .5       ", true, 0x1a, 5},
        {"MEM://      1a.       5", false, 0, 0},  // the prefix is compared exactly
        {"mem://      1a,       5", false, 0, 0},  // no dot between the fields
        {"mem://        .       5", false, 0, 0},  // no size digits
        {"mem://      1a.        ", false, 0, 0},  // no handle digits
        {"mem://      1a.", false, 0, 0},          // cut short
        {"mem://", false, 0, 0},
        {"", false, 0, 0},
        {"file.txt", false, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t size = 0;
        uint32_t handle = 0;
        EXPECT_EQ(parseMemoryFileName(c.name, size, handle), c.valid) << c.name;
        if (c.valid) {
            EXPECT_EQ(size, c.size) << c.name;
            EXPECT_EQ(handle, c.handle) << c.name;
        }
    }
    EXPECT_FALSE(isMemoryFileName(nullptr));
}

TEST(MemoryBlocks, UnregisteredOrOversizedNamesResolveToNothing) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(16, 0));
    char name[32];
    uint32_t size = 0;
    snprintf(name, sizeof name, "mem://%8x.%8x", 17u, static_cast<unsigned>(block->handle));
    EXPECT_FALSE(resolveMemoryFileName(name, size)) << "larger than the block";
    snprintf(name, sizeof name, "mem://%8x.%8x", 8u, static_cast<unsigned>(block->handle));
    EXPECT_TRUE(resolveMemoryFileName(name, size)) << "the block's first bytes";
    EXPECT_EQ(size, 8u);
    snprintf(name, sizeof name, "mem://%8x.%8x", 1u, static_cast<unsigned>(block->handle) + 1000u);
    EXPECT_FALSE(resolveMemoryFileName(name, size));
}

}  // namespace
