// The 3D commands on object slots, through an engine without a window:
// object numbers, face counts and faces across meshes, saving, free slots.
#include <gtest/gtest.h>

#include "runtime/core/runtime_state.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "tests/files/temp_folder.h"
#include "tests/render3d/shadow_mesh.h"

namespace {

class ObjectCommands : public ::testing::Test {
protected:
    void TearDown() override { runtimeState().engines.destroy(EngineSlot::Engine3D); }

    // Slot n with one mesh per entry of triangleCounts; triangle t of mesh m
    // has its first corner at x = 100 m + t.
    void fill(int n, std::initializer_list<int> triangleCounts) {
        ObjectSlot* s = engine.slot(n);
        s->meshes.reserve(static_cast<int32_t>(triangleCounts.size()));
        s->meshes.count = static_cast<int32_t>(triangleCounts.size());
        int m = 0;
        for (const int count : triangleCounts) {
            for (int t = 0; t < count; ++t) {
                const auto x = static_cast<float>(100 * m + t);
                MeshVertex a = at(x, 0, 0);
                a.groupKey = 0x00112233;
                addTriangle(s->meshes.data[m], a, at(x, 1, 0), at(x, 0, 1));
            }
            ++m;
        }
        s->used = 1;
    }

    Rainbows3D& engine = createEngine3D(nullptr);  // the runtime's, made with the fixture
};

TEST_F(ObjectCommands, FaceCountAndFacesRunAcrossTheMeshesOfASlot) {
    fill(7, {2, 0, 3});
    EXPECT_EQ(objectFaceCount3D(7), 5);
    struct Case {
        double face;
        double firstX;  // NaN: nothing filled
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 200}, {4, 202}, {5, -1}, {-1, -1}};
    for (const Case& c : cases) {
        RtArray<double> out;
        getFace3D(7, 0, c.face, out);
        ASSERT_EQ(out.d1, 3);
        ASSERT_EQ(out.d2, 9);
        if (c.firstX < 0) {
            EXPECT_EQ(out.at(0, 1), 0.0) << "face " << c.face << " is beyond the last mesh";
            continue;
        }
        EXPECT_EQ(out.at(0, 0), c.firstX) << "face " << c.face;
        EXPECT_EQ(out.at(1, 1), 1.0) << "second corner's y";
        EXPECT_EQ(out.at(2, 2), 1.0) << "third corner's z";
        EXPECT_EQ(out.at(0, 8), static_cast<double>(0x00112233)) << "the colour";
    }
}

TEST_F(ObjectCommands, NumbersOutsideTheTableDoNothing) {
    fill(0, {1});
    for (const double n : {-1.0, 4096.0, 1e10, 0.0 / 0.0}) {
        EXPECT_EQ(objectFaceCount3D(n), 0) << n;
        RtArray<double> out;
        getFace3D(n, 0, 0, out);
        EXPECT_EQ(out.dimensions, 0) << n;
        EXPECT_EQ(saveObject3D(RtString("never.ddd"), n), 0) << n;
    }
    EXPECT_EQ(objectFaceCount3D(4095.9), 0) << "4095: an empty slot";
}

TEST_F(ObjectCommands, FirstFreeSlotAndSaving) {
    EXPECT_EQ(firstFreeObject3D(), 0);
    fill(0, {1});
    fill(1, {1});
    EXPECT_EQ(firstFreeObject3D(), 2);
    TempFolder folder;
    const std::string empty = folder.file("empty.ddd"), full = folder.file("full.ddd");
    EXPECT_EQ(saveObject3D(RtString(empty.c_str()), 5), 1) << "an empty slot: 1, nothing written";
    EXPECT_FALSE(std::filesystem::exists(empty));
    MeshObjectX& mesh = engine.slot(1)->meshes.data[0];
    for (int i = 0; i < 3; ++i) mesh.frames.data[0].vertices.append(mesh.frames.data[0].triangles.data[i]);
    mesh.groupKeys.append(0x00112233);
    EXPECT_EQ(saveObject3D(RtString(full.c_str()), 1), 1);
    MeshObject back;
    ASSERT_EQ(loadDdd(back, full.c_str()), 1);
    EXPECT_EQ(back.frames.data[0].vertices.count, 3);
    runtimeState().engines.destroy(EngineSlot::Engine3D);
    EXPECT_EQ(firstFreeObject3D(), -1) << "no engine";
}

}  // namespace
