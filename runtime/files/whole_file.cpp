// files: whole-file replacement through the platform's replacement file.
#include "runtime/files/whole_file.h"

#include <string>  // Required for: std::string

#include "runtime/files/memory_blocks.h"
#include "runtime/files/path_names.h"

bool beginReplacement(const char* name, platform::ReplacementFile& out) {
    std::string path;
    if (isMemoryFileName(name) || !toPlatformPath(name, path)) return false;
    platform::PathInfo info;
    // A write-protected file stays as it is, even for a writer whose rights would allow it.
    if (platform::pathInfo(path, info) && (info.isDirectory || !info.ownerWritable)) return false;
    return out.begin(path);
}

bool replaceWholeFile(const char* name, std::string_view contents) {
    platform::ReplacementFile file;
    return beginReplacement(name, file) && file.write(contents.data(), contents.size()) && file.commit();
}
