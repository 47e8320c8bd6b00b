// FileStream::readLine over arbitrary bytes: every line terminated, the stream
// always moving forward.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/files/file_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    FileStream stream;
    if (!stream.openRead(memoryFileName(block).c_str())) return 0;
    std::array<char, kLineBufferSize> line{};
    int32_t before = stream.position();
    while (stream.readLine(line)) {
        if (memchr(line.data(), 0, line.size()) == nullptr || stream.position() <= before) abort();
        before = stream.position();
    }
    return 0;
}
