// render3d: object sets: an index file beginning with ";DDW" that lists
// several ".ddd" models and their textures for one slot.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/files/ini_file.h"
#include "runtime/render3d/object_slot.h"

// A mesh's texture number when it uses none.
inline constexpr uint32_t kNoSetTexture = 0xFFFFFFFFu;
// Longest file name an index may produce, its folder included.
inline constexpr size_t kMaxObjectSetName = 1023;

struct ObjectSetEntry {
    std::string model;                  // "" when the name was too long
    uint32_t textureA = kNoSetTexture;  // 0-based into the set's textures
    uint32_t textureB = kNoSetTexture;
};

struct ObjectSetIndex {
    std::vector<std::string> textures;  // "" when the name was too long
    std::vector<ObjectSetEntry> objects;
};

// The index path up to and including its last '/' or '\'; "" without one.
std::string objectSetFolder(const char* indexPath);

// The set an INI table describes. A count is at most the keys its section
// holds (negative counts read as 0); texture numbers are 1-based, and 0 or a
// number beyond the texture count means none.
ObjectSetIndex readObjectSetIndex(const IniFile& ini, const std::string& folder);

// Fills slot from the index file (a path or a "mem://" name); the names it
// lists are taken relative to the folder of folderOf (the path the program
// asked for; indexPath when null) and resolved through the archive once
// each. The images take colourKey. A missing image leaves its texture 0, a
// model that cannot be read its mesh empty, and the load goes on: 1. Only
// running out of storage fails the set ("# malloc error" logged): 0, and
// the slot is empty.
uint8_t loadObjectSet(const char* indexPath, ObjectSlot& slot, uint32_t colourKey, const char* folderOf = nullptr);
