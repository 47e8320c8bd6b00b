// tools/pack: the files an archive will hold, gathered from the files and
// folders named on the command line, each under its entry name.
#pragma once

#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

struct PackInput {
    std::string path;       // where the file is read from
    std::string entryName;  // its base name: the runtime looks entries up by base name only
};

// The files named and every file below the folders named, the files of a
// folder in the order of their paths. A file that is the same as leaveOut
// (the archive being written, or the program it goes into) is left out.
// False with a message when a path is missing or not a regular file or
// folder, when a name cannot be found as an entry, or when two files would
// share an entry name (names compare without regard to ASCII case, as the
// runtime's lookups do).
bool gatherPackInputs(const std::vector<std::string>& paths, const std::string& leaveOut,
                      std::vector<PackInput>& inputs, std::string& error);
