// render3d: object sets: an index file beginning with ";DDW" that lists
// several ".ddd" models and their textures for one slot.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/render3d/object_slot.h"

// Fills slot from the index file; the images take colourKey. 1 on success.
uint8_t loadObjectSet(const char* indexPath, ObjectSlot& slot, uint32_t colourKey);
