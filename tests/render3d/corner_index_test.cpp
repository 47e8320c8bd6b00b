// Distinct vertices of triangle lists: equal records share an index, in
// order of first appearance; a blend shares only where both frames agree;
// shadow volumes share by position alone.
#include <gtest/gtest.h>

#include "runtime/render3d/corner_index.h"

namespace {

MeshVertex vertex(float x, float nx = 0, float u = 0) {
    MeshVertex v;
    v.x = x;
    v.nx = nx;
    v.u = u;
    return v;
}

BlockVector<MeshVertex> list(std::initializer_list<MeshVertex> records) {
    BlockVector<MeshVertex> out;
    for (const MeshVertex& v : records) out.append(v);
    return out;
}

TEST(CornerIndex, EqualRecordsShareAVertexInOrderOfFirstAppearance) {
    const BlockVector<MeshVertex> frame =
        list({vertex(1), vertex(2), vertex(3), vertex(3), vertex(2), vertex(1, 0, 0.5f), vertex(-0.0f), vertex(0)});
    const CornerIndex index = indexCorners(frame);
    EXPECT_EQ(index.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 3, 4, 5}));
    EXPECT_EQ(index.firstCorner, (std::vector<int32_t>{0, 1, 2, 5, 6, 7}));

    const CornerIndex positions = indexCornerPositions(frame);
    EXPECT_EQ(positions.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 0, 3, 4}));

    const BlockVector<MeshVertex> other =
        list({vertex(1), vertex(5), vertex(3), vertex(3), vertex(2), vertex(1), vertex(0), vertex(0)});
    const CornerIndex pairs = indexCornerPairs(frame, other);
    EXPECT_EQ(pairs.indices, (std::vector<uint32_t>{0, 1, 2, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(indexCorners(BlockVector<MeshVertex>{}).indices.empty());
}

TEST(CornerIndex, ManyDistinctRecordsStayDistinct) {
    BlockVector<MeshVertex> frame;
    for (int i = 0; i < 5000; ++i) frame.append(vertex(static_cast<float>(i % 2500), static_cast<float>(i / 2500)));
    const CornerIndex index = indexCorners(frame);
    ASSERT_EQ(index.firstCorner.size(), 5000u);
    EXPECT_EQ(indexCornerPositions(frame).firstCorner.size(), 2500u);
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(index.indices[static_cast<size_t>(i)], static_cast<uint32_t>(i));
}

}  // namespace
