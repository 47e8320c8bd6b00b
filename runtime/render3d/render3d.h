// render3d: the 3D engine.
#pragma once

// --- Engine ---
// Rainbows3D: fields, useShader, setTextureVariant3D                          rainbows_3d.h, rainbows_3d.cpp
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
// saveDdd, loadDdd, loadDddFile, encodeDdd, decodeDddRecords (record form)    ddd_file.h
// DddByteReader, DddStreamReader (fields from bytes or an open file)          ddd_bytes.h
// reserveExactly (lists sized to their counts)                                list_sizing.h
// ResolvedResource, resolveResource (archive names resolved once)             resolved_resource.h
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

// --- Debug shapes and billboards ---
// drawDebugPoint, drawDebugLine, drawAxes, drawWireSphere, drawWireBox         debug_shapes.cpp
// drawSprite3D, printText3D (over the render object)                          billboards.h
#include "runtime/render3d/billboards.h"

// --- Stencil shadows ---
// setShadowPass, endShadowsClearDepth                                          shadow_pass.cpp
// EdgeRecord; buildEdgeNeighbours                                              object_slot.h, shadow_edges.cpp
// computeLitFaces                                                              shadow_volume.cpp
// drawShadowVolume; ShadowVolumeArrays, the volume kept between draws          shadow_volume_drawing.cpp

// --- Object sets ---
// ObjectSetIndex, objectSetFolder, readObjectSetIndex, loadObjectSet          object_set_loader.h
#include "runtime/render3d/object_set_loader.h"

// --- Intersection tests and collision queries ---
// Vec3f; linePlaneIntersection, pointInPolygon, pointInConvexPolygon,
// segmentHitsPolygon, classifySphere, edgeSphereCollision,
// spherePolygonCollision, rayTriangleDistance, boxTriangleOverlap,
// coneTriangleOverlap, sphereBoxOverlap                                        geometry3d.h
// boxHits{Mesh,Object}, sphereHits{Mesh,Object}, rayDistanceTo{Mesh,Object},
// coneHits{Mesh,Object}, sphereHitsBox, lastHitIndex, lastHitFace              collision_queries.h
// ViewTransform; projectPoint, unprojectPoint, inverseOrIdentity4              screen_projection.h
#include "runtime/render3d/collision_queries.h"
#include "runtime/render3d/geometry3d.h"
#include "runtime/render3d/screen_projection.h"

// --- 3D commands ---
// start3D, end3D, setTextures3D, setCameraUp3D, setCamera3D, setCullMode3D,
// setSphereMapping3D, setNormalMode3D, endShadows3D, endShadowPass3D,
// setCameraLight3D, setLight3D, setFog3D, rotateMovement3D, setMovementPosition3D,
// setMovementScale3D, pushMovement3D, popMovement3D, multMatrix3D,
// drawAxes3D, drawLine3D, drawPoint3D, print3D, project3D, unproject3D,
// collideSphere3D, collideBox3D, collideSphereBox3D, collideRay3D,
// lastHitFace3D, useShader3D, loadShader3D, setShaderFloat3D,
// shaderErrorPrinter, stub3D; beginObject3D, addVertex3D, startPrimitive3D,
// endObject3D, loadObject3D, drawObject3D, setTextureOffset3D,
// setShadingRamp3D, firstFreeObject3D, saveObject3D, objectFaceCount3D,
// getFace3D                                                                    commands_3d.h, object_commands_3d.cpp
// intArg, floatArg, colourArg, debugSizeArg, cullModeArg, normalModeArg,
// rampByteArg                                                                  command_args_3d.h
#include "runtime/render3d/command_args_3d.h"
#include "runtime/render3d/commands_3d.h"
