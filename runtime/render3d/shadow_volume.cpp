// render3d: stand-ins for the stencil shadow volumes of shadow-casting meshes:
// until they are built, a mesh drawn in the shadow mode casts no shadow.
#include "runtime/render3d/object_slot.h"

void MeshObjectX::buildEdgeNeighbours() {}

void MeshObjectX::computeLitFaces(const BlockVector<MeshVertex>&, const float[3]) {}

void MeshObjectX::drawShadowVolume(const BlockVector<MeshVertex>&, const float[3], uint8_t) {}
