#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/render3d/mesh_object.h"

namespace {

MeshVertex vertexAt(float x, uint32_t key) {
    MeshVertex v;
    v.x = x;
    v.setKeyAndColour(key);
    return v;
}

void fillFrame(MeshFrame& frame, int vertexCount, int triangleCount) {
    for (int i = 0; i < vertexCount; ++i) frame.vertices.append(vertexAt(static_cast<float>(i), 0x00FF00u));
    for (int i = 0; i < triangleCount; ++i) frame.triangles.append(vertexAt(-static_cast<float>(i), 0x0000FFu));
}

struct CountingObject : MeshObject {
    int builds = 0;
    void build() override { ++builds; }
};

TEST(MeshVertex, ColourComesFromTheKeyRedFirstAndSeparatorsAreWhite) {
    struct Case {
        uint32_t key;
        float r, g, b;
    } cases[] = {
        {0x000000FFu, 1.0f, 0.0f, 0.0f},
        {0x00FF8000u, 0.0f, static_cast<float>(128 / 255.0), 1.0f},
        {0x12345678u, static_cast<float>(0x78 / 255.0), static_cast<float>(0x56 / 255.0),
         static_cast<float>(0x34 / 255.0)},
        {kFanSeparatorAlt, 1.0f, 1.0f, 1.0f},
        {kListSeparator, 1.0f, 1.0f, 1.0f},
    };
    for (const Case& c : cases) {
        MeshVertex v;
        v.setKeyAndColour(c.key);
        EXPECT_EQ(v.groupKey, c.key);
        EXPECT_EQ(v.r, c.r) << std::hex << c.key;
        EXPECT_EQ(v.g, c.g) << std::hex << c.key;
        EXPECT_EQ(v.b, c.b) << std::hex << c.key;
    }
    EXPECT_FALSE(isSeparatorKey(0xFFFFFFFBu));
    EXPECT_TRUE(isSeparatorKey(0xFFFFFFFCu));
}

TEST(MeshObject, ClearWithoutFreeingKeepsEveryAllocationForTheNextLoad) {
    MeshObject object;
    object.frames.append(MeshFrame());
    fillFrame(object.frames[0], 600, 30);
    object.groupKeys.append(7);
    object.normalsValid = object.tangentsValid = 1;
    const MeshVertex* vertices = object.frames[0].vertices.data;
    const MeshVertex* triangles = object.frames[0].triangles.data;
    const MeshFrame* frames = object.frames.data;

    object.clear(false);
    EXPECT_EQ(object.frames.count, 0);
    EXPECT_EQ(object.groupKeys.count, 0);
    EXPECT_EQ(object.normalsValid, 0u);
    EXPECT_EQ(object.tangentsValid, 0u);

    MeshFrame same;
    fillFrame(same, 600, 30);
    object.frames.append(same);
    EXPECT_EQ(object.frames.data, frames);
    EXPECT_EQ(object.frames[0].vertices.data, vertices);
    EXPECT_EQ(object.frames[0].triangles.data, triangles);
    EXPECT_EQ(object.frames[0].vertices.count, 600);

    object.clear(true);
    EXPECT_EQ(object.frames.data, nullptr);
    EXPECT_EQ(object.groupKeys.data, nullptr);
    EXPECT_EQ(object.frames.capacity, 0);
}

TEST(MeshObject, ClearOnAFreshObjectAllocatesAndChangesNothing) {
    MeshObject object;
    object.clear(false);
    object.clear(true);
    EXPECT_EQ(object.frames.data, nullptr);
    EXPECT_EQ(object.workCopy.data, nullptr);
    EXPECT_EQ(object.groupKeys.step, 128);
    EXPECT_EQ(object.frames.initialCapacity, 512);
}

TEST(MeshFrame, AssignCopiesRecordsIntoExistingStorageButNotTheBoundingSphere) {
    MeshFrame target;
    fillFrame(target, 5, 3);
    target.boundRadius = 9;
    const MeshVertex* storage = target.vertices.data;

    MeshFrame empty;
    empty.boundRadius = 1;
    target.assign(empty);
    EXPECT_EQ(target.vertices.count, 0);
    EXPECT_EQ(target.triangles.count, 0);
    EXPECT_EQ(target.vertices.data, storage);
    EXPECT_EQ(target.boundRadius, 9.0f);

    MeshFrame source;
    fillFrame(source, 700, 6);
    source.boundCentre[1] = 4;
    target.assign(source);
    ASSERT_EQ(target.vertices.count, 700);
    EXPECT_EQ(target.vertices.capacity, 768);
    EXPECT_EQ(target.vertices[699].x, 699.0f);
    EXPECT_EQ(target.triangles[5].x, -5.0f);
    EXPECT_EQ(target.boundCentre[1], 0.0f);
}

TEST(MeshFrame, GrowingTheFrameListKeepsVerticesAndBoundingSpheres) {
    MeshObject object;
    object.frames.setGrowth(1, 1);
    for (int i = 0; i < 4; ++i) {
        MeshFrame frame;
        fillFrame(frame, i + 1, 0);
        frame.boundRadius = static_cast<float>(i);
        object.frames.append(frame);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(object.frames[i].vertices.count, i + 1);
        EXPECT_EQ(object.frames[i].boundRadius, static_cast<float>(i));
    }
}

TEST(MeshObject, CopiesAreDeepAndTheRebuildHookIsVirtual) {
    CountingObject original;
    original.frames.append(MeshFrame());
    fillFrame(original.frames[0], 3, 3);
    original.groupKeys.append(0x00FF00u);
    original.normalsValid = 1;

    MeshObject copy(original);
    original.frames[0].vertices[0].x = 42;
    EXPECT_EQ(copy.frames[0].vertices[0].x, 0.0f);
    EXPECT_EQ(copy.groupKeys.count, 1);
    EXPECT_EQ(copy.normalsValid, 1u);

    MeshObject& base = original;
    base.build();
    EXPECT_EQ(original.builds, 1);
}

}  // namespace
