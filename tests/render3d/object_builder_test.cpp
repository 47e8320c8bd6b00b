// Filling slots vertex by vertex and from files, and the triangle lists,
// colour flag and bounding spheres that prepare them for drawing. No GL.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/rainbows_3d.h"
#include "tests/own_temp_path.h"

namespace {

class Builder : public ::testing::Test {
protected:
    // Vertex i sits at x = i, so a triangle reads as the indexes of its corners.
    void addNumbered(int from, int count, uint32_t colour = 0xFFFFFF) {
        for (int i = from; i < from + count; ++i) {
            engine.builderAddVertex(static_cast<float>(i), static_cast<float>(i * i % 7), 0, 0, 0, colour);
        }
    }
    // One triangle list with a vertex per colour.
    void build(int n, const std::vector<uint32_t>& colours) {
        engine.builderBeginObject(n, 0);
        for (size_t i = 0; i < colours.size(); ++i) {
            engine.builderAddVertex(static_cast<float>(i), static_cast<float>(i % 2), 0, 0, 0, colours[i]);
        }
        engine.builderEndObject();
    }
    MeshObjectX& mesh(int n) { return engine.objects.data[n].meshes.data[0]; }
    std::vector<int> cornersOf(int n) {
        std::vector<int> corners;
        const BlockVector<MeshVertex>& t = mesh(n).frames.data[0].triangles;
        for (int32_t i = 0; i < t.count; ++i) corners.push_back(static_cast<int>(t.data[i].x));
        return corners;
    }

    Rainbows3D engine{nullptr};
};

TEST_F(Builder, PrimitivesExpandIntoTriangles) {
    struct Step {
        int primitiveType;  // -1: keep the primitive begun before
        int vertices;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<int> corners;
    };
    const Case cases[] = {
        {"strip of 5", {{1, 5}}, {0, 1, 2, 2, 1, 3, 2, 3, 4}},
        {"fan of 4", {{2, 4}}, {0, 1, 2, 0, 2, 3}},
        {"list of 4: the fourth waits", {{0, 4}}, {0, 1, 2}},
        {"list of 7", {{0, 7}}, {0, 1, 2, 3, 4, 5}},
        {"list then fan", {{0, 3}, {2, 4}}, {0, 1, 2, 3, 4, 5, 3, 5, 6}},
        {"a new strip restarts the winding", {{1, 4}, {1, 3}}, {0, 1, 2, 2, 1, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        engine.normalMode = 0;
        int next = 0;
        for (size_t s = 0; s < c.steps.size(); ++s) {
            if (s == 0) {
                engine.builderBeginObject(3, c.steps[s].primitiveType);
            } else {
                engine.builderStartPrimitive(c.steps[s].primitiveType);
            }
            addNumbered(next, c.steps[s].vertices);
            next += c.steps[s].vertices;
        }
        engine.builderEndObject();
        EXPECT_EQ(cornersOf(3), c.corners);
        EXPECT_EQ(mesh(3).workCopy.count, static_cast<int32_t>(c.corners.size()));
        EXPECT_EQ(engine.objects.data[3].used, 1);
    }
}

TEST_F(Builder, TheSecondFanKeyStartsAFanAsTheNormalBuilderReadsIt) {
    engine.normalMode = 0;
    engine.builderBeginObject(3, 0);
    engine.builderAddVertex(99, 0, 0, 0, 0, kFanSeparatorAlt);
    addNumbered(0, 4);
    engine.builderEndObject();
    EXPECT_EQ(cornersOf(3), (std::vector<int>{0, 1, 2, 0, 2, 3}));
}

TEST_F(Builder, VerticesKeepColourAndStoreVNegated) {
    engine.normalMode = 0;
    engine.builderBeginObject(0, 0);
    engine.builderAddVertex(1, 2, 3, 0.5f, 0.25f, 0x0080FF);
    engine.builderAddVertex(0, 1, 0, 0, 0, 0x0080FF);
    engine.builderAddVertex(1, 0, 0, 0, 0, 0xFFFFFF);
    engine.builderEndObject();
    const BlockVector<MeshVertex>& v = mesh(0).frames.data[0].vertices;
    ASSERT_EQ(v.count, 4);  // the list marker and three vertices
    EXPECT_EQ(v.data[0].groupKey, kListSeparator);
    EXPECT_EQ(v.data[0].r + v.data[0].g + v.data[0].b, 3.0f);
    EXPECT_EQ(v.data[1].u, 0.5f);
    EXPECT_EQ(v.data[1].v, -0.25f);
    EXPECT_EQ(v.data[1].groupKey, 0x0080FFu);
    EXPECT_EQ(v.data[1].r, 1.0f);
    EXPECT_NEAR(v.data[1].g, 128.0f / 255.0f, 1e-6);
    EXPECT_EQ(v.data[1].b, 0.0f);
    EXPECT_EQ(mesh(0).hasColours, 1u);

    build(1, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
    EXPECT_EQ(mesh(1).hasColours, 0u);  // white and markers are not colours
}

TEST_F(Builder, MoreColoursThanAGroupTableHoldsAreKept) {
    // 300 colours, one per vertex: more than a one-byte group index reaches.
    std::vector<uint32_t> colours;
    for (uint32_t i = 0; i < 300; ++i) colours.push_back(0x010203u * (i + 1));
    build(2, colours);
    EXPECT_EQ(mesh(2).hasColours, 1u) << "drawn in the vertices' colours, not white";
    const BlockVector<MeshVertex>& t = mesh(2).frames.data[0].triangles;
    ASSERT_EQ(t.count, 300);
    for (int32_t i = 0; i < t.count; ++i) {
        ASSERT_EQ(t.data[i].groupKey, colours[static_cast<size_t>(i)]) << i;
        ASSERT_NEAR(t.data[i].b, static_cast<float>((colours[static_cast<size_t>(i)] >> 16) & 0xFF) / 255.0f, 1e-6) << i;
    }
}

TEST_F(Builder, ObjectsOfTooFewVerticesAreUsedButHaveNoTriangles) {
    engine.builderBeginObject(5, 0);
    addNumbered(0, 2);
    engine.builderEndObject();
    EXPECT_EQ(engine.objects.data[5].used, 1);
    EXPECT_EQ(mesh(5).frames.data[0].triangles.count, 0);
    EXPECT_EQ(mesh(5).workCopy.count, 0);
    EXPECT_EQ(engine.builderObject, -1);

    // The marker and one vertex: two records, so the mesh is emptied.
    engine.builderBeginObject(6, 0);
    addNumbered(0, 1);
    engine.builderEndObject();
    EXPECT_EQ(engine.objects.data[6].used, 1);
    EXPECT_EQ(mesh(6).frames.count, 0);
}

TEST_F(Builder, WithoutAnOpenObjectOrAValidSlotNothingHappens) {
    engine.builderAddVertex(1, 1, 1, 0, 0, 0);
    engine.builderStartPrimitive(0);
    engine.builderEndObject();
    engine.builderBeginObject(4096, 0);
    engine.builderBeginObject(-1, 0);
    EXPECT_EQ(engine.builderObject, -1);
    for (int32_t n = 0; n < engine.objects.count; ++n) ASSERT_EQ(engine.objects.data[n].meshes.count, 0) << n;
    EXPECT_EQ(engine.loadObject("whatever.ddd", 4096), 0);
    EXPECT_EQ(engine.loadObject("whatever.ddd", -3), 0);
}

TEST_F(Builder, OpeningAnotherObjectAbandonsTheFirst) {
    engine.builderBeginObject(1, 0);
    addNumbered(0, 3);
    engine.builderBeginObject(2, 0);
    addNumbered(0, 3);
    engine.builderEndObject();
    EXPECT_EQ(engine.objects.data[1].used, 0);
    EXPECT_EQ(engine.objects.data[2].used, 1);
}

TEST_F(Builder, BoundingSpheresSurroundEachFrame) {
    engine.normalMode = 0;
    engine.builderBeginObject(0, 0);
    engine.builderAddVertex(0, 0, 0, 0, 0, 0);
    engine.builderAddVertex(2, 0, 0, 0, 0, 0);
    engine.builderAddVertex(0, 2, 0, 0, 0, 0);
    engine.builderEndObject();
    const MeshFrame& f = mesh(0).frames.data[0];
    EXPECT_NEAR(f.boundCentre[0], 2.0f / 3.0f, 1e-6);
    EXPECT_NEAR(f.boundCentre[1], 2.0f / 3.0f, 1e-6);
    EXPECT_EQ(f.boundCentre[2], 0.0f);
    EXPECT_NEAR(f.boundRadius, std::sqrt(16.0f / 9.0f + 4.0f / 9.0f), 1e-6);

    // A frame without triangles: centre 0, radius 0.
    MeshObjectX& m = mesh(0);
    m.frames.data[0].triangles.count = 0;
    m.frames.data[0].boundRadius = 9;
    m.computeBoundingSpheres();
    EXPECT_EQ(m.frames.data[0].boundRadius, 0.0f);
    EXPECT_EQ(m.frames.data[0].boundCentre[0], 0.0f);
}

TEST_F(Builder, NormalModeChoosesTheNormalsOfBuiltObjects) {
    for (int mode : {0, 1, 2}) {
        engine.normalMode = mode;
        // Two triangles clockwise as seen from +z: their normals face +z.
        engine.builderBeginObject(0, 0);
        engine.builderAddVertex(-1, -1, 0, 0, 0, 0xFFFFFF);
        engine.builderAddVertex(0, 1, 0, 0, 0, 0xFFFFFF);
        engine.builderAddVertex(1, -1, 0, 0, 0, 0xFFFFFF);
        engine.builderEndObject();
        const MeshVertex& v = mesh(0).frames.data[0].triangles.data[0];
        EXPECT_EQ(v.nz, mode == 0 ? 0.0f : 1.0f) << mode;
    }
}

TEST_F(Builder, ReleasingWithoutFreeingKeepsTheStorage) {
    build(0, {0xFF, 0xFF, 0xFF});
    MeshObjectX& m = mesh(0);
    const int32_t capacity = m.frames.data[0].vertices.capacity;
    m.release(false);
    EXPECT_EQ(m.frames.count, 0);
    EXPECT_EQ(m.frames.data[0].vertices.capacity, capacity);
    m.release(true);
    EXPECT_EQ(m.frames.capacity, 0);
}

// [SECTION] Loading

class Loading : public Builder {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = ::testing::TempDir() + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(Loading, AMissingFileFailsAndLeavesOneEmptyMesh) {
    build(7, {0xFF, 0xFF, 0xFF});
    EXPECT_EQ(engine.loadObject((ownTempPath("no_such_model.ddd")).c_str(), 7), 0);
    EXPECT_EQ(engine.objects.data[7].used, 0);
    EXPECT_EQ(engine.objects.data[7].meshes.count, 1);
    EXPECT_EQ(mesh(7).frames.count, 0);
}

TEST_F(Loading, AnObjectSetIndexGoesToTheObjectSetLoaderWhateverItsName) {
    // As a model the file would fail; as an object set it is an empty set.
    const std::string index = file("set_index.ddd", ";DDW\r\n[objects]\r\ncount=0\r\n");
    EXPECT_EQ(engine.loadObject(index.c_str(), 1), 1);
    EXPECT_EQ(engine.objects.data[1].used, 1);
    EXPECT_EQ(engine.objects.data[1].isSet, 1);
    EXPECT_EQ(engine.objects.data[1].meshes.count, 0);
}

TEST_F(Loading, ABuiltObjectSavedAndLoadedHasTheSameTriangles) {
    engine.normalMode = 2;
    engine.builderBeginObject(1, 2);
    engine.builderAddVertex(0, 0, 0, 0.5f, 0.5f, 0x0000FF);
    engine.builderAddVertex(1, 0, 0, 1, 0.5f, 0x00FF00);
    engine.builderAddVertex(1, 1, 0, 1, 1, 0xFF0000);
    engine.builderAddVertex(0, 1, 0, 0.5f, 1, 0x0000FF);
    engine.builderEndObject();
    const std::string path = ownTempPath("built_fan.ddd");
    ASSERT_EQ(saveDdd(mesh(1), path.c_str()), 1);
    ASSERT_EQ(engine.loadObject(path.c_str(), 2), 1);
    EXPECT_EQ(engine.objects.data[2].used, 1);
    const BlockVector<MeshVertex>& built = mesh(1).frames.data[0].triangles;
    const BlockVector<MeshVertex>& loaded = mesh(2).frames.data[0].triangles;
    ASSERT_EQ(loaded.count, built.count);
    for (int32_t i = 0; i < built.count; ++i) {
        EXPECT_EQ(loaded.data[i].x, built.data[i].x) << i;
        EXPECT_EQ(loaded.data[i].y, built.data[i].y) << i;
        EXPECT_EQ(loaded.data[i].u, built.data[i].u) << i;
        EXPECT_EQ(loaded.data[i].v, built.data[i].v) << i;
        EXPECT_EQ(loaded.data[i].groupKey, built.data[i].groupKey) << i;
        EXPECT_NEAR(loaded.data[i].nz, built.data[i].nz, 0.01) << i;
    }
    EXPECT_EQ(mesh(2).hasColours, 1u);
    EXPECT_EQ(mesh(2).frames.data[0].boundRadius, mesh(1).frames.data[0].boundRadius);
}

}  // namespace
