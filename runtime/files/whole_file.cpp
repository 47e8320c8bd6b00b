// files: whole-file replacement through FileStream and the platform's rename.
#include "runtime/files/whole_file.h"

#include "runtime/files/file_stream.h"
#include "runtime/files/path_names.h"
#include "runtime/platform/files.h"

bool replaceWholeFile(const char* name, const std::string& contents) {
    std::string path;
    if (isMemoryFileName(name) || !toPlatformPath(name, path)) return false;
    platform::PathInfo info;
    if (platform::pathInfo(path, info) && (info.isDirectory || !info.ownerWritable)) return false;
    const std::string temporary = path + ".krv-new";
    if (temporary.size() >= kPathBufferSize) return false;
    FileStream out;
    if (!out.openWrite(temporary.c_str())) return false;
    const bool written = out.write(contents.data(), static_cast<int32_t>(contents.size()));
    out.close();
    if (!written || !platform::renamePath(temporary, path)) {
        platform::deleteFile(temporary);
        return false;
    }
    return true;
}
