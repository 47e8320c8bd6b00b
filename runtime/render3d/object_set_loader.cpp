// render3d: the object-set loader: the index is read with the runtime's INI
// reader, every name resolved through the resource archive; textures become
// GL textures owned by the slot, models meshes of the slot.
#include "runtime/render3d/object_set_loader.h"

#include <GL/gl.h>  // Required for: glDeleteTextures

#include <algorithm>  // Required for: std::clamp, std::equal
#include <cctype>     // Required for: std::tolower
#include <string_view>  // Required for: std::string_view

#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/texture_upload.h"
#include "runtime/render3d/ddd_file.h"

namespace {

bool sameNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Keys in the section that INI lookups find (the first of that name).
int32_t pairsIn(const IniFile& ini, std::string_view section) {
    for (int32_t i = 0; i < ini.sections.count; ++i) {
        const IniSection& s = ini.sections.data[i];
        if (sameNoCase({s.name.data, s.name.length}, section)) return s.pairs.count;
    }
    return 0;
}

std::string value(const IniFile& ini, const char* section, const std::string& key) {
    return ini.get(RtString(section), RtString(key.c_str())).data;
}

int32_t count(const IniFile& ini, const char* section) {
    return std::clamp(textToInt(value(ini, section, "count").c_str()), 0, pairsIn(ini, section));
}

std::string nameIn(const std::string& folder, const std::string& name) {
    if (name.empty() || folder.size() + name.size() > kMaxObjectSetName) return "";
    return folder + name;
}

uint32_t textureNumber(const IniFile& ini, const std::string& key, int32_t textures) {
    const int32_t n = textToInt(value(ini, "objects", key).c_str());
    return n >= 1 && n <= textures ? static_cast<uint32_t>(n - 1) : kNoSetTexture;
}

// The archive's name for a file: a "mem://" name for a packed one.
std::string resolved(const std::string& name) {
    std::string out;
    if (archiveFetch(runtimeState().mainArchive, name.c_str(), out, 1) == 0) out = name;
    return out;
}

// A GL texture of the image, BMP first and PNG after; 0 when neither reads.
uint32_t loadSetTexture(const std::string& name, uint32_t colourKey) {
    if (name.empty()) return 0;
    const std::string file = resolved(name);
    PixelBuffer image;
    if (!loadBmpRgba(image, file.c_str(), colourKey) && !loadPngRgba(image, file.c_str(), colourKey)) return 0;
    uint32_t texture = 0;
    if (!createTexture(image, 0, 0, 0, 0, &texture, nullptr, false, false)) return 0;
    return texture;
}

}  // namespace

std::string objectSetFolder(const char* indexPath) {
    const std::string path = indexPath != nullptr ? indexPath : "";
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

ObjectSetIndex readObjectSetIndex(const IniFile& ini, const std::string& folder) {
    ObjectSetIndex index;
    const int32_t textures = count(ini, "textures");
    for (int32_t i = 1; i <= textures; ++i) index.textures.push_back(nameIn(folder, value(ini, "textures", std::to_string(i))));
    const int32_t objects = count(ini, "objects");
    for (int32_t i = 1; i <= objects; ++i) {
        const std::string key = std::to_string(i);
        ObjectSetEntry entry;
        entry.model = nameIn(folder, value(ini, "objects", key));
        entry.textureA = textureNumber(ini, key + "ta", textures);
        entry.textureB = textureNumber(ini, key + "tb", textures);
        index.objects.push_back(std::move(entry));
    }
    return index;
}

uint8_t loadObjectSet(const char* indexPath, ObjectSlot& slot, uint32_t colourKey) {
    IniFile ini;
    ini.load(RtString(indexPath));
    const ObjectSetIndex index = readObjectSetIndex(ini, objectSetFolder(indexPath));
    if (ini.changed != 0) ini.save();

    slot.clear();
    slot.used = 1;
    slot.isSet = 1;
    const auto textureCount = static_cast<int32_t>(index.textures.size());
    slot.textures.reserve(textureCount);
    for (int32_t i = 0; i < textureCount; ++i) slot.textures.data[i] = loadSetTexture(index.textures[static_cast<size_t>(i)], colourKey);
    slot.textures.count = textureCount;

    const auto objectCount = static_cast<int32_t>(index.objects.size());
    slot.meshes.reserve(objectCount);
    slot.meshes.count = objectCount;
    for (int32_t i = 0; i < objectCount; ++i) {
        const ObjectSetEntry& entry = index.objects[static_cast<size_t>(i)];
        MeshObjectX& mesh = slot.meshes.data[i];
        if (entry.model.empty() || loadDdd(mesh, entry.model.c_str()) == 0) {
            slot.clear();
            return 0;
        }
        mesh.textureA = entry.textureA;
        mesh.textureB = entry.textureB;
        mesh.build();
        mesh.computeBoundingSpheres();
    }
    return 1;
}
