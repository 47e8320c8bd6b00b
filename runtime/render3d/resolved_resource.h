// render3d: resource names resolved once. A packed resource becomes a
// "mem://" block that the archive releases at its next fetch; a model load
// fetches again (the set's index, its models and textures), so each name
// keeps its own block alive for as long as the load needs it.
#pragma once

#include <string>  // Required for: std::string

#include "runtime/files/memory_blocks.h"

struct ResolvedResource {
    std::string name;   // the plain name, or the "mem://" name of the unpacked entry
    MemoryBlock block;  // that entry's block; empty for a plain file
};

// Resolves name through the program's archive: the plain file or memory
// block when it opens, else the packed entry of its base name. False when
// neither exists (out.name is then the name itself, or "" when refused).
bool resolveResource(const char* name, ResolvedResource& out);
