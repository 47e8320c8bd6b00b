// files: INI parsing, lookup, change and save. Reads through FileStream and
// the resource archive; writes only through whole-file replacement.
#include "runtime/files/ini_file.h"

#include <algorithm>  // Required for: std::max
#include <array>      // Required for: std::array
#include <string>     // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/files/whole_file.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool equalNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a + 32) : *a;
        char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b + 32) : *b;
        if (x != y) return false;
        if (x == 0) return true;
    }
}

int32_t findSection(const IniFile& ini, const RtString& name) {
    for (int32_t i = 0; i < ini.sections.count; ++i) {
        if (equalNoCase(ini.sections.data[i].name.data, name.data)) return i;
    }
    return -1;
}

int32_t findPair(const IniSection& section, const RtString& key) {
    for (int32_t i = 0; i < section.pairs.count; ++i) {
        if (equalNoCase(section.pairs.data[i].key.data, key.data)) return i;
    }
    return -1;
}

// Built in place in the next slot: a section is copied once, not twice.
void commit(IniFile& ini, const RtString& sectionName, BlockVector<IniPair>& working) {
    if (working.count == 0) return;
    ini.sections.reserve(ini.sections.count + 1);
    IniSection& section = ini.sections.data[ini.sections.count];
    section.name = sectionName;
    section.pairs.copyFrom(working);
    ++ini.sections.count;
    working.count = 0;
}

// One line of the file; updates the section name or adds a pair.
void parseLine(IniFile& ini, const char* line, RtString& sectionName, BlockVector<IniPair>& working) {
    const char* p = line;
    while (isBlank(*p)) ++p;
    if (*p == ';') return;
    if (*p == '[') {
        commit(ini, sectionName, working);
        ++p;
        while (isBlank(*p)) ++p;
        const char* end = p;
        while (*end && !isBlank(*end) && *end != '=') ++end;
        if (end > p && end[-1] == ']') --end;
        if (end > p) sectionName = RtString(p, static_cast<uint32_t>(end - p));
        return;
    }
    const char* keyEnd = p;
    while (*keyEnd && !isBlank(*keyEnd) && *keyEnd != '=') ++keyEnd;
    const char* q = keyEnd;
    while (isBlank(*q)) ++q;
    if (*q != '=') return;
    ++q;
    while (isBlank(*q)) ++q;
    if (!*q) return;
    // Doubling: a section of many keys is not copied again every 32 of them.
    if (working.count + 1 >= working.capacity) working.reserve(std::max(2 * working.count, working.count + 1));
    IniPair& pair = working.data[working.count];
    pair.key = RtString(p, static_cast<uint32_t>(keyEnd - p));
    pair.value = RtString(q);
    pair.value.trimControlTail();
    ++working.count;
}

}  // namespace

IniPair& IniPair::operator=(const IniPair& other) {
    RtString keyCopy(other.key);
    RtString valueCopy(other.value);
    key.swap(keyCopy);
    value.swap(valueCopy);
    return *this;
}

void IniFile::load(const RtString& name) {
    changed = 0;
    fileName.clear();
    sections.clear();
    std::string resolved;
    // A name found nowhere keeps its own text, so that a save creates the file.
    if (!archiveFetch(mainArchive(), name.data, resolved, 1)) resolved = name.data;
    sections.setGrowth(16, 8);
    fileName = resolved.c_str();

    FileStream stream;
    if (!stream.openRead(fileName.data)) return;
    BlockVector<IniPair> working(32, 32);
    RtString sectionName;
    std::array<char, kLineBufferSize> line{};
    while (stream.readLine(line)) parseLine(*this, line.data(), sectionName, working);
    commit(*this, sectionName, working);
}

RtString IniFile::get(const RtString& section, const RtString& key, const RtString& defaultValue) const {
    const int32_t s = findSection(*this, section);
    if (s < 0) return defaultValue;
    const int32_t k = findPair(sections.data[s], key);
    return k < 0 ? defaultValue : sections.data[s].pairs.data[k].value;
}

void IniFile::write(const RtString& section, const RtString& key, const RtString& value) {
    int32_t s = findSection(*this, section);
    if (key.length == 0) {
        if (s < 0) return;
        sections.removeByMovingLast(s);
        changed = 1;
        return;
    }
    if (s < 0) {
        IniSection fresh;
        fresh.name = section;
        sections.append(fresh);
        s = sections.count - 1;
    }
    IniSection& target = sections.data[s];
    const int32_t k = findPair(target, key);
    changed = 1;
    if (k < 0) {
        IniPair pair;
        pair.key = key;
        pair.value = value;
        target.pairs.append(pair);
    } else if (value.length > 0) {
        target.pairs.data[k].value = value;
    } else {
        target.pairs.removeByMovingLast(k);
    }
}

RtString IniFile::text() const {
    RtString out;
    for (int32_t i = 0; i < sections.count; ++i) {
        const IniSection& section = sections.data[i];
        out += "[";
        out += section.name.data;
        out += "]\r\n";
        for (int32_t j = 0; j < section.pairs.count; ++j) {
            out += section.pairs.data[j].key.data;
            out += "=";
            out += section.pairs.data[j].value.data;
            out += "\r\n";
        }
    }
    return out;
}

bool IniFile::save() {
    if (!changed || fileName.length == 0 || isMemoryFileName(fileName.data)) return true;
    const RtString contents = text();
    if (replaceWholeFile(fileName.data, std::string_view(contents.data, contents.length))) return true;
    appendErrorLog((std::string("INI file not saved: ") + fileName.data).c_str());
    return false;
}

IniFile& currentIni() {
    static IniFile table;
    return table;
}

void iniOpen(const RtString& fileName) {
    currentIni().save();
    currentIni().load(fileName);
}

RtString iniRead(const RtString& section, const RtString& key, const RtString& defaultValue) {
    return currentIni().get(section, key, defaultValue);
}

void iniWrite(const RtString& section, const RtString& key, const RtString& value) {
    currentIni().write(section, key, value);
}
