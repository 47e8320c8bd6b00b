// files: the file channel commands over FileStream. Errors go to the error
// slot; the fatal ones end the program through the core's fatal path.
#include "runtime/files/file_channels.h"

#include <algorithm>  // Required for: std::min
#include <cstring>    // Required for: memcpy, memset
#include <span>       // Required for: std::span
#include <string>     // Required for: std::string

#include "runtime/core/error_slot.h"
#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"

namespace {

FileStream& checkedChannel(int32_t channel) {
    if (static_cast<uint32_t>(channel) >= static_cast<uint32_t>(kFileChannelCount)) fatalError(kErrorOutOfMemory);
    return fileChannels()[static_cast<size_t>(channel)];
}

void setNoSuchFile() { setError(kErrorNoSuchFile); }

// Reads n little-endian bytes into the low bytes of a value preset to 0.
uint64_t readValue(int32_t channel, int32_t n) {
    FileStream& stream = checkedChannel(channel);
    uint8_t bytes[8] = {};
    if (!stream.read(bytes, n)) fatalFileError(kErrorNoSuchFile, stream.name());
    uint64_t value = 0;
    for (int32_t i = n - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

void writeValue(int32_t channel, uint64_t value, int32_t n) {
    FileStream& stream = checkedChannel(channel);
    uint8_t bytes[8];
    for (int32_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    if (!stream.write(bytes, n)) fatalFileError(kErrorNoSuchFile, stream.name());
}

void writeText(int32_t channel, const char* text, uint32_t length) {
    FileStream& stream = checkedChannel(channel);
    if (!stream.write(text, static_cast<int32_t>(length))) fatalFileError(kErrorNoSuchFile, stream.name());
}

void writeLine(int32_t channel, const RtString& text) {
    writeText(channel, text.data, text.length);
    writeText(channel, "\r\n", 2);
}

// One line, terminated, into out; a failed read is fatal.
void readLineInto(int32_t channel, RtString& out) {
    FileStream& stream = checkedChannel(channel);
    char* buffer = out.getBuffer(static_cast<uint32_t>(kLineBufferSize));
    memset(buffer, 0, kLineBufferSize);
    if (!stream.readLine(std::span<char, kLineBufferSize>(buffer, kLineBufferSize)))
        fatalFileError(kErrorNoSuchFile, stream.name());
    out.updateLength();
}

}  // namespace

std::array<FileStream, kFileChannelCount>& fileChannels() {
    static std::array<FileStream, kFileChannelCount> channels;
    return channels;
}

int32_t openFileChannel(int32_t channel, const RtString& path, int32_t mode) {
    clearError();
    FileStream& stream = checkedChannel(channel);
    stream.close();
    if (mode > 0) {
        std::string resolved;
        if (!archiveFetch(mainArchive(), path.data, resolved, 1)) setNoSuchFile();
        return stream.openRead(resolved.c_str()) ? 1 : 0;
    }
    const bool opened = mode == 0 ? stream.openWrite(path.data) : stream.openAppend(path.data);
    if (!opened) setNoSuchFile();
    return opened ? 1 : 0;
}

void closeFileChannel(int32_t channel) {
    FileStream& stream = checkedChannel(channel);
    clearError();
    stream.close();
}

void closeAllFileChannels() {
    for (int32_t channel = kFileChannelCount - 1; channel >= 0; --channel) fileChannels()[static_cast<size_t>(channel)].close();
}

int32_t freeFileChannel() {
    for (int32_t channel = 0; channel < kFileChannelCount; ++channel) {
        if (!fileChannels()[static_cast<size_t>(channel)].onDisk()) return channel;
    }
    return -1;
}

int32_t fileChannelAtEnd(int32_t channel) {
    const FileStream& stream = checkedChannel(channel);
    return stream.recordedSize() <= stream.position() ? 1 : 0;
}

int32_t fileChannelPosition(int32_t channel) { return checkedChannel(channel).position(); }

void seekFileChannel(int32_t channel, int32_t offset, int32_t mode) {
    FileStream& stream = checkedChannel(channel);
    stream.seek(offset, mode == 0 ? FileStream::Origin::Begin
                        : mode > 0 ? FileStream::Origin::Current
                                   : FileStream::Origin::End);
}

void channelReadInt8(int32_t channel, int32_t& out) { out = static_cast<int8_t>(readValue(channel, 1)); }
void channelReadUInt8(int32_t channel, int32_t& out) { out = static_cast<uint8_t>(readValue(channel, 1)); }
void channelReadInt16(int32_t channel, int32_t& out) { out = static_cast<int16_t>(readValue(channel, 2)); }
void channelReadUInt16(int32_t channel, int32_t& out) { out = static_cast<uint16_t>(readValue(channel, 2)); }
void channelReadInt32(int32_t channel, int32_t& out) { out = static_cast<int32_t>(readValue(channel, 4)); }
void channelReadUInt32(int32_t channel, int32_t& out) { out = static_cast<int32_t>(readValue(channel, 4)); }

void channelReadDouble(int32_t channel, double& out) {
    const uint64_t bits = readValue(channel, 8);
    memcpy(&out, &bits, sizeof out);
}

void channelReadFloat(int32_t channel, double& out) {
    const auto bits = static_cast<uint32_t>(readValue(channel, 4));
    float value = 0;
    memcpy(&value, &bits, sizeof value);
    out = value;
}

void channelReadBytes(int32_t channel, RtString& out, int32_t n) {
    if (n < 1) {
        out.clear();
        return;
    }
    FileStream& stream = checkedChannel(channel);
    // Room only for what the stream can give: a count taken from a file never
    // allocates beyond the file. A memory block hands over what it still has;
    // a disk file cannot give more than its whole size.
    int32_t count = n;
    if (stream.inMemory()) count = std::min(n, std::max(stream.recordedSize() - stream.position(), 0));
    if (!stream.isOpen() || (stream.onDisk() && n > stream.size())) fatalFileError(kErrorNoSuchFile, stream.name());
    char* buffer = out.getBuffer(static_cast<uint32_t>(count) + 32);
    memset(buffer, 0, static_cast<size_t>(count) + 32);
    if (!stream.read(buffer, count)) fatalFileError(kErrorNoSuchFile, stream.name());
    out.length = static_cast<uint32_t>(count);
}

void channelReadLine(int32_t channel, RtString& out) { readLineInto(channel, out); }

void channelReadLineNumber(int32_t channel, double& out) {
    RtString line;
    readLineInto(channel, line);
    out = textToDouble(line.data);
}

void channelReadLineInt(int32_t channel, int32_t& out) {
    RtString line;
    readLineInto(channel, line);
    out = textToInt(line.data);
}

void channelWriteInt8(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 1); }
void channelWriteUInt8(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 1); }
void channelWriteInt16(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 2); }
void channelWriteUInt16(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 2); }
void channelWriteInt32(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 4); }
void channelWriteUInt32(int32_t channel, int32_t value) { writeValue(channel, static_cast<uint32_t>(value), 4); }

void channelWriteDouble(int32_t channel, double value) {
    uint64_t bits = 0;
    memcpy(&bits, &value, sizeof bits);
    writeValue(channel, bits, 8);
}

void channelWriteFloat(int32_t channel, double value) {
    const auto narrow = static_cast<float>(value);
    uint32_t bits = 0;
    memcpy(&bits, &narrow, sizeof bits);
    writeValue(channel, bits, 4);
}

void channelWriteBytes(int32_t channel, const RtString& text) { writeText(channel, text.data, text.length); }
void channelWriteLine(int32_t channel, const RtString& text) { writeLine(channel, text); }
void channelWriteLineNumber(int32_t channel, double value) { writeLine(channel, RtString(value)); }
void channelWriteLineInt(int32_t channel, int32_t value) { writeLine(channel, RtString(value)); }
