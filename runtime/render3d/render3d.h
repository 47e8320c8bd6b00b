// render3d: the 3D engine.
#pragma once

// --- Engine ---
// Rainbows3D (setShadowPass, useShader, shader table), setTextureVariant3D   rainbows_3d.h
#include "runtime/render3d/rainbows_3d.h"

// --- Object storage ---
// MeshVertex (88-byte record), separator keys, isSeparatorKey                 mesh_vertex.h
// MeshFrame: vertices, triangles, bounding sphere; init, free, assign          mesh_frame.h
// MeshObject: frames, workCopy, groupKeys, flags; clear, build (virtual)       mesh_object.h
#include "runtime/render3d/mesh_frame.h"
#include "runtime/render3d/mesh_object.h"
#include "runtime/render3d/mesh_vertex.h"
