// files: the archives' places among the runtime's engines.
#include "runtime/files/runtime_archives.h"

#include <memory>  // Required for: std::make_unique

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"

namespace {

ResourceArchive* archiveIn(EngineSlot slot) {
    return static_cast<ResourceArchive*>(runtimeState().engines.engine(slot));
}

ResourceArchive& createArchiveIn(EngineSlot slot) {
    return *runtimeState().engines.adopt(slot, std::make_unique<ResourceArchive>());
}

}  // namespace

ResourceArchive* mainArchive() { return archiveIn(EngineSlot::MainArchive); }
ResourceArchive* mediaArchive() { return archiveIn(EngineSlot::MediaArchive); }
ResourceArchive& createMainArchive() { return createArchiveIn(EngineSlot::MainArchive); }
ResourceArchive& createMediaArchive() { return createArchiveIn(EngineSlot::MediaArchive); }
