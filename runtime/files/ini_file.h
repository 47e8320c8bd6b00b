// files: INI tables. Sections and keys keep file order and their written
// case, are found without regard to ASCII case, and the first match wins.
#pragma once

#include <cstdint>  // Required for: uint8_t

#include "runtime/core/block_vector.h"
#include "runtime/core/rt_string.h"

struct IniPair {
    RtString key;
    RtString value;

    IniPair() = default;
    IniPair(const IniPair& other) = default;
    // Each text is copied into a temporary that is then swapped in.
    IniPair& operator=(const IniPair& other);
};

struct IniSection {
    RtString name;
    BlockVector<IniPair> pairs{128, 512};

};

class IniFile {
public:
    BlockVector<IniSection> sections{128, 512};
    RtString fileName;  // the resolved name the table belongs to; "" when none
    uint8_t changed = 0;

    // Replaces the table with the file's contents ("mem://" names and archive
    // entries included). A missing file gives an empty table under its name.
    void load(const RtString& name);
    // The value, or a copy of defaultValue.
    RtString get(const RtString& section, const RtString& key, const RtString& defaultValue = RtString()) const;
    // An empty key removes the section; an empty value removes the pair of an
    // existing key (a new key is stored even with an empty value).
    void write(const RtString& section, const RtString& key, const RtString& value);
    // Writes the table to fileName when it changed; "mem://" names never.
    // The file is replaced whole, so a failed write loses nothing; a failure
    // is logged and gives false.
    bool save();
    // The table in its file form: "[name]" and "key=value" lines ending in CR LF.
    RtString text() const;
};

// The program's one INI table.
IniFile& currentIni();
// Saves the current table when it changed, then loads fileName into it.
void iniOpen(const RtString& fileName);
RtString iniRead(const RtString& section, const RtString& key, const RtString& defaultValue);
void iniWrite(const RtString& section, const RtString& key, const RtString& value);
