// files: turning names into platform paths; pure text, no file access.
#include "runtime/files/path_names.h"

#include <cstring>  // Required for: strnlen

bool toPlatformPath(const char* name, std::string& path) {
    if (!name) return false;
    size_t length = strnlen(name, kPathBufferSize);
    if (length == 0 || length >= kPathBufferSize) return false;
    path.assign(name, length);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return true;
}
