// Test helper: a folder (removed afterwards) whose file system is full. Run as root, it is a small
// tmpfs mounted for the test and filled up; otherwise the platform's files
// are told that no room is left in it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

#include "runtime/platform/files.h"

class FullDisk {
public:
    explicit FullDisk(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
        mounted_ = geteuid() == 0 && mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        platform::simulateFullDisk("");
        if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    std::string file(const std::string& name) const { return (folder_ / name).string(); }
    bool realFileSystem() const { return mounted_; }

    // Takes the last free byte: every later write fails as on a full disk.
    void fill() {
        if (!mounted_) {
            platform::simulateFullDisk(folder_.string());
            return;
        }
        std::FILE* filler = std::fopen(file("filler").c_str(), "wb");
        const std::string block(4096, 'f');
        while (filler && std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
        }
        while (filler && std::fputc('f', filler) != EOF && std::fflush(filler) == 0) {
        }
        if (filler) std::fclose(filler);
    }
    // Gives the room back.
    void free() {
        platform::simulateFullDisk("");
        std::filesystem::remove(file("filler"));
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};
