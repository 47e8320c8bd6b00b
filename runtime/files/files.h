// files: streams over disk files and memory blocks, the eight file channels,
// the packed resource archive and its compressor, file and folder commands,
// the error log, INI files and the line-cached text file.
#pragma once

// --- Memory files ---
// registerMemoryBlock, findMemoryBlock, MemoryBlock (counted reference)       memory_blocks.h
// isMemoryFileName, memoryFileName, parseMemoryFileName, resolveMemoryFileName memory_blocks.h
#include "runtime/files/memory_blocks.h"

// --- Streams ---
// FileStream: openRead, openWrite, openAppend, read, readInt, write, readLine,
// seek, close, size, position                                                 file_stream.h
// toPlatformPath, kPathBufferSize                                             path_names.h
// replaceWholeFile (temporary file renamed over the old one)                  whole_file.h
#include "runtime/files/file_stream.h"
#include "runtime/files/path_names.h"
#include "runtime/files/whole_file.h"

// --- File channels ---
// openFileChannel, closeFileChannel, closeAllFileChannels, freeFileChannel    file_channels.h
// fileChannelAtEnd, fileChannelPosition, seekFileChannel                      file_channels.h
// channelRead{Int8,UInt8,Int16,UInt16,Int32,UInt32,Double,Float,Bytes,
//   Line,LineNumber,LineInt}, channelWrite{...the same}                       file_channels.h
#include "runtime/files/file_channels.h"

// --- Resource archive and compressor ---
// ResourceArchive, archiveFetch, resetArchives, archiveTempFileName           resource_archive.h
// Packer: pack, unpack (method 1 LZO1X, method 0 own), putByte, reset         packer.h
// ArchiveSource, readArchiveDirectory, ArchiveIndex (directory by name)       archive_directory.h
#include "runtime/files/archive_directory.h"
#include "runtime/files/packer.h"
#include "runtime/files/resource_archive.h"

// --- Files and folders ---
// fileExists, fileSizeOf, copyFile, deleteFile, createDirectory,
// directoryExists, currentDirectory, forwardSlashes, getFileList, compareNoCase file_commands.h
// wildcardMatch                                                               wildcard.h
#include "runtime/files/file_commands.h"
#include "runtime/files/wildcard.h"

// --- Error log ---
// appendErrorLog, errorLogPath                                                error_log.h
#include "runtime/files/error_log.h"

// --- INI files ---
// IniPair, IniSection, IniFile (load, get, write, save, text), currentIni,
// iniOpen, iniRead, iniWrite                                                  ini_file.h
#include "runtime/files/ini_file.h"

// --- Line-cached text file ---
// LineFileCache, lineFileCache, lineFileLoad, lineFileGet, lineFilePut,
// lineFileGet{Number,Int,String}, lineFilePut{Number,String}                  line_file_cache.h
#include "runtime/files/line_file_cache.h"
