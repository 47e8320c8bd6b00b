// render3d: the object-set loader: the index is read with the runtime's INI
// reader, every name resolved once through the resource archive; textures
// become GL textures owned by the slot, models meshes of the slot.
#include "runtime/render3d/object_set_loader.h"

#include <GL/gl.h>  // Required for: glDeleteTextures

#include <algorithm>      // Required for: std::clamp
#include <new>            // Required for: std::bad_alloc
#include <string_view>    // Required for: std::string_view
#include <unordered_map>  // Required for: the section index

#include "runtime/core/numeric_convert.h"
#include "runtime/files/error_log.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/texture_upload.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/list_sizing.h"
#include "runtime/render3d/resolved_resource.h"

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lowerAscii(c);
    return out;
}

// One section's values by key, indexed once: a lookup costs the same
// whatever the section holds. As INI lookups do, sections and keys match
// without regard to ASCII case and the first of a name wins.
class SectionIndex {
public:
    SectionIndex(const IniFile& ini, std::string_view name) {
        const std::string wanted = lowerCase(name);
        for (int32_t i = 0; i < ini.sections.count; ++i) {
            const IniSection& s = ini.sections.data[i];
            if (lowerCase({s.name.data, s.name.length}) != wanted) continue;
            pairs_ = s.pairs.count;
            values_.reserve(static_cast<size_t>(pairs_));
            for (int32_t k = 0; k < s.pairs.count; ++k) {
                const IniPair& pair = s.pairs.data[k];
                values_.try_emplace(lowerCase({pair.key.data, pair.key.length}), pair.value.data);
            }
            return;
        }
    }
    // The key's value; "" when the section has no such key.
    std::string value(const std::string& key) const {
        const auto found = values_.find(lowerCase(key));
        return found != values_.end() ? found->second : "";
    }
    int32_t integer(const std::string& key) const { return textToInt(value(key).c_str()); }
    // "count", at most the keys the section holds (negative counts read as 0).
    int32_t count() const { return std::clamp(integer("count"), 0, pairs_); }

private:
    std::unordered_map<std::string, const char*> values_;
    int32_t pairs_ = 0;
};

std::string nameIn(const std::string& folder, const std::string& name) {
    if (name.empty() || folder.size() + name.size() > kMaxObjectSetName) return "";
    return folder + name;
}

uint32_t textureNumber(const SectionIndex& objects, const std::string& key, int32_t textures) {
    const int32_t n = objects.integer(key);
    return n >= 1 && n <= textures ? static_cast<uint32_t>(n - 1) : kNoSetTexture;
}

// A set's textures are BMP or PNG files, tried in that order.
constexpr ImageFormat kSetTextureFormats[] = {ImageFormat::Bmp, ImageFormat::Png};

// A GL texture of the image; 0 when no format reads it.
uint32_t loadSetTexture(const std::string& name, uint32_t colourKey) {
    ResolvedResource file;
    if (name.empty() || !resolveResource(name.c_str(), file)) return 0;
    PixelBuffer image;
    if (!loadImageRgba(image, file.name.c_str(), colourKey, kSetTextureFormats)) return 0;
    uint32_t texture = 0;
    if (!createTexture(image, 0, 0, 0, 0, &texture, nullptr, false, false)) return 0;
    return texture;
}

// Reads one model of the set into mesh and prepares it. A model that cannot
// be read leaves the mesh empty (logged by the reader); only a storage
// failure, which the reader logs too, is returned as such.
DddReadError loadSetModel(const ObjectSetEntry& entry, MeshObjectX& mesh) {
    ResolvedResource file;
    if (entry.model.empty() || !resolveResource(entry.model.c_str(), file)) return DddReadError::NoFile;
    const DddReadError result = loadDddFile(mesh, file.name.c_str());
    if (result != DddReadError::None) return result;
    mesh.textureA = entry.textureA;
    mesh.textureB = entry.textureB;
    try {
        mesh.build();
        mesh.computeBoundingSpheres();
    } catch (const std::bad_alloc&) {
        appendErrorLog("# malloc error");
        appendErrorLog(file.name.c_str());
        mesh.release(true);
        return DddReadError::OutOfMemory;
    }
    return DddReadError::None;
}

uint8_t fillSet(const char* indexPath, ObjectSlot& slot, uint32_t colourKey, const std::string& folder) {
    IniFile ini;
    ini.load(RtString(indexPath));
    const ObjectSetIndex index = readObjectSetIndex(ini, folder);
    if (ini.changed != 0) ini.save();

    slot.clear();
    slot.used = 1;
    slot.isSet = 1;
    const auto textureCount = static_cast<int32_t>(index.textures.size());
    reserveExactly(slot.textures, textureCount);
    for (int32_t i = 0; i < textureCount; ++i) {
        slot.textures.data[i] = loadSetTexture(index.textures[static_cast<size_t>(i)], colourKey);
        slot.textures.count = i + 1;
    }

    const auto objectCount = static_cast<int32_t>(index.objects.size());
    reserveExactly(slot.meshes, objectCount);
    slot.meshes.count = objectCount;
    for (int32_t i = 0; i < objectCount; ++i) {
        if (loadSetModel(index.objects[static_cast<size_t>(i)], slot.meshes.data[i]) == DddReadError::OutOfMemory) {
            return 0;
        }
    }
    return 1;
}

}  // namespace

std::string objectSetFolder(const char* indexPath) {
    const std::string path = indexPath != nullptr ? indexPath : "";
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

ObjectSetIndex readObjectSetIndex(const IniFile& ini, const std::string& folder) {
    ObjectSetIndex index;
    const SectionIndex textureKeys(ini, "textures"), objectKeys(ini, "objects");
    const int32_t textures = textureKeys.count();
    index.textures.reserve(static_cast<size_t>(textures));
    for (int32_t i = 1; i <= textures; ++i) index.textures.push_back(nameIn(folder, textureKeys.value(std::to_string(i))));
    const int32_t objects = objectKeys.count();
    index.objects.reserve(static_cast<size_t>(objects));
    for (int32_t i = 1; i <= objects; ++i) {
        const std::string key = std::to_string(i);
        ObjectSetEntry entry;
        entry.model = nameIn(folder, objectKeys.value(key));
        entry.textureA = textureNumber(objectKeys, key + "ta", textures);
        entry.textureB = textureNumber(objectKeys, key + "tb", textures);
        index.objects.push_back(std::move(entry));
    }
    return index;
}

uint8_t loadObjectSet(const char* indexPath, ObjectSlot& slot, uint32_t colourKey, const char* folderOf) {
    uint8_t result = 0;
    try {
        result = fillSet(indexPath, slot, colourKey, objectSetFolder(folderOf != nullptr ? folderOf : indexPath));
    } catch (const std::bad_alloc&) {
        appendErrorLog("# malloc error");
        appendErrorLog(indexPath);
    }
    if (result == 0) slot.clear();
    return result;
}
