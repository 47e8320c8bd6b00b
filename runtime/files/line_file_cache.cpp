// files: the line cache over FileStream, the resource archive and whole-file
// replacement; reports through the error slot, never fatally.
#include "runtime/files/line_file_cache.h"

#include <algorithm>  // Required for: std::find_if
#include <cstring>    // Required for: strcmp, strlen, memcpy, memset
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector, std::erase_if

#include "runtime/core/error_slot.h"
#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/files/path_names.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/files/whole_file.h"
#include "runtime/platform/files.h"

namespace {

// The error code with the current line, not fatal.
double softError(int32_t code) {
    setError(code);
    return code;
}

bool writeLines(const char* fileName, const std::vector<std::string>& lines) {
    std::string contents;
    for (const std::string& line : lines) {
        contents += line;
        contents += "\r\n";
    }
    return replaceWholeFile(fileName, contents);
}

void logLine(const char* what, const std::string& fileName) { appendErrorLog((what + fileName).c_str()); }

// Writes what earlier write-backs could not; what still fails stays pending.
void writePending(LineFileCache& cache) {
    std::erase_if(cache.pending, [](const PendingTextFile& file) {
        if (!writeLines(file.fileName.c_str(), file.lines)) return false;
        logLine("Text file written back: ", file.fileName);
        return true;
    });
}

// Changed lines that cannot be written stay pending, so that the cache can
// still turn to the next file the program names without losing them.
void writeBack(LineFileCache& cache) {
    writePending(cache);
    if (cache.fileName[0] == '\0' || !cache.dirty || cache.keepFile || isMemoryFileName(cache.fileName)) return;
    std::vector<std::string> lines(cache.lines, cache.lines + cache.highestLine + 1);
    if (writeLines(cache.fileName, lines)) return;
    logLine("Text file not written back, its changes are pending: ", cache.fileName);
    cache.pending.push_back({cache.fileName, std::move(lines)});
}

// Serves a file from its pending changes: they are newer than the disk.
bool takePending(LineFileCache& cache) {
    auto found = std::find_if(cache.pending.begin(), cache.pending.end(),
                              [&](const PendingTextFile& file) { return file.fileName == cache.fileName; });
    if (found == cache.pending.end()) return false;
    for (size_t i = 0; i < found->lines.size(); ++i) {
        memcpy(cache.lines[i], found->lines[i].c_str(), found->lines[i].size() + 1);
    }
    cache.highestLine = static_cast<int32_t>(found->lines.size()) - 1;
    cache.dirty = 1;
    cache.pending.erase(found);
    return true;
}

void empty(LineFileCache& cache) {
    memset(cache.lines, 0, sizeof cache.lines);
    cache.dirty = 0;
    cache.keepFile = 0;
    cache.fileName[0] = '\0';
    cache.highestLine = 0;
}

// A file that is there but could not be read must not be replaced by the cache.
bool existsOnDisk(const char* name) {
    std::string path;
    return !isMemoryFileName(name) && toPlatformPath(name, path) && platform::pathExists(path);
}

uint32_t lineIndex(double line) { return static_cast<uint32_t>(doubleToInt(line)); }

}  // namespace

LineFileCache& lineFileCache() {
    static LineFileCache cache;
    return cache;
}

double lineFileLoad(LineFileCache& cache, const char* name) {
    clearError();
    if (name && strcmp(name, cache.fileName) == 0) return 0;
    // A name the cache cannot hold is refused before anything changes.
    if (name && strlen(name) >= kPathBufferSize) return softError(kErrorNoSuchFile);
    writeBack(cache);
    empty(cache);
    if (!name) {
        for (const PendingTextFile& file : cache.pending) logLine("Text file not written back, changes lost: ", file.fileName);
        cache.pending.clear();
        return 0;
    }
    memcpy(cache.fileName, name, strlen(name) + 1);
    if (takePending(cache)) return 0;

    std::string resolved;
    FileStream stream;
    if (!archiveFetch(mainArchive(), cache.fileName, resolved, 1) || !stream.openRead(resolved.c_str())) {
        cache.keepFile = existsOnDisk(cache.fileName) ? 1 : 0;
        return softError(kErrorNoSuchFile);
    }
    for (int32_t i = 0; i < kCachedLines; ++i) {
        if (!stream.readLine(std::span<char, kLineBufferSize>(cache.lines[i], kLineBufferSize))) break;
        cache.highestLine = i;
    }
    return 0;
}

double lineFileGet(const char* name, uint32_t index, RtString& out) {
    clearError();
    if (index >= static_cast<uint32_t>(kCachedLines)) {
        out = "NO_DATA";
        return softError(kErrorOutOfMemory);
    }
    const double result = lineFileLoad(lineFileCache(), name);
    if (result != 0) {
        out = "NO_FILE";
        return result;
    }
    out = lineFileCache().lines[index];
    out.trimControlTail();
    if (out.length == 0) out = "NO_DATA";
    return 0;
}

double lineFilePut(const char* name, uint32_t index, const RtString& text) {
    if (index >= static_cast<uint32_t>(kCachedLines)) return softError(kErrorOutOfMemory);
    clearError();
    LineFileCache& cache = lineFileCache();
    lineFileLoad(cache, name);
    // A refused name leaves the cache on another file; nothing is stored then.
    if (!name || strcmp(name, cache.fileName) != 0) return kErrorNoSuchFile;
    const size_t length = strnlen(text.data, kLineBufferSize - 1);
    memcpy(cache.lines[index], text.data, length);
    cache.lines[index][length] = '\0';
    if (cache.highestLine < static_cast<int32_t>(index)) cache.highestLine = static_cast<int32_t>(index);
    cache.dirty = 1;
    return 0;
}

void lineFileGetNumber(const RtString& file, double line, double& out) {
    RtString text;
    lineFileGet(file.data, lineIndex(line), text);
    out = textToDouble(text.data);
}

void lineFileGetInt(const RtString& file, double line, int32_t& out) {
    RtString text;
    lineFileGet(file.data, lineIndex(line), text);
    out = textToInt(text.data);
}

void lineFileGetString(const RtString& file, double line, RtString& out) {
    lineFileGet(file.data, lineIndex(line), out);
}

void lineFilePutNumber(const RtString& file, double line, double value) {
    lineFilePut(file.data, lineIndex(line), RtString(value));
}

void lineFilePutString(const RtString& file, double line, const RtString& text) {
    lineFilePut(file.data, lineIndex(line), text);
}
