// Object-set indexes read from INI tables: folders, counts checked against
// the keys present, texture numbers, and names bounded in length.
#include <gtest/gtest.h>

#include <string>

#include "runtime/render3d/object_set_loader.h"

namespace {

void put(IniFile& ini, const char* section, const std::string& key, const std::string& value) {
    ini.write(RtString(section), RtString(key.c_str()), RtString(value.c_str()));
}

TEST(ObjectSetIndex, FolderIsThePathUpToItsLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"data/set.ini", "data/"}, {"set.ini", ""}, {"a\\b/c\\set.ini", "a\\b/c\\"}, {"", ""}, {"dir/", "dir/"}};
    for (const auto& [path, folder] : cases) EXPECT_EQ(objectSetFolder(path), folder) << path;
}

TEST(ObjectSetIndex, NamesTakeTheFolderAndTextureNumbersAreOneBasedWithZeroForNone) {
    IniFile ini;
    put(ini, "textures", "count", "2");
    put(ini, "textures", "1", "wall.png");
    put(ini, "textures", "2", "floor.bmp");
    put(ini, "objects", "count", "3");
    put(ini, "objects", "1", "house.ddd");
    put(ini, "objects", "1ta", "1");
    put(ini, "objects", "1tb", "0");
    put(ini, "objects", "2", "tree.ddd");
    put(ini, "objects", "2ta", "2");
    put(ini, "objects", "2tb", "3");  // beyond the two textures
    put(ini, "objects", "3", "rock.ddd");
    put(ini, "objects", "3ta", "-1");
    const ObjectSetIndex index = readObjectSetIndex(ini, "data/");
    ASSERT_EQ(index.textures.size(), 2u);
    EXPECT_EQ(index.textures[0], "data/wall.png");
    EXPECT_EQ(index.textures[1], "data/floor.bmp");
    ASSERT_EQ(index.objects.size(), 3u);
    EXPECT_EQ(index.objects[0].model, "data/house.ddd");
    struct Expected {
        uint32_t a, b;
    };
    const Expected expected[] = {{0, kNoSetTexture}, {1, kNoSetTexture}, {kNoSetTexture, kNoSetTexture}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(index.objects[i].textureA, expected[i].a) << "object " << i + 1;
        EXPECT_EQ(index.objects[i].textureB, expected[i].b) << "object " << i + 1;
    }
}

TEST(ObjectSetIndex, DamagedCountsAreBoundedByTheKeysPresent) {
    struct Case {
        const char* count;
        size_t textures;
    };
    // The section holds "count" and two names: at most three entries.
    const Case cases[] = {{"0", 0}, {"", 0}, {"-5", 0}, {"2", 2}, {"2000000000", 3}, {"99999999999999", 3}, {"x", 0}};
    for (const Case& c : cases) {
        IniFile ini;
        put(ini, "textures", "count", c.count);
        put(ini, "textures", "1", "a.png");
        put(ini, "textures", "2", "b.png");
        const ObjectSetIndex index = readObjectSetIndex(ini, "");
        EXPECT_EQ(index.textures.size(), c.textures) << "count " << c.count;
        EXPECT_TRUE(index.objects.empty());
        if (c.textures == 3) {
            EXPECT_EQ(index.textures[2], "") << "no key 3: no name";
        }
    }
}

TEST(ObjectSetIndex, NamesLongerThanTheLimitAreDropped) {
    IniFile ini;
    const std::string folder(1000, 'f');
    put(ini, "objects", "count", "2");
    put(ini, "objects", "1", std::string(kMaxObjectSetName - folder.size(), 'm'));
    put(ini, "objects", "2", std::string(kMaxObjectSetName - folder.size() + 1, 'm'));
    const ObjectSetIndex index = readObjectSetIndex(ini, folder);
    ASSERT_EQ(index.objects.size(), 2u);
    EXPECT_EQ(index.objects[0].model.size(), kMaxObjectSetName);
    EXPECT_EQ(index.objects[1].model, "");
}

}  // namespace
