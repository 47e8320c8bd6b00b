// files: whole-file and folder commands over FileStream and the platform's
// folder functions; the error slot reports what fails.
#include "runtime/files/file_commands.h"

#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include "runtime/core/block_vector.h"
#include "runtime/core/error_slot.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/path_names.h"
#include "runtime/files/whole_file.h"
#include "runtime/files/wildcard.h"
#include "runtime/platform/files.h"

namespace {

constexpr int32_t kCopyPiece = 4096;

// Both names lead to the same disk file.
bool sameFile(const char* a, const char* b) {
    std::string pathA;
    std::string pathB;
    platform::PathInfo infoA;
    platform::PathInfo infoB;
    return toPlatformPath(a, pathA) && toPlatformPath(b, pathB) && platform::pathInfo(pathA, infoA) &&
           platform::pathInfo(pathB, infoB) && infoA.device == infoB.device && infoA.inode == infoB.inode;
}

bool copyPieces(FileStream& from, platform::ReplacementFile& to) {
    char piece[kCopyPiece];
    for (int32_t left = from.size(); left > 0; left -= kCopyPiece) {
        const int32_t count = left < kCopyPiece ? left : kCopyPiece;
        if (!from.read(piece, count) || !to.write(piece, static_cast<size_t>(count))) return false;
    }
    return true;
}

}  // namespace

int32_t fileExists(const RtString& name) {
    FileStream stream;
    return stream.openRead(name.data) ? 1 : 0;
}

int32_t fileSizeOf(const RtString& name) {
    clearError();
    FileStream stream;
    if (!stream.openRead(name.data)) {
        setError(kErrorNoSuchFile);
        return 0;
    }
    return stream.size();
}

void copyFile(const RtString& source, const RtString& target) {
    clearError();
    FileStream from;
    if (!from.openRead(source.data)) {
        setError(kErrorNoSuchFile);
        return;
    }
    // Recreating the target would empty the source itself.
    if (from.onDisk() && sameFile(source.data, target.data)) return;
    // The copy replaces the target only once it is whole on disk.
    platform::ReplacementFile to;
    if (!beginReplacement(target.data, to) || !copyPieces(from, to) || !to.commit()) setError(kErrorNoSuchFile);
}

int32_t deleteFile(const RtString& name) {
    std::string path;
    return toPlatformPath(name.data, path) && platform::deleteFile(path) ? 1 : 0;
}

int32_t createDirectory(const RtString& name) {
    std::string path;
    return toPlatformPath(name.data, path) && platform::makeDirectory(path) ? 1 : 0;
}

int32_t directoryExists(const RtString& name) {
    std::string path;
    platform::PathInfo info;
    return toPlatformPath(name.data, path) && platform::pathInfo(path, info) && info.isDirectory ? 1 : 0;
}

RtString currentDirectory() {
    std::string folder = platform::currentDirectory();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return RtString(folder.c_str());
}

void forwardSlashes(RtString& text) {
    for (uint32_t i = 0; i < text.length; ++i) {
        if (text.data[i] == '\\') text.data[i] = '/';
    }
}

double compareNoCase(const RtString& a, const RtString& b) {
    for (uint32_t i = 0;; ++i) {
        auto x = static_cast<unsigned char>(a.data[i]);
        auto y = static_cast<unsigned char>(b.data[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y || x == 0) return static_cast<double>(x) - static_cast<double>(y);
    }
}

double getFileList(const RtString& pattern, RtArray<RtString>& out) {
    BlockVector<RtString> folders(128, 512);
    BlockVector<RtString> files(128, 512);
    std::vector<platform::DirectoryEntry> entries;
    platform::listDirectory(".", entries);
    for (const platform::DirectoryEntry& entry : entries) {
        if (entry.isDirectory) {
            folders.append(RtString(entry.name.c_str()));
        } else if (wildcardMatch(pattern.data, entry.name.c_str())) {
            files.append(RtString(entry.name.c_str()));
        }
    }
    if (folders.count > 0) sortStringArray(&folders.data[0], &folders.data[folders.count - 1], compareNoCase);
    if (files.count > 0) sortStringArray(&files.data[0], &files.data[files.count - 1], compareNoCase);
    out.dim(folders.count + files.count);
    for (int32_t i = 0; i < folders.count; ++i) out.at(i) = folders.data[i];
    for (int32_t i = 0; i < files.count; ++i) out.at(folders.count + i) = files.data[i];
    return folders.count * 65536.0 + files.count;
}
