// render2d: reads and writes whole image files. Uses the C library's stdio
// for disk files (no operating-system headers).
#include "runtime/render2d/image_source.h"

#include <cstdio>   // Required for: fopen, fread, fwrite
#include <cstring>  // Required for: strncmp
#include <memory>   // Required for: std::unique_ptr
#include <string>   // Required for: std::string

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool isMemoryName(const char* name) { return std::strncmp(name, "mem://", 6) == 0; }

std::string diskPath(const char* name) {
    std::string path(name);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace

bool readImageSource(const char* name, std::vector<uint8_t>& out) {
    out.clear();
    if (!name || isMemoryName(name)) return false;
    File f(std::fopen(diskPath(name).c_str(), "rb"));
    if (!f) return false;
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) out.insert(out.end(), chunk, chunk + got);
    return std::ferror(f.get()) == 0;
}

bool writeImageFile(const char* name, std::span<const uint8_t> bytes) {
    if (!name || isMemoryName(name)) return false;
    File f(std::fopen(diskPath(name).c_str(), "wb"));
    if (!f) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() && std::fflush(f.get()) == 0;
}
