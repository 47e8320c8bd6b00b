#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>

#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/ddd_text_form.h"
#include "tests/render3d/model_fixtures.h"

namespace {

std::span<const uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// A red triangle and a green quad over four vertices, two frames.
const std::string kTwoPolygons =
    "DDDA 1.0\n"
    "# texture coordinates\n"
    "2  0.25 0.5  1 -0.75\n"
    "2\n"
    "255 0 0  3  0 0  1 1  2 0\n"
    "0 255 0  4  0 1  1 0  2 1  3 0\n"
    "2\n"
    "4  0 0 0  1 0 0  1 1 0  0 1 0\n"
    "4  0 0 1  1 0 1  1 1 1  0 1 1\n";

TEST(TextForm, PolygonsBecomeSeparatedCornerRunsWithTheirColoursInEveryFrame) {
    MeshObject object;
    ASSERT_TRUE(loadDddText(object, bytesOf(kTwoPolygons)));
    ASSERT_EQ(object.frames.count, 2);
    EXPECT_EQ(object.normalsValid, 0u);
    const BlockVector<MeshVertex>& f0 = object.frames[0].vertices;
    ASSERT_EQ(f0.count, 9);  // separator + 3 corners, separator + 4 corners
    EXPECT_EQ(f0[0].groupKey, kFanSeparator);
    EXPECT_EQ(f0[0].r, 1.0f);
    EXPECT_EQ(f0[1].groupKey, 0x0000FFu);
    EXPECT_EQ(f0[1].r, 1.0f);
    EXPECT_EQ(f0[1].g, 0.0f);
    EXPECT_EQ(f0[2].x, 1.0f);
    EXPECT_EQ(f0[2].u, 1.0f);
    EXPECT_EQ(f0[2].v, 0.75f);  // v mirrored
    EXPECT_EQ(f0[3].v, -0.5f);
    EXPECT_EQ(f0[4].groupKey, kFanSeparator);
    EXPECT_EQ(f0[8].groupKey, 0x00FF00u);
    EXPECT_EQ(f0[8].y, 1.0f);
    EXPECT_EQ(object.frames[1].vertices[8].z, 1.0f);

    ASSERT_EQ(object.groupKeys.count, 3);
    EXPECT_EQ(object.groupKeys[0], kFanSeparator);
    EXPECT_EQ(object.groupKeys[1], 0x0000FFu);
    EXPECT_EQ(object.groupKeys[2], 0x00FF00u);
    EXPECT_EQ(f0[5].groupIndex, 2);
}

TEST(TextForm, TokensCommentsAndVersionsReadAsWritten) {
    DddTextModel model;
    ASSERT_TRUE(readDddText(model,
                            bytesOf("DDDA\t1.1#version\r\n0 # no uv\n0\n1 1\n"
                                    "1.5#x\n-2e1 3 0 0 1\n")));
    ASSERT_EQ(model.frames.size(), 1u);
    ASSERT_EQ(model.frames[0].size(), 1u);
    EXPECT_EQ(model.frames[0][0].x, 1.5f);
    EXPECT_EQ(model.frames[0][0].y, -20.0f);
    EXPECT_EQ(model.frames[0][0].nz, 1.0f);

    ASSERT_TRUE(readDddText(model, bytesOf("DDDA 1 0 0 1 1 7 8 9")));
    EXPECT_EQ(model.frames[0][0].z, 9.0f);
    EXPECT_EQ(model.frames[0][0].nx, 0.0f);

    ASSERT_TRUE(readDddText(model, bytesOf("DDDA 1 0 0 1 1 abc 0x10 2,5")));  // no number reads 0
    EXPECT_EQ(model.frames[0][0].x, 0.0f);
    EXPECT_EQ(model.frames[0][0].y, 0.0f);
    EXPECT_EQ(model.frames[0][0].z, 2.0f);

    std::string longToken = "DDDA 1 0 0 1 1 " + std::string(2000, '7') + " 1 2";
    ASSERT_TRUE(readDddText(model, bytesOf(longToken)));
    EXPECT_EQ(model.frames[0][0].y, 1.0f);  // the long token ended at its separator
}

TEST(TextForm, NormalsGivenByTheFileAreValidAndKept) {
    struct Case {
        const char* text;
        uint32_t normalsValid;
    };
    // One triangle whose given normals are not its face normal.
    const Case cases[] = {
        {"DDDA 1.1 0 1 9 9 9 3 0 0 1 0 2 0  1 3  0 0 0 0.6 0 0.8  1 0 0 0.6 0 0.8  0 1 0 0.6 0 0.8", 1},
        {"DDDA 1.0 0 1 9 9 9 3 0 0 1 0 2 0  1 3  0 0 0  1 0 0  0 1 0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MeshObject object;
        ASSERT_TRUE(loadDddText(object, bytesOf(c.text)));
        EXPECT_EQ(object.normalsValid, c.normalsValid);
        // What the engine's preparation asks for before a special light.
        object.buildNormals(true, false, false);
        const MeshVertex& corner = object.frames[0].vertices[1];
        if (c.normalsValid != 0) {
            EXPECT_EQ(corner.nx, 0.6f);
            EXPECT_EQ(corner.nz, 0.8f);
        } else {
            EXPECT_EQ(std::fabs(corner.nz), 1.0f) << "rebuilt from the face";
        }
    }
}

TEST(TextForm, MalformedTextIsRefused) {
    const char* cases[] = {
        "DDDAX 1 0 0 0",
        "# only a comment",
        "",
        "DDDA 1.2 0 0 0",
        "DDDA 1 2 0.5 0.5 0.25",                          // input ends inside the uv list
        "DDDA 1 0 1 255 0 0 3 0 0 1 0 2 0 1 2 0 0 0 1 1 1",  // vertex index 2 beyond 2 vertices
        "DDDA 1 0 1 255 0 0 1 -1 0 1 1 0 0 0",             // negative vertex index
        "DDDA 1 1 0 0 1 0 0 0 1 0 1 1 1 0 0 0",            // uv index 1 beyond 1 pair
        "DDDA 1 0 1 256 0 0 1 0 0 1 1 0 0 0",              // colour above 255
        "DDDA 1 0 1 0 0 -1 1 0 0 1 1 0 0 0",               // colour below 0
        "DDDA 1 0 0 999999999",                            // frame count beyond the input
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        DddTextModel model;
        EXPECT_FALSE(readDddText(model, bytesOf(text)));
        MeshObject object;
        EXPECT_FALSE(loadDddText(object, bytesOf(text)));
        EXPECT_EQ(object.frames.count, 0);
    }
}

// One single-corner polygon per colour.
std::string manyColours(int colours) {
    std::string text = "DDDA 1 0 " + std::to_string(colours) + "\n";
    for (int i = 0; i < colours; ++i) text += std::to_string(i % 256) + " " + std::to_string(i / 256) + " 0 1 0 0\n";
    return text + "1 1 0 0 0\n";
}

TEST(TextForm, MoreThan256ColoursAreRefusedAndLoadDddLogsIt) {
    ErrorLogCapture log;
    const MemoryFile file(manyColours(257));
    MeshObject object;
    EXPECT_EQ(loadDdd(object, file.name.c_str()), 0);
    EXPECT_EQ(object.frames.count, 0);
    EXPECT_EQ(object.groupKeys.count, 0);
    const std::vector<std::string> lines = log.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "# read error");
    EXPECT_EQ(lines[1], file.name);

    const MemoryFile fits(manyColours(255));  // with the separator: 256 keys
    EXPECT_EQ(loadDdd(object, fits.name.c_str()), 1);
    EXPECT_EQ(object.groupKeys.count, 256);
    EXPECT_EQ(object.frames[0].vertices[2 * 255 - 1].groupIndex, 255);
}

TEST(GroupTable, KeysInOrderOfFirstAppearanceAcrossFrames) {
    MeshObject object;
    const uint32_t keys[2][4] = {{5, 7, 5, kFanSeparator}, {9, 7, 9, 5}};
    for (const auto& frameKeys : keys) {
        object.frames.append(MeshFrame());
        for (uint32_t key : frameKeys) {
            MeshVertex v;
            v.groupKey = key;
            object.frames[object.frames.count - 1].vertices.append(v);
        }
    }
    ASSERT_TRUE(object.buildGroupTable());
    ASSERT_EQ(object.groupKeys.count, 4);
    const uint32_t expectedKeys[] = {5, 7, kFanSeparator, 9};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(object.groupKeys[i], expectedKeys[i]);
    const int expectedIndexes[2][4] = {{0, 1, 0, 2}, {3, 1, 3, 0}};
    for (int f = 0; f < 2; ++f) {
        for (int i = 0; i < 4; ++i) EXPECT_EQ(object.frames[f].vertices[i].groupIndex, expectedIndexes[f][i]);
    }
}

}  // namespace
