#include "tests/files/archive_writer.h"

#include <filesystem>
#include <fstream>

#include "runtime/files/packer.h"
#include "runtime/platform/files.h"

namespace {

void putI32(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> buildArchive(const std::vector<ArchiveEntry>& entries, ArchiveOffsets offsets, int64_t base) {
    std::vector<uint8_t> data;
    std::vector<int64_t> starts;
    std::vector<int32_t> sizes;
    for (const ArchiveEntry& entry : entries) {
        std::vector<uint8_t> packed = entry.packedOverride;
        if (packed.empty()) {
            Packer packer;
            packer.method = 1;
            packer.pack(entry.contents.data(), entry.contents.size());
            packed.assign(packer.output(), packer.output() + packer.outputLength());
        }
        starts.push_back(static_cast<int64_t>(data.size()));
        sizes.push_back(static_cast<int32_t>(packed.size()));
        data.insert(data.end(), packed.begin(), packed.end());
    }
    // Offsets counted back from the end of the finished file need its total.
    int64_t total = 1 + 7 + static_cast<int64_t>(data.size());
    for (const ArchiveEntry& e : entries) total += 1 + static_cast<int64_t>(e.name.size()) + 8;
    std::vector<uint8_t> directory;
    for (size_t i = 0; i < entries.size(); ++i) {
        directory.push_back(static_cast<uint8_t>(entries[i].name.size()));
        directory.insert(directory.end(), entries[i].name.begin(), entries[i].name.end());
        const int64_t offset = offsets == ArchiveOffsets::Absolute ? base + starts[i] : starts[i] - total;
        putI32(directory, entries[i].overrideOffset ? entries[i].dataOffset : static_cast<int32_t>(offset));
        putI32(directory, entries[i].overrideSize ? entries[i].packedSize : sizes[i]);
    }
    directory.push_back(0);
    std::vector<uint8_t> archive = data;
    const int64_t directoryAt = static_cast<int64_t>(data.size());
    archive.insert(archive.end(), directory.begin(), directory.end());
    archive.insert(archive.end(), {'s', 'b', 'X'});
    putI32(archive, static_cast<int32_t>(offsets == ArchiveOffsets::Absolute ? base + directoryAt
                                                                              : directoryAt - total));
    return archive;
}

std::string programWithArchive(const std::string& path, const std::vector<ArchiveEntry>& entries,
                               ArchiveOffsets offsets) {
    std::filesystem::copy_file(platform::executablePath(), path, std::filesystem::copy_options::overwrite_existing);
    const auto base = static_cast<int64_t>(std::filesystem::file_size(path));
    const std::vector<uint8_t> archive = buildArchive(entries, offsets, base);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    return path;
}
