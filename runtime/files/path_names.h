// files: how the runtime's file names become platform paths.
#pragma once

#include <cstddef>  // Required for: size_t
#include <string>   // Required for: std::string

// Every name the runtime passes on fits a buffer of this many bytes, NUL included.
constexpr size_t kPathBufferSize = 1024;

// Copies name with every "\" turned into "/". Fails for a null, empty or
// over-long name (1024 bytes or more), which no operation may then use.
bool toPlatformPath(const char* name, std::string& path);
