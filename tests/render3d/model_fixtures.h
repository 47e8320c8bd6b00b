// Test helpers for model files: bytes spelled out in hex, loads from memory
// blocks and the lines that a load appends to the error log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/files/error_log.h"
#include "runtime/files/memory_blocks.h"
#include "tests/files/temp_folder.h"

// "17 B3 C6 00" -> those bytes; whitespace between bytes is ignored.
inline std::string hexBytes(const std::string& hex) {
    std::istringstream in(hex);
    std::string out, byte;
    while (in >> byte) out.push_back(static_cast<char>(std::stoul(byte, nullptr, 16)));
    return out;
}

// The bytes of a little-endian f32, for records where spelling them out
// would hide what they mean.
inline std::string f32Bytes(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    std::string out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return out;
}

// Redirects the error log into a fresh folder for the test's lifetime.
class ErrorLogCapture {
public:
    ErrorLogCapture() {
        const char* old = std::getenv("TMPDIR");
        if (old != nullptr) oldTmp_ = old;
        hadTmp_ = old != nullptr;
        setenv("TMPDIR", folder.path().c_str(), 1);
    }
    ~ErrorLogCapture() {
        if (hadTmp_) setenv("TMPDIR", oldTmp_.c_str(), 1);
        else unsetenv("TMPDIR");
    }
    // Every line logged so far.
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        std::istringstream in(readBytes(errorLogPath()));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out.push_back(line);
        }
        return out;
    }

    TempFolder folder;

private:
    std::string oldTmp_;
    bool hadTmp_ = false;
};

// Registers bytes as a memory block and keeps it alive with its name.
struct MemoryFile {
    explicit MemoryFile(const std::string& bytes)
        : block(registerMemoryBlock(std::vector<uint8_t>(bytes.begin(), bytes.end()))),
          name(memoryFileName(block)) {}
    MemoryBlock block;
    std::string name;
};
