// render2d: reads and writes whole image files through FileStream, so disk
// paths and "mem://" names behave alike.
#include "runtime/render2d/image_source.h"

#include <algorithm>    // Required for: std::min
#include <string_view>  // Required for: std::string_view

#include "runtime/files/file_stream.h"
#include "runtime/files/whole_file.h"

bool readImageSource(const char* name, std::vector<uint8_t>& out, int64_t limit) {
    out.clear();
    FileStream stream;
    if (!name || !stream.openRead(name)) return false;
    // Bytes past what any accepted picture needs are never read.
    const int32_t size = static_cast<int32_t>(std::min<int64_t>(stream.size(), limit));
    if (size <= 0) return false;
    out.resize(static_cast<size_t>(size));
    if (!stream.read(out.data(), size) || stream.position() != size) {
        out.clear();
        return false;
    }
    return true;
}

bool writeImageFile(const char* name, std::span<const uint8_t> bytes) {
    if (!name || isMemoryFileName(name)) return false;
    return replaceWholeFile(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
