// Message headers on the wire: seven bytes, little-endian, no padding.
#include <gtest/gtest.h>

#include "runtime/net/net_message.h"

namespace {

TEST(NetMessageHeader, SerialisesFieldByFieldLittleEndian) {
    struct Case {
        NetMessageHeader header;
        std::array<uint8_t, 7> bytes;
    };
    const Case cases[] = {
        {{4, 0, 0, 101}, {4, 0, 0, 0, 0, 101, 0}},
        {{4, 0, 0, 0xFEFF}, {4, 0, 0, 0, 0, 0xFF, 0xFE}},
        {{3, 1024, 0xFFFF, 0x1234}, {3, 0x00, 0x04, 0xFF, 0xFF, 0x34, 0x12}},
        {{0x67, 7, 0x0102, 0}, {0x67, 7, 0, 0x02, 0x01, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.header.type));
        EXPECT_EQ(serializeHeader(c.header), c.bytes);
    }
}

}  // namespace
