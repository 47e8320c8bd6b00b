// files: the language's eight numbered file channels and their typed read and
// write commands. A channel number outside 0-7 is fatal error 7; a read that
// cannot deliver or a write that cannot be done is fatal error 3; only opening
// fails softly (error 3, result 0).
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"
#include "runtime/files/file_stream.h"

constexpr int32_t kFileChannelCount = 8;

// The channel table, all closed at start.
std::array<FileStream, kFileChannelCount>& fileChannels();

// mode > 0 reads (through the main archive), 0 writes anew, < 0 appends.
int32_t openFileChannel(int32_t channel, const RtString& path, int32_t mode);
void closeFileChannel(int32_t channel);
// Closes channels 7 down to 0 (program end).
void closeAllFileChannels();
// The lowest channel without an open disk file, else -1.
int32_t freeFileChannel();
int32_t fileChannelAtEnd(int32_t channel);
int32_t fileChannelPosition(int32_t channel);
// mode 0 from the start, > 0 from the position, < 0 from the end.
void seekFileChannel(int32_t channel, int32_t offset, int32_t mode);

void channelReadInt8(int32_t channel, int32_t& out);
void channelReadUInt8(int32_t channel, int32_t& out);
void channelReadInt16(int32_t channel, int32_t& out);
void channelReadUInt16(int32_t channel, int32_t& out);
void channelReadInt32(int32_t channel, int32_t& out);
void channelReadUInt32(int32_t channel, int32_t& out);
void channelReadDouble(int32_t channel, double& out);
void channelReadFloat(int32_t channel, double& out);
void channelReadBytes(int32_t channel, RtString& out, int32_t n);
void channelReadLine(int32_t channel, RtString& out);
void channelReadLineNumber(int32_t channel, double& out);
void channelReadLineInt(int32_t channel, int32_t& out);

void channelWriteInt8(int32_t channel, int32_t value);
void channelWriteUInt8(int32_t channel, int32_t value);
void channelWriteInt16(int32_t channel, int32_t value);
void channelWriteUInt16(int32_t channel, int32_t value);
void channelWriteInt32(int32_t channel, int32_t value);
void channelWriteUInt32(int32_t channel, int32_t value);
void channelWriteDouble(int32_t channel, double value);
void channelWriteFloat(int32_t channel, double value);
void channelWriteBytes(int32_t channel, const RtString& text);
void channelWriteLine(int32_t channel, const RtString& text);
void channelWriteLineNumber(int32_t channel, double value);
void channelWriteLineInt(int32_t channel, int32_t value);
