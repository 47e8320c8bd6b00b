// files: the registry of memory blocks behind "mem://" names. Uses only the
// standard library; never touches the disk.
#include "runtime/files/memory_blocks.h"

#include <cstdio>         // Required for: snprintf
#include <cstring>        // Required for: strncmp, strlen
#include <mutex>          // Required for: std::mutex, std::lock_guard
#include <unordered_map>  // Required for: std::unordered_map

namespace {

constexpr size_t kMaxBlockSize = 0x7FFFFFFF;  // sizes are signed 32-bit in a FileStream

struct Registry {
    std::mutex lock;
    std::unordered_map<uint32_t, std::weak_ptr<const MemoryBlockData>> blocks;
    uint32_t lastHandle = 0;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One field of the name: blanks, then up to eight hexadecimal digits.
bool parseField(const char* text, uint32_t& value) {
    while (*text == ' ') ++text;
    uint32_t result = 0;
    int digits = 0;
    for (int d; (d = hexValue(*text)) >= 0; ++text) {
        if (++digits > 8) return false;
        result = result * 16 + static_cast<uint32_t>(d);
    }
    value = result;
    return digits > 0;
}

}  // namespace

MemoryBlockData::~MemoryBlockData() {
    Registry& reg = registry();
    std::lock_guard<std::mutex> guard(reg.lock);
    auto it = reg.blocks.find(handle);
    // The slot may already name a newer block only if handles wrapped; leave that one.
    if (it != reg.blocks.end() && it->second.expired()) reg.blocks.erase(it);
}

MemoryBlock registerMemoryBlock(std::vector<uint8_t> bytes) {
    if (bytes.size() > kMaxBlockSize) return {};
    auto block = std::make_shared<MemoryBlockData>();
    block->bytes = std::move(bytes);
    Registry& reg = registry();
    std::lock_guard<std::mutex> guard(reg.lock);
    // Handle 0 is never given out, and a live handle is never reused.
    do {
        ++reg.lastHandle;
    } while (reg.lastHandle == 0 || reg.blocks.count(reg.lastHandle) != 0);
    block->handle = reg.lastHandle;
    reg.blocks[block->handle] = block;
    return block;
}

MemoryBlock findMemoryBlock(uint32_t handle) {
    Registry& reg = registry();
    std::lock_guard<std::mutex> guard(reg.lock);
    auto it = reg.blocks.find(handle);
    return it == reg.blocks.end() ? MemoryBlock() : it->second.lock();
}

bool isMemoryFileName(const char* name) { return name && strncmp(name, "mem://", 6) == 0; }

std::string memoryFileName(const MemoryBlock& block) {
    if (!block) return {};
    char text[32];
    snprintf(text, sizeof text, "mem://%8x.%8x", static_cast<unsigned>(block->bytes.size()),
             static_cast<unsigned>(block->handle));
    return text;
}

bool parseMemoryFileName(const char* name, uint32_t& size, uint32_t& handle) {
    if (!isMemoryFileName(name) || strlen(name) < 16 || name[14] != '.') return false;
    return parseField(name + 6, size) && parseField(name + 15, handle);
}

MemoryBlock resolveMemoryFileName(const char* name, uint32_t& size) {
    uint32_t handle = 0;
    if (!parseMemoryFileName(name, size, handle)) return {};
    MemoryBlock block = findMemoryBlock(handle);
    if (!block || size > block->bytes.size()) return {};
    return block;
}
