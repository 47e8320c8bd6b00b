// Object sets loaded into a slot: an index, two models and two textures made
// by the test in a folder, and indexes that name what is not there.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "runtime/render2d/bmp_codec.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/png_codec.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/object_set_loader.h"
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

TEST_F(ObjectSets, EmptyAndDamagedIndexes) {
    struct Case {
        const char* name;
        std::string body;
        uint8_t result;
        int32_t meshes, textures;
    };
    const Case cases[] = {
        {"both counts 0", "[textures]\r\ncount=0\r\n[objects]\r\ncount=0\r\n", 1, 0, 0},
        {"no sections", "", 1, 0, 0},
        {"a missing image", "[textures]\r\ncount=1\r\n1=none.png\r\n[objects]\r\ncount=1\r\n1=one.ddd\r\n1ta=1\r\n", 1, 1, 1},
        {"a missing model", "[textures]\r\ncount=1\r\n1=wall.png\r\n[objects]\r\ncount=2\r\n1=one.ddd\r\n2=gone.ddd\r\n", 0, 0, 0},
        {"a count beyond the keys", "[objects]\r\ncount=40000000\r\n1=one.ddd\r\n", 0, 0, 0},
        {"a model that is not one", "[objects]\r\ncount=1\r\n1=wall.png\r\n", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const uint8_t result = loadObjectSet(writeIndex(c.body).c_str(), slot, r().spriteColourKey);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(slot.used, c.result) << c.name;
        EXPECT_EQ(slot.meshes.count, c.meshes) << c.name;
        EXPECT_EQ(slot.textures.count, c.textures) << c.name;
    }
    // The missing image's texture is 0: drawn untextured.
    loadObjectSet(writeIndex(cases[2].body).c_str(), slot, r().spriteColourKey);
    EXPECT_EQ(slot.textures.data[0], 0u);
}

}  // namespace
