// render3d: one level of the movement stack that places objects in the world.
#pragma once

#include <array>    // Required for: the fixed tables
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/render3d/matrix4.h"

inline constexpr int32_t kMovementLevels = 16;
inline constexpr int32_t kMovementRotations = 16;
inline constexpr int32_t kMovementQueued = 16;

struct MovementRotation {
    float angle = 0;  // degrees
    float axisX = 0, axisY = 0, axisZ = 0;
};

struct MovementRecord {
    int32_t queuedCount = 0;
    int32_t rotationCount = 0;
    std::array<MovementRotation, kMovementRotations> rotations{};
    float scale[3] = {1, 1, 1};
    float translation[3] = {0, 0, 0};
    std::array<Matrix4, kMovementQueued> queued{};
    Matrix4 matrix = kIdentity4;  // already holds the parent levels
    int32_t valid = 1;            // 1 while matrix is up to date

    // The base state: identity, no rotations or queued matrices, scale 1.
    void resetToIdentity();
    // Brings matrix up to date; it multiplies onto what matrix holds.
    void update();
};
