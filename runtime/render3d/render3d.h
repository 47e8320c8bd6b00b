// render3d: the 3D engine.
#pragma once

// --- Engine ---
// Rainbows3D: fields, shadow pass, useShader, setTextureVariant3D              rainbows_3d.h, rainbows_3d.cpp
// shader table: loadShader, uniforms, attributes, releaseShader                shader_slots.cpp
#include "runtime/render3d/rainbows_3d.h"

// --- Object storage ---
// MeshVertex (88-byte record), separator keys, isSeparatorKey                 mesh_vertex.h
// MeshFrame: vertices, triangles, bounding sphere; init, free, assign          mesh_frame.h
// MeshObject: frames, workCopy, groupKeys, flags; clear, build (virtual)       mesh_object.h
#include "runtime/render3d/mesh_frame.h"
#include "runtime/render3d/mesh_object.h"
#include "runtime/render3d/mesh_vertex.h"

// --- Group table, normals and tangents ---
// MeshObject::buildGroupTable, MeshObject::buildNormals (mesh_normals.cpp)     mesh_object.h
// positionWeldKey                                                              mesh_normals.h
#include "runtime/render3d/mesh_normals.h"

// --- Model files ---
// dddNormalTable (162 unit normals), nearestDddNormal                         ddd_normal_table.h
// saveDdd, loadDdd, encodeDdd, decodeDddRecords (record form)                 ddd_file.h
// DddTextModel (toMesh), readDddText, loadDddText (text form)                 ddd_text_form.h
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/ddd_normal_table.h"
#include "runtime/render3d/ddd_text_form.h"

// --- View and movement ---
// setProjection, setCameraUp, setCamera, lookAt                                view_movement.cpp
// updateFrustumPlanes, sphereInFrustum                                         view_movement.cpp
// MovementRecord; updateMovementMatrix, applyMovementMatrix, push/pop,         movement_record.h,
//   setMovementPosition/Scale, rotateMovement, queueMovementMatrix             view_movement.cpp
// Matrix4: multiply4, translation4, rotation4, scaling4, rigidInverse4         matrix4.h
#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/movement_record.h"

// --- Lighting ---
// setFog, setCullMode, applyCullMode, setLight, setCameraLight                 lighting.cpp
// drawDebugPoint, drawDebugLine                                                debug_shapes.cpp
