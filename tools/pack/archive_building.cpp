// tools/pack: archive writing. Reads inputs through platform::File, packs
// with the runtime's Packer (method 1) and writes through a replacement file
// that is renamed onto the target's own name: a link there is refused, never
// followed.
#include "tools/pack/archive_building.h"

#include <cstdint>  // Required for: int32_t, int64_t, uint8_t, uint32_t

#include "runtime/files/archive_directory.h"
#include "runtime/files/packer.h"
#include "runtime/platform/files.h"

namespace {

constexpr size_t kCopyChunk = 1 << 20;
constexpr size_t kEntryNumbers = 8;  // i32 dataOffset, i32 packedSize

struct PlacedEntry {
    std::string name;
    int64_t start = 0;  // from the start of the file
    int64_t packedSize = 0;
};

void putI32(std::vector<uint8_t>& out, int64_t value) {
    const auto bits = static_cast<uint32_t>(static_cast<int32_t>(value));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

std::string tooLarge(const std::string& target) {
    return target + ": the file would be 2 GiB or more, which the runtime cannot read as an archive";
}

// u8 name length, the name, i32 dataOffset, i32 packedSize.
int64_t directoryEntrySize(const std::string& name) { return 1 + static_cast<int64_t>(name.size()) + kEntryNumbers; }

// The directory's end mark and the trailer.
constexpr int64_t kClosingSize = 1 + kArchiveTrailerSize;

// The whole file, read through a handle that refuses anything but a regular file.
bool readWhole(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    platform::File file = platform::File::open(path, platform::File::Mode::Read);
    const int64_t size = file.size();
    if (!file.isOpen() || size < 0) {
        error = path + ": cannot be read";
        return false;
    }
    if (size > kLargestArchiveFile) {
        error = path + ": files of 2 GiB or more cannot be packed";
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    if (file.read(bytes.data(), bytes.size()) != size) {
        error = path + ": cannot be read";
        return false;
    }
    return true;
}

class ArchiveOutput {
public:
    explicit ArchiveOutput(const std::string& target) : target_(target) {}

    bool begin(std::string& error) {
        if (!out_.begin(target_, platform::ReplacementFile::Links::Refuse)) {
            error = target_ + ": cannot be written (a link or no regular file there, or no room beside it)";
            return false;
        }
        return true;
    }
    // Copies the program whose bytes go in front of the archive.
    bool copyProgram(std::string& error) {
        platform::File program = platform::File::open(target_, platform::File::Mode::Read);
        const int64_t size = program.size();
        uint8_t trailer[kArchiveTrailerSize] = {};
        if (!program.isOpen() || size < 0) return fail(target_ + ": cannot be read", error);
        if (size >= kArchiveTrailerSize && program.seek(size - kArchiveTrailerSize, platform::File::Origin::Begin) >= 0 &&
            program.read(trailer, sizeof trailer) == kArchiveTrailerSize && trailer[0] == 's' && trailer[1] == 'b' &&
            trailer[2] == 'X') {
            return fail(target_ + ": already ends in an archive; append to a freshly built program", error);
        }
        if (program.seek(0, platform::File::Origin::Begin) != 0) return fail(target_ + ": cannot be read", error);
        std::vector<uint8_t> chunk(kCopyChunk);
        for (int64_t copied = 0; copied < size;) {
            const int64_t got = program.read(chunk.data(), chunk.size());
            if (got <= 0) return fail(target_ + ": cannot be read", error);
            if (!put(chunk.data(), static_cast<size_t>(got), error)) return false;
            copied += got;
        }
        return true;
    }
    bool addEntry(const PackInput& input, std::string& error) {
        std::vector<uint8_t> contents;
        if (!readWhole(input.path, contents, error)) return false;
        Packer packer;
        packer.method = 1;
        packer.pack(contents.data(), contents.size());
        if (packer.outputLength() < 4) return fail(input.path + ": cannot be packed", error);
        entries_.push_back({input.entryName, written_, packer.outputLength()});
        return put(packer.output(), static_cast<size_t>(packer.outputLength()), error);
    }
    // The directory and the trailer; then the new file takes the target's place.
    bool finish(std::string& error) {
        int64_t fileSize = written_ + kClosingSize;
        for (const PlacedEntry& entry : entries_) fileSize += directoryEntrySize(entry.name);
        if (fileSize > kLargestArchiveFile) return fail(tooLarge(target_), error);
        std::vector<uint8_t> directory;
        for (const PlacedEntry& entry : entries_) {
            directory.push_back(static_cast<uint8_t>(entry.name.size()));
            directory.insert(directory.end(), entry.name.begin(), entry.name.end());
            putI32(directory, entry.start - fileSize);
            putI32(directory, entry.packedSize);
        }
        directory.push_back(0);
        directory.insert(directory.end(), {'s', 'b', 'X'});
        putI32(directory, written_ - fileSize);
        if (!put(directory.data(), directory.size(), error)) return false;
        if (!out_.commit()) return fail(target_ + ": cannot be written", error);
        return true;
    }

private:
    bool put(const uint8_t* data, size_t n, std::string& error) {
        written_ += static_cast<int64_t>(n);
        if (written_ > kLargestArchiveFile) return fail(tooLarge(target_), error);
        if (!out_.write(data, n)) return fail(target_ + ": cannot be written", error);
        return true;
    }
    static bool fail(const std::string& message, std::string& error) {
        error = message;
        return false;
    }

    std::string target_;
    platform::ReplacementFile out_;
    int64_t written_ = 0;
    std::vector<PlacedEntry> entries_;
};

bool addEntries(ArchiveOutput& output, const std::vector<PackInput>& inputs, std::string& error) {
    for (const PackInput& input : inputs) {
        if (!output.addEntry(input, error)) return false;
    }
    return output.finish(error);
}

}  // namespace

bool writeArchiveFile(const std::string& archive, const std::vector<PackInput>& inputs, std::string& error) {
    ArchiveOutput output(archive);
    return output.begin(error) && addEntries(output, inputs, error);
}

bool appendArchiveToProgram(const std::string& program, const std::vector<PackInput>& inputs, std::string& error) {
    platform::PathInfo info;
    if (!platform::pathInfo(program, info) || info.isDirectory) {
        error = program + ": no such program";
        return false;
    }
    // Known before a byte is copied: a program this large leaves no room.
    int64_t leastSize = info.size + kClosingSize;
    for (const PackInput& input : inputs) leastSize += directoryEntrySize(input.entryName);
    if (leastSize > kLargestArchiveFile) {
        error = tooLarge(program);
        return false;
    }
    ArchiveOutput output(program);
    return output.begin(error) && output.copyProgram(error) && addEntries(output, inputs, error);
}
