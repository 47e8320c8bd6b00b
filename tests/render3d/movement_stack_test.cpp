// The engine's slot table and its movement stack, without GL.
#include <gtest/gtest.h>

#include "runtime/render3d/rainbows_3d.h"
#include "tests/render3d/matrix_expect.h"

namespace {

std::array<float, 3> apply(const Matrix4& m, float x, float y, float z) {
    const float p[3] = {x, y, z};
    return transformPoint4(m, p);
}

TEST(Engine3D, AFreshEngineHasEmptySlotsAndDefaults) {
    Rainbows3D engine(nullptr);
    EXPECT_EQ(engine.objects.count, 4096);
    EXPECT_EQ(engine.objects.capacity, 4224);
    for (int32_t n = 0; n < engine.objects.count; ++n) {
        ASSERT_EQ(engine.objects.data[n].used, 0) << n;
        ASSERT_EQ(engine.objects.data[n].meshes.count, 0) << n;
    }
    EXPECT_EQ(engine.lightMask, 0);
    EXPECT_EQ(engine.normalMode, 2);
    EXPECT_EQ(engine.shadowPass, 0);
    EXPECT_EQ(engine.currentShader, -1);
    for (const ShaderSlot& s : engine.shaders) EXPECT_EQ(s.program | s.vertexShader | s.fragmentShader, 0u);
    EXPECT_NE(engine.slot(0), nullptr);
    EXPECT_NE(engine.slot(4095), nullptr);
    EXPECT_EQ(engine.slot(-1), nullptr);
    EXPECT_EQ(engine.slot(4096), nullptr);
}

TEST(MovementStack, APointIsScaledThenRotatedThenTranslatedThenQueuedThenParent) {
    Rainbows3D engine(nullptr);
    engine.setMovementPosition(10, 0, 0);
    engine.pushMovement();
    engine.setMovementScale(2, 2, 2);
    engine.setMovementPosition(0, 5, 0);
    engine.rotateMovement(90, 0, 0, 1);  // x -> y
    engine.rotateMovement(90, 0, 1, 0);  // then about y
    engine.queueMovementMatrix(translation4(0, 0, 100));
    engine.updateMovementMatrix();
    // (1, 0, 0) scaled (2, 0, 0), about y by 90 after about z by 90: the
    // rotations apply in the order added: z first gives (0, 2, 0), y keeps it;
    // then (0, 5, 0), then the queued (0, 0, 100), then the parent's (10, 0, 0).
    const auto p = apply(engine.currentMovement().matrix, 1, 0, 0);
    EXPECT_NEAR(p[0], 10, 1e-4);
    EXPECT_NEAR(p[1], 7, 1e-4);
    EXPECT_NEAR(p[2], 100, 1e-4);
    // Rotations in the other order give a different point: order matters.
    engine.setMovementPosition(0, 0, 0);
    engine.rotateMovement(90, 0, 1, 0);
    engine.rotateMovement(90, 0, 0, 1);
    engine.updateMovementMatrix();
    const auto q = apply(engine.currentMovement().matrix, 1, 0, 0);
    EXPECT_NEAR(q[0], 10, 1e-4);
    EXPECT_NEAR(q[1], 0, 1e-4);
    EXPECT_NEAR(q[2], -2, 1e-4);
}

TEST(MovementStack, AxesAlongOneCoordinateIgnoreLengthAndTinyOtherAxesAreSkipped) {
    struct Case {
        float angle, x, y, z;
        Matrix4 expected;
    };
    const Case cases[] = {
        {30, 0, 0, -1, rotation4(-30, 0, 0, 1)},
        {30, 0, 0, -7, rotation4(-30, 0, 0, 1)},
        {40, 0.00005f, 0, 0, rotation4(40, 1, 0, 0)},
        {40, 0, 3, 0, rotation4(40, 0, 1, 0)},
        {40, 0.00005f, 0.00005f, 0, kIdentity4},
        {40, 0, 0, 0, kIdentity4},
        {90, 1, 1, 0, rotation4(90, 0.70710678f, 0.70710678f, 0)},
    };
    for (const Case& c : cases) {
        Rainbows3D engine(nullptr);
        engine.rotateMovement(c.angle, c.x, c.y, c.z);
        engine.updateMovementMatrix();
        SCOPED_TRACE(testing::Message() << c.angle << " about " << c.x << "," << c.y << "," << c.z);
        expectMatrixNear(engine.currentMovement().matrix, c.expected);
    }
}

TEST(MovementStack, ARotationAfterAnUpdateReappliesTheWholeRecord) {
    Rainbows3D engine(nullptr);
    engine.setMovementPosition(1, 0, 0);
    engine.updateMovementMatrix();
    engine.rotateMovement(90, 0, 0, 1);
    engine.updateMovementMatrix();
    // T(1,0,0) x T(1,0,0) x R: the translation is applied twice.
    expectMatrixNear(engine.currentMovement().matrix,
                     multiply4(translation4(1, 0, 0), multiply4(translation4(1, 0, 0), rotation4(90, 0, 0, 1))));
    engine.setMovementPosition(1, 0, 0);  // a new placement starts again
    engine.updateMovementMatrix();
    expectMatrixNear(engine.currentMovement().matrix, translation4(1, 0, 0));
}

TEST(MovementStack, WhatDoesNotFitIsIgnored) {
    Rainbows3D engine(nullptr);
    for (int i = 0; i < 17; ++i) engine.rotateMovement(10, 0, 0, 1);
    EXPECT_EQ(engine.currentMovement().rotationCount, 16);
    engine.updateMovementMatrix();
    expectMatrixNear(engine.currentMovement().matrix, rotation4(160, 0, 0, 1), 1e-4f);

    for (int i = 0; i < 17; ++i) engine.queueMovementMatrix(translation4(1, 0, 0));
    EXPECT_EQ(engine.currentMovement().queuedCount, 16);

    for (int i = 0; i < 20; ++i) engine.pushMovement();
    EXPECT_EQ(engine.movementLevel, 15);
    for (int i = 0; i < 20; ++i) engine.popMovement();
    EXPECT_EQ(engine.movementLevel, 0);
    expectMatrixNear(engine.currentMovement().matrix, kIdentity4);
    EXPECT_EQ(engine.currentMovement().rotationCount, 0);
}

TEST(MovementStack, PushCarriesTheParentAndPopReturnsToIt) {
    Rainbows3D engine(nullptr);
    engine.setMovementPosition(0, 3, 0);
    engine.pushMovement();
    expectMatrixNear(engine.currentMovement().matrix, translation4(0, 3, 0));
    engine.setMovementScale(2, 1, 1);
    engine.updateMovementMatrix();
    expectMatrixNear(engine.currentMovement().matrix, multiply4(translation4(0, 3, 0), scaling4(2, 1, 1)));
    engine.popMovement();
    EXPECT_EQ(engine.movementLevel, 0);
    expectMatrixNear(engine.currentMovement().matrix, translation4(0, 3, 0));
}

TEST(Matrix4, RigidInverseUndoesRotationAndTranslation) {
    const Matrix4 m = multiply4(translation4(3, -2, 5), rotation4(37, 0.48f, 0.6f, 0.64f));
    expectMatrixNear(multiply4(rigidInverse4(m), m), kIdentity4);
}

}  // namespace

namespace {

TEST(Frustum, ASphereTouchingAPlaneCountsAsVisible) {
    Rainbows3D engine(nullptr);
    for (FrustumPlane& p : engine.frustumPlanes) p = {0, 0, 0, 1e9f};
    engine.frustumPlanes[4] = {1, 0, 0, 5};  // x >= -5 is inside
    EXPECT_EQ(engine.sphereInFrustum(-7, 0, 0, 2), 1u);
    EXPECT_EQ(engine.sphereInFrustum(-7, 0, 0, 1.5f), 0u);
    EXPECT_EQ(engine.sphereInFrustum(-4, 0, 0, 0), 1u);
}

}  // namespace
