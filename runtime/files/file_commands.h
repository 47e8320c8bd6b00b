// files: the language's commands on whole files and folders. They see disk
// files and "mem://" blocks, never the packed resource archive.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"

// 1 for any registered "mem://" name or a disk file that opens for reading.
int32_t fileExists(const RtString& name);
// The file's or block's size; 0 with error 3 when it does not open.
int32_t fileSizeOf(const RtString& name);
// Copies in pieces of 4096 bytes into a new file that replaces the target only
// when whole; error 3 when a side cannot be opened or the copy fails (the old
// target then stays as it was). A file copied onto itself stays.
void copyFile(const RtString& source, const RtString& target);
// 1 when the file was removed.
int32_t deleteFile(const RtString& name);
// Makes the last folder of the path; 1 when it was made.
int32_t createDirectory(const RtString& name);
int32_t directoryExists(const RtString& name);
// The working folder with "/" separators and a trailing "/".
RtString currentDirectory();
// Every "\" of text becomes "/".
void forwardSlashes(RtString& text);
// Folders (unfiltered, "." and ".." included) then files matching pattern,
// each sorted without regard to case; folders × 65536 + files.
double getFileList(const RtString& pattern, RtArray<RtString>& out);
// Compares two texts with ASCII letters folded to lower case.
double compareNoCase(const RtString& a, const RtString& b);
