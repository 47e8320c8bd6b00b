// render3d: resolving resource names once through the files subsystem.
#include "runtime/render3d/resolved_resource.h"

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"

bool resolveResource(const char* name, ResolvedResource& out) {
    ResourceArchive* archive = mainArchive();
    out.block.reset();
    const bool found = archiveFetch(archive, name, out.name, 1) != 0;
    if (found && archive != nullptr && isMemoryFileName(out.name.c_str())) out.block = archive->lastBlock;
    return found;
}
