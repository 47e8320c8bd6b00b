// tools/pack: writing an archive, alone or behind a program. Directory and
// entry offsets count back from the end of the file, so the archive's bytes
// are the same either way and any file may go in front of them.
#pragma once

#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include "tools/pack/pack_inputs.h"

// Writes the archive to a new file or over an old one. False with a message
// on any failure; an old file is then untouched.
bool writeArchiveFile(const std::string& archive, const std::vector<PackInput>& inputs, std::string& error);

// Replaces the program with its own bytes followed by the archive, keeping its
// permissions. A program that already ends in an archive is refused. False
// with a message on any failure; the program is then untouched.
bool appendArchiveToProgram(const std::string& program, const std::vector<PackInput>& inputs, std::string& error);
