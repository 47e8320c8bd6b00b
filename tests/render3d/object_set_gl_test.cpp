// Object sets loaded into a slot: an index, two models and two textures made
// by the test in a folder, and indexes that name what is not there.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/render2d/bmp_codec.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/jpeg_codec.h"
#include "runtime/render2d/png_codec.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/object_set_loader.h"
#include "tests/files/archive_writer.h"
#include "tests/files/temp_folder.h"
#include "tests/render3d/gl_3d_fixture.h"

namespace {

class ObjectSets : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        std::filesystem::create_directories(folder.path() / "data");
        writeModel("data/one.ddd", 1);
        writeModel("data/two.ddd", 2);
        // wall exists only as PNG, floor as BMP: each loads in its own turn.
        const std::vector<uint8_t> bgra(4 * 4 * 4, 200);
        ASSERT_TRUE(writeImageFile(folder.file("data/wall.png").c_str(), encodePngFromBgra(bgra.data(), 4, 4)));
        const std::vector<uint8_t> bgr(8 * 2 * 3, 90);
        ASSERT_TRUE(writeImageFile(folder.file("data/floor.bmp").c_str(), encodeBmp24(bgr.data(), 8, 2, 8, 0xFFFFFFFF)));
    }

    // A model of `triangles` triangles in one list.
    void writeModel(const std::string& name, int triangles) {
        MeshObject model;
        model.frames.append(MeshFrame{});
        model.groupKeys.append(0x00336699);
        for (int t = 0; t < triangles; ++t) {
            for (int k = 0; k < 3; ++k) {
                MeshVertex v;
                v.x = static_cast<float>(t * 10 + k);
                v.y = static_cast<float>(k == 2);
                v.setKeyAndColour(0x00336699);
                model.frames.data[0].vertices.append(v);
            }
        }
        ASSERT_EQ(saveDdd(model, folder.file(name).c_str()), 1);
    }

    std::string writeIndex(const std::string& body) {
        const std::string path = folder.file("data/set.ini");
        writeBytes(path, ";DDW\r\n" + body);
        return path;
    }

    static std::string kGoodIndex() {
        return "[textures]\r\ncount=2\r\n1=wall.png\r\n2=floor.bmp\r\n"
               "[objects]\r\ncount=2\r\n1=one.ddd\r\n1ta=1\r\n1tb=0\r\n2=two.ddd\r\n2ta=2\r\n2tb=2\r\n";
    }

    TempFolder folder;
    ObjectSlot slot;
};

TEST_F(ObjectSets, ASetFillsOneSlotWithItsModelsAndTextures) {
    ASSERT_EQ(loadObjectSet(writeIndex(kGoodIndex()).c_str(), slot, r().spriteColourKey), 1);
    EXPECT_EQ(slot.used, 1);
    EXPECT_EQ(slot.isSet, 1);
    ASSERT_EQ(slot.textures.count, 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(glIsTexture(slot.textures.data[i]), GL_TRUE) << "texture " << i;
    ASSERT_EQ(slot.meshes.count, 2);
    EXPECT_EQ(slot.meshes.data[0].frames.data[0].triangles.count, 3) << "built for drawing";
    EXPECT_EQ(slot.meshes.data[1].frames.data[0].triangles.count, 6);
    EXPECT_GT(slot.meshes.data[1].frames.data[0].boundRadius, 0.0f);
    EXPECT_EQ(slot.meshes.data[0].textureA, 0u);
    EXPECT_EQ(slot.meshes.data[0].textureB, kNoSetTexture) << "texture number 0 is none";
    EXPECT_EQ(slot.meshes.data[1].textureA, 1u);
    EXPECT_EQ(slot.meshes.data[1].textureB, 1u);
    const uint32_t wall = slot.textures.data[0];
    slot.clear();
    EXPECT_EQ(glIsTexture(wall), GL_FALSE) << "the slot gives its textures back";
}

// A program whose models, set index and textures exist only in its
// resource archive: each packed name is unpacked once and read from memory.
TEST_F(ObjectSets, APackedSetAndAPackedModelLoadThroughTheCommands) {
    std::vector<ArchiveEntry> entries(5);
    entries[0].name = "set.ini";
    entries[0].contents = toBytes(";DDW\r\n" + kGoodIndex());
    const char* packed[] = {"one.ddd", "two.ddd", "wall.png", "floor.bmp"};
    for (size_t i = 0; i < 4; ++i) {
        entries[i + 1].name = packed[i];
        entries[i + 1].contents = toBytes(readBytes(folder.file(std::string("data/") + packed[i])));
    }
    ResourceArchive& archive = createMainArchive();
    archive.reset(programWithArchive(folder.file("game"), entries).c_str());
    std::filesystem::remove_all(folder.path() / "data");

    loadObject3D(RtString("data/set.ini"), 3);
    loadObject3D(RtString("one.ddd"), 4);
    loadObject3D(RtString("nowhere.ddd"), 5);
    runtimeState().engines.destroy(EngineSlot::MainArchive);

    const ObjectSlot& set = engine->objects.data[3];
    EXPECT_EQ(set.used, 1);
    EXPECT_EQ(set.isSet, 1);
    ASSERT_EQ(set.textures.count, 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(glIsTexture(set.textures.data[i]), GL_TRUE) << "texture " << i;
    ASSERT_EQ(set.meshes.count, 2);
    ASSERT_EQ(set.meshes.data[0].frames.count, 1);
    EXPECT_EQ(set.meshes.data[0].frames.data[0].triangles.count, 3);
    ASSERT_EQ(set.meshes.data[1].frames.count, 1);
    EXPECT_EQ(set.meshes.data[1].frames.data[0].triangles.count, 6);

    const ObjectSlot& model = engine->objects.data[4];
    EXPECT_EQ(model.used, 1);
    EXPECT_EQ(model.isSet, 0);
    ASSERT_EQ(model.meshes.count, 1);
    ASSERT_EQ(model.meshes.data[0].frames.count, 1);
    EXPECT_EQ(model.meshes.data[0].frames.data[0].triangles.count, 3);
    EXPECT_EQ(engine->objects.data[5].used, 0) << "a name found nowhere loads nothing";
}

TEST_F(ObjectSets, TexturesAreReadAsBmpOrPngByTheirContentAndNeverAsJpeg) {
    if (contextMissing()) return;
    const std::vector<uint8_t> bgra(4 * 4 * 4, 200);
    ASSERT_TRUE(writeImageFile(folder.file("data/png_named.bmp").c_str(), encodePngFromBgra(bgra.data(), 4, 4)));
    const std::string jpeg = folder.file("data/stone.jpg");
    ASSERT_TRUE(writeImageFile(jpeg.c_str(), encodeJpegFromBgra(bgra.data(), 4, 4, 80)));
    ASSERT_EQ(loadObjectSet(writeIndex("[textures]\r\ncount=2\r\n1=png_named.bmp\r\n2=stone.jpg\r\n"
                                       "[objects]\r\ncount=1\r\n1=one.ddd\r\n1ta=1\r\n1tb=2\r\n")
                                .c_str(),
                            slot, r().spriteColourKey),
              1);
    ASSERT_EQ(slot.textures.count, 2);
    EXPECT_EQ(glIsTexture(slot.textures.data[0]), GL_TRUE) << "a PNG under a BMP name";
    EXPECT_EQ(slot.textures.data[1], 0u) << "a JPEG";
    // The same JPEG is a picture a sprite may be.
    EXPECT_TRUE(r().loadSprite(7, jpeg.c_str(), r().spriteColourKey, false));
}

TEST_F(ObjectSets, EmptyAndDamagedIndexesAndModelsThatDoNotRead) {
    struct Case {
        const char* name;
        std::string body;
        int32_t meshes, textures;
        int32_t meshesWithTriangles;
    };
    // The set loads whatever it can and gives 1: a name that does not read
    // leaves its texture 0 or its mesh empty.
    const Case cases[] = {
        {"both counts 0", "[textures]\r\ncount=0\r\n[objects]\r\ncount=0\r\n", 0, 0, 0},
        {"no sections", "", 0, 0, 0},
        {"a missing image", "[textures]\r\ncount=1\r\n1=none.png\r\n[objects]\r\ncount=1\r\n1=one.ddd\r\n1ta=1\r\n", 1, 1, 1},
        {"a missing model", "[textures]\r\ncount=1\r\n1=wall.png\r\n[objects]\r\ncount=3\r\n1=one.ddd\r\n2=gone.ddd\r\n3=two.ddd\r\n", 3, 1, 2},
        {"a count beyond the keys", "[objects]\r\ncount=40000000\r\n1=one.ddd\r\n", 2, 0, 1},
        {"a model that is not one", "[objects]\r\ncount=2\r\n1=wall.png\r\n2=two.ddd\r\n", 2, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loadObjectSet(writeIndex(c.body).c_str(), slot, r().spriteColourKey), 1) << c.name;
        EXPECT_EQ(slot.used, 1) << c.name;
        EXPECT_EQ(slot.meshes.count, c.meshes) << c.name;
        EXPECT_EQ(slot.textures.count, c.textures) << c.name;
        int32_t withTriangles = 0;
        for (int32_t i = 0; i < slot.meshes.count; ++i) {
            const MeshObjectX& mesh = slot.meshes.data[i];
            if (mesh.frames.count > 0 && mesh.frames.data[0].triangles.count > 0) ++withTriangles;
        }
        EXPECT_EQ(withTriangles, c.meshesWithTriangles) << c.name;
    }
    // The missing image's texture is 0: drawn untextured.
    loadObjectSet(writeIndex(cases[2].body).c_str(), slot, r().spriteColourKey);
    EXPECT_EQ(slot.textures.data[0], 0u);
    // The model after the missing one is there, with its own triangles.
    loadObjectSet(writeIndex(cases[3].body).c_str(), slot, r().spriteColourKey);
    EXPECT_EQ(slot.meshes.data[1].frames.count, 0);
    EXPECT_EQ(slot.meshes.data[2].frames.data[0].triangles.count, 6);
}

}  // namespace
