#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/platform/files.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/ddd_normal_table.h"
#include "tests/render3d/model_fixtures.h"

namespace {

// Version 2.0: two frames (the second shorter), two keys, three texture pairs.
const std::string kVersion2 = hexBytes(
    "17 B3 C6 00  00 00 00 00 00 00 00 40"   // magic, f64 2.0
    " 02 00 00 00  02 00 00 00  03 00 00 00"  // frames, keys, uv pairs
    " FF 00 00 00  00 FF 00 00"               // keys: red, green
    " 00 00 00 3F 00 00 80 3E  00 00 80 3F 00 00 00 00  00 00 00 00 00 00 80 3F"
    " 03 00 00 00"                                          // frame 0
    " 00 00 80 3F 00 00 00 40 00 00 40 40  05 00"           // (1, 2, 3), normal 5, key 0
    " 00 00 80 BF 00 00 00 00 00 00 00 3F  00 01"           // (-1, 0, 0.5), normal 0, key 1
    " 00 00 00 00 00 00 00 00 00 00 00 00  A1 00"           // origin, normal 161, key 0
    " 02 00 00 00"                                          // frame 1
    " 00 00 00 40 00 00 00 00 00 00 00 00  06 01"
    " 00 00 00 00 00 00 80 40 00 00 00 00  05 00");
constexpr size_t kFrame0NormalIndex = 72;
constexpr size_t kFrame0GroupIndex = 73;
constexpr size_t kFrame1Count = 102;

// Version 1.5: one frame of quantised positions (q - offset) * scale.
const std::string kVersion15 = hexBytes(
    "17 B3 C6 00  00 00 00 00 00 00 F8 3F"
    " 01 00 00 00  01 00 00 00  02 00 00 00"
    " 00 00 FF 00"
    " 00 00 80 3E 00 00 00 3F  00 00 40 3F 00 00 80 BF"
    " 02 00 00 00"
    " 00 00 80 3F 00 00 00 40 00 00 40 40"   // offset (1, 2, 3)
    " 00 00 00 3F 00 00 00 40 00 00 80 3F"   // scale (0.5, 2, 1)
    " 03 02 07 05 00  00 00 00 00 00");

std::string withVersion(std::string bytes, double version) {
    std::memcpy(bytes.data() + 4, &version, 8);
    return bytes;
}

std::string patched(std::string bytes, size_t offset, uint8_t value) {
    bytes[offset] = static_cast<char>(value);
    return bytes;
}

class RecordForm : public ::testing::Test {
protected:
    ErrorLogCapture log;
    MeshObject object;

    uint8_t load(const std::string& bytes) { return loadDdd(object, MemoryFile(bytes).name.c_str()); }
};

void expectPosition(const MeshVertex& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

void expectNormal(const MeshVertex& v, int entry) {
    EXPECT_EQ(v.nx, dddNormalTable[entry][0]);
    EXPECT_EQ(v.ny, dddNormalTable[entry][1]);
    EXPECT_EQ(v.nz, dddNormalTable[entry][2]);
}

TEST_F(RecordForm, Version2FillsEveryFieldOfEveryFrame) {
    ASSERT_EQ(load(kVersion2), 1);
    EXPECT_TRUE(log.lines().empty());
    ASSERT_EQ(object.frames.count, 2);
    ASSERT_EQ(object.groupKeys.count, 2);
    EXPECT_EQ(object.groupKeys[0], 0xFFu);
    EXPECT_EQ(object.groupKeys[1], 0xFF00u);
    EXPECT_EQ(object.normalsValid, 1u);
    EXPECT_EQ(object.tangentsValid, 0u);

    const BlockVector<MeshVertex>& f0 = object.frames[0].vertices;
    ASSERT_EQ(f0.count, 3);
    expectPosition(f0[0], 1, 2, 3);
    expectNormal(f0[0], 5);
    EXPECT_EQ(f0[0].u, 0.5f);
    EXPECT_EQ(f0[0].v, 0.25f);
    EXPECT_EQ(f0[0].groupKey, 0xFFu);
    EXPECT_EQ(f0[0].r, 1.0f);
    EXPECT_EQ(f0[0].g, 0.0f);
    expectPosition(f0[1], -1, 0, 0.5f);
    EXPECT_EQ(f0[1].groupIndex, 1);
    EXPECT_EQ(f0[1].g, 1.0f);
    EXPECT_EQ(f0[1].u, 1.0f);
    expectNormal(f0[2], 161);
    EXPECT_EQ(f0[2].v, 1.0f);
    EXPECT_EQ(f0[2].tx, 0.0f);

    const BlockVector<MeshVertex>& f1 = object.frames[1].vertices;
    ASSERT_EQ(f1.count, 2);  // fewer than frame 0: loads, with frame 0's first texture pairs
    expectPosition(f1[1], 0, 4, 0);
    EXPECT_EQ(f1[0].u, 0.5f);
    EXPECT_EQ(f1[0].groupKey, 0xFF00u);
}

TEST_F(RecordForm, OlderLayoutDequantisesMirrorsVAndPresetsTangents) {
    ASSERT_EQ(load(kVersion15), 1);
    ASSERT_EQ(object.frames.count, 1);
    const BlockVector<MeshVertex>& f0 = object.frames[0].vertices;
    ASSERT_EQ(f0.count, 2);
    expectPosition(f0[0], 1, 0, 4);
    expectPosition(f0[1], -0.5f, -4, -3);
    EXPECT_EQ(f0[0].v, -0.5f);
    EXPECT_EQ(f0[1].v, 1.0f);
    EXPECT_EQ(f0[0].b, 1.0f);
    EXPECT_EQ(f0[1].tx, dddNormalTable[0][0]);
    EXPECT_EQ(f0[1].bz, dddNormalTable[0][2]);
    EXPECT_EQ(object.normalsValid, 1u);
}

TEST_F(RecordForm, VersionsFrom102To20AreAcceptedOthersLogWrongVersion) {
    struct Case {
        double version;
        bool accepted;
    } cases[] = {{1.02, true}, {1.5, true}, {2.0, true}, {1.01, false}, {2.01, false}, {NAN, false}};
    for (const Case& c : cases) {
        const std::string base = c.version < 2.0 ? kVersion15 : kVersion2;
        SCOPED_TRACE(c.version);
        const std::string bytes = withVersion(base, c.version);
        const MemoryFile file(bytes);
        const size_t before = log.lines().size();
        EXPECT_EQ(loadDdd(object, file.name.c_str()), c.accepted ? 1 : 0);
        if (!c.accepted) {
            const std::vector<std::string> lines = log.lines();
            ASSERT_EQ(lines.size(), before + 3);
            EXPECT_EQ(lines[before], "Wrong .ddd version.");
            EXPECT_EQ(lines[before + 1], "# read error");
            EXPECT_EQ(lines[before + 2], file.name);
            EXPECT_EQ(object.frames.count, 0);
        }
    }
}

TEST_F(RecordForm, BadIndexesCountsAndEveryTruncationAreReadErrorsThatLeaveTheObjectEmpty) {
    std::vector<std::pair<std::string, std::string>> broken = {
        {"normal index 162", patched(kVersion2, kFrame0NormalIndex, 162)},
        {"group index at the key count", patched(kVersion2, kFrame0GroupIndex, 2)},
        {"frame longer than the uv table", patched(kVersion2, kFrame1Count, 4)},
        {"frame count beyond the file", patched(kVersion2, 15, 0x7F)},
        {"key count beyond the file", patched(kVersion2, 19, 0x10)},
        {"uv count beyond the file", patched(kVersion2, 23, 0x01)},
    };
    for (size_t length = 0; length < kVersion2.size(); ++length) {
        broken.emplace_back("truncated at " + std::to_string(length), kVersion2.substr(0, length));
    }
    for (size_t length = 0; length < kVersion15.size(); ++length) {
        broken.emplace_back("old layout truncated at " + std::to_string(length), kVersion15.substr(0, length));
    }
    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        ASSERT_EQ(load(kVersion2), 1);
        const size_t before = log.lines().size();
        const MemoryFile file(bytes);
        EXPECT_EQ(loadDdd(object, file.name.c_str()), 0);
        EXPECT_EQ(object.frames.count, 0);
        EXPECT_EQ(object.frames.data, nullptr);
        EXPECT_EQ(object.groupKeys.count, 0);
        const std::vector<std::string> lines = log.lines();
        ASSERT_EQ(lines.size(), before + 2);
        EXPECT_EQ(lines[before], "# read error");
        EXPECT_EQ(lines[before + 1], file.name);
    }
}

TEST_F(RecordForm, AMissingFileFailsWithoutALogLine) {
    EXPECT_EQ(loadDdd(object, log.folder.file("missing.ddd").c_str()), 0);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(RecordForm, SavingALoadedFileGivesItsBytesBackAndSaveLoadSaveIsByteIdentical) {
    ASSERT_EQ(load(kVersion2), 1);
    std::string saved;
    ASSERT_TRUE(encodeDdd(object, saved));
    EXPECT_EQ(saved, kVersion2);

    ASSERT_EQ(load(kVersion15), 1);
    ASSERT_TRUE(encodeDdd(object, saved));
    const std::string path = log.folder.file("model.ddd");
    ASSERT_EQ(saveDdd(object, path.c_str()), 1);
    EXPECT_EQ(readBytes(path), saved);
    MeshObject again;
    ASSERT_EQ(loadDdd(again, path.c_str()), 1);
    std::string resaved;
    ASSERT_TRUE(encodeDdd(again, resaved));
    EXPECT_EQ(resaved, saved);
}

TEST_F(RecordForm, SaveKeepsPositionBitsAndQuantisesNormalsToTheNearestEntry) {
    object.frames.append(MeshFrame());
    struct Case {
        float x, nx, ny, nz;
        int entry;
    } cases[] = {
        {-0.0f, 0, 0, 0, 0},  // a zero normal
        {std::bit_cast<float>(0x7FC01234u), 0, 0, 1, 5},
        {1e-30f, 0, 0, 5, 5},  // not unit length
        {3, dddNormalTable[161][0], dddNormalTable[161][1], dddNormalTable[161][2], 161},
        {4, 0, 0.851f, 0.526f, 6},
    };
    for (const Case& c : cases) {
        MeshVertex v;
        v.x = c.x;
        v.nx = c.nx;
        v.ny = c.ny;
        v.nz = c.nz;
        v.setKeyAndColour(0x123456);
        object.frames[0].vertices.append(v);
    }
    object.groupKeys.append(0x123456);
    const std::string path = log.folder.file("quantised.ddd");
    ASSERT_EQ(saveDdd(object, path.c_str()), 1);
    MeshObject loaded;
    ASSERT_EQ(loadDdd(loaded, path.c_str()), 1);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const MeshVertex& v = loaded.frames[0].vertices[i];
        EXPECT_EQ(std::bit_cast<uint32_t>(v.x), std::bit_cast<uint32_t>(cases[i].x));
        EXPECT_EQ(nearestDddNormal(cases[i].nx, cases[i].ny, cases[i].nz), cases[i].entry);
        expectNormal(v, cases[i].entry);
        EXPECT_EQ(v.groupKey, 0x123456u);
    }
}

TEST_F(RecordForm, RefusedSavesWriteNothingAndAFailedWriteKeepsTheOldFile) {
    const std::string path = log.folder.file("kept.ddd");
    EXPECT_EQ(saveDdd(object, path.c_str()), 0);  // no frames
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_EQ(load(kVersion2), 1);
    EXPECT_EQ(saveDdd(object, "mem://00000010.00000001"), 0);

    MeshObject longer(object);
    longer.frames[1].vertices.append(longer.frames[1].vertices[0]);
    longer.frames[1].vertices.append(longer.frames[1].vertices[0]);
    EXPECT_EQ(saveDdd(longer, path.c_str()), 0);  // a frame its reader would refuse
    MeshObject unindexed(object);
    unindexed.groupKeys.count = 1;
    EXPECT_EQ(saveDdd(unindexed, path.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    writeBytes(path, "old contents");
    platform::simulateFullDisk(path);  // the new file beside it cannot be written
    EXPECT_EQ(saveDdd(object, path.c_str()), 0);
    EXPECT_EQ(readBytes(path), "old contents");
    platform::simulateFullDisk("");
    EXPECT_EQ(saveDdd(object, path.c_str()), 1);
    EXPECT_EQ(readBytes(path), kVersion2);
}

TEST(DddNormalTable, MatchesTheDataFileEntryForEntry) {
    std::ifstream in(KRV_RENDER3D_TEST_DATA "/vertex-normals-162.txt");
    ASSERT_TRUE(in.is_open());
    std::string line;
    int entry = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        float x = 0, y = 0, z = 0;
        fields >> x >> y >> z;
        ASSERT_LT(entry, kDddNormalCount);
        EXPECT_EQ(dddNormalTable[entry][0], x) << entry;
        EXPECT_EQ(dddNormalTable[entry][1], y) << entry;
        EXPECT_EQ(dddNormalTable[entry][2], z) << entry;
        ++entry;
    }
    EXPECT_EQ(entry, kDddNormalCount);
}

TEST(DddNormalTable, NearestEntryPrefersLaterTiesAndStopsAtAnExactMatch) {
    for (int i = 0; i < kDddNormalCount; ++i) {
        const auto& e = dddNormalTable[i];
        EXPECT_EQ(nearestDddNormal(e[0] * 3, e[1] * 3, e[2] * 3), i) << i;
    }
    EXPECT_EQ(nearestDddNormal(0, 0, 0), 0);
    // Too short to normalise: every entry with z = 0 ties, and the last of them wins.
    int lastFlat = -1;
    for (int i = 0; i < kDddNormalCount; ++i) {
        if (dddNormalTable[i][2] == 0.0f) lastFlat = i;
    }
    EXPECT_EQ(nearestDddNormal(0, 0, 1e-4f), lastFlat);
}

}  // namespace
