// files: the line-cached text file. One file at a time is held in 256 lines
// of at most 1023 bytes; it is loaded on first use and written back whole
// when the program turns to another file and at program end. Changes that
// cannot be written (a full disk) stay pending and are written at the next
// write-back or at program end; the program reads them meanwhile.
#pragma once

#include <cstdint>  // Required for: int32_t, uint32_t, uint8_t
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/core/rt_string.h"
#include "runtime/files/file_stream.h"

constexpr int32_t kCachedLines = 256;

// The lines of a file whose changes could not be written yet.
struct PendingTextFile {
    std::string fileName;
    std::vector<std::string> lines;
};

struct LineFileCache {
    char fileName[kLineBufferSize] = {};               // as the program gave it; "" when none
    char lines[kCachedLines][kLineBufferSize] = {};    // line i of the file in slot i
    int32_t highestLine = 0;                           // highest slot that belongs to the file
    uint8_t dirty = 0;                                 // changed since the load or write-back
    uint8_t keepFile = 0;                              // the file exists but could not be read
    std::vector<PendingTextFile> pending;              // other files' changes not yet written
};

// The program's one cache.
LineFileCache& lineFileCache();

// Makes name the cached file (0, or 3 when it cannot be read); with no name
// only writes back and empties the cache (program end: what still cannot be
// written is then logged as lost).
double lineFileLoad(LineFileCache& cache, const char* name);
// out = the line's text without its trailing control bytes, "NO_DATA" or "NO_FILE".
double lineFileGet(const char* name, uint32_t index, RtString& out);
// Stores text (its first 1023 bytes) as the line.
double lineFilePut(const char* name, uint32_t index, const RtString& text);

// The language's commands: the line number truncated toward zero, the outcome in the error slot.
void lineFileGetNumber(const RtString& file, double line, double& out);
void lineFileGetInt(const RtString& file, double line, int32_t& out);
void lineFileGetString(const RtString& file, double line, RtString& out);
void lineFilePutNumber(const RtString& file, double line, double value);
void lineFilePutString(const RtString& file, double line, const RtString& text);
