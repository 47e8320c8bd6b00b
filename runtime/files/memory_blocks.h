// files: memory blocks that can be read as files under a "mem://%8x.%8x"
// name. The second field of the name is a handle into the runtime's registry,
// never an address: a name that is not registered acts as a missing file.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <memory>   // Required for: std::shared_ptr
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

// The bytes of one registered block; they never change after registration.
struct MemoryBlockData {
    uint32_t handle = 0;
    std::vector<uint8_t> bytes;
    ~MemoryBlockData();  // leaves the registry with the last reference
};

// A counted reference: the block lives while any reference does.
using MemoryBlock = std::shared_ptr<const MemoryBlockData>;

// Registers bytes (up to 0x7FFFFFFF of them) under a fresh handle.
MemoryBlock registerMemoryBlock(std::vector<uint8_t> bytes);

// The block a handle names; empty when none does.
MemoryBlock findMemoryBlock(uint32_t handle);

// True when the name's first six bytes are exactly "mem://".
bool isMemoryFileName(const char* name);

// "mem://%8x.%8x" of a block's size and handle.
std::string memoryFileName(const MemoryBlock& block);

// Reads size and handle from the two fields of a "mem://" name.
bool parseMemoryFileName(const char* name, uint32_t& size, uint32_t& handle);

// The block a "mem://" name stands for, when the name's size fits in the block;
// else empty. size receives the name's size: a name may cover a block's start.
MemoryBlock resolveMemoryFileName(const char* name, uint32_t& size);
