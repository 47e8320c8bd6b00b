// Projection, camera, lights, fog and culling, checked by reading GL state back.
#include <cmath>

#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/matrix_expect.h"

namespace {

constexpr float kDegrees = 3.14159265f / 180.0f;

TEST_F(Gl3D, ProjectionSetsTheDefault3DState) {
    glEnable(GL_LIGHTING);
    glEnable(GL_FOG);
    engine->sphereMap = 1;
    engine->specialLightOn = 1;
    engine->setCameraUp(1, 0, 0);
    engine->setMovementPosition(4, 5, 6);
    ASSERT_TRUE(engine->setProjection(2.0f, 500.0f, 60.0f));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_FALSE(enabled(GL_CULL_FACE));
    EXPECT_TRUE(enabled(GL_ALPHA_TEST));
    EXPECT_TRUE(enabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_FOG));
    EXPECT_FALSE(enabled(GL_STENCIL_TEST));
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(engine->sphereMap, 0);
    EXPECT_EQ(engine->specialLightOn, 0);
    EXPECT_EQ(engine->cameraUp[0], 0.0f);
    EXPECT_EQ(engine->cameraUp[1], 1.0f);
    EXPECT_EQ(engine->nearPlane, 2.0f);
    EXPECT_EQ(engine->farPlane, 500.0f);
    expectMatrixNear(engine->currentMovement().matrix, kIdentity4);
    expectMatrixNear(matrix(GL_MODELVIEW_MATRIX), kIdentity4);
    expectMatrixNear(engine->viewMatrix, kIdentity4);
    // The perspective volume: 640 x 480 gives aspect 4/3.
    const Matrix4 p = matrix(GL_PROJECTION_MATRIX);
    const float h = std::tan(30.0f * kDegrees) * 2.0f;
    EXPECT_NEAR(p[5], 2.0f / h, 1e-4);  // near / h
    EXPECT_NEAR(p[0], 2.0f / (h * 640.0f / 480.0f), 1e-4);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
}

TEST_F(Gl3D, FieldOfViewGivesTheOutlineTangentAndOrthographicVolumes) {
    struct Case {
        float fov, fovTangent;
    };
    const Case cases[] = {{30, std::tan(35 * kDegrees)}, {84, std::tan(89 * kDegrees)},
                          {90, std::tan(89 * kDegrees)}, {-45, std::tan(89 * kDegrees)}};
    for (const Case& c : cases) {
        ASSERT_TRUE(engine->setProjection(1.0f, 100.0f, c.fov));
        EXPECT_NEAR(engine->fovTangent, c.fovTangent, c.fovTangent * 1e-5) << c.fov;
    }
    // fov -45: orthographic with half-height tan(22.5 degrees) x near x 100.
    ASSERT_TRUE(engine->setProjection(0.5f, 100.0f, -45.0f));
    const float h = std::tan(22.5f * kDegrees) * 0.5f * 100.0f;
    const Matrix4 p = matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5], 1.0f / h, 1e-5);
    EXPECT_NEAR(p[15], 1.0f, 1e-6);  // no perspective division
}

TEST_F(Gl3D, ProjectionsWithoutHeightOrDepthAreRefused) {
    const Matrix4 before = matrix(GL_PROJECTION_MATRIX);
    const float tangent = engine->fovTangent;
    struct Case {
        float nearPlane, farPlane, fov;
    };
    for (const Case& c : {Case{1, 100, 0}, Case{5, 5, 60}, Case{0, 100, 60}, Case{0, 100, -30}}) {
        EXPECT_FALSE(engine->setProjection(c.nearPlane, c.farPlane, c.fov)) << c.nearPlane << " " << c.fov;
        expectMatrixNear(matrix(GL_PROJECTION_MATRIX), before);
        EXPECT_EQ(engine->fovTangent, tangent);
        EXPECT_EQ(engine->nearPlane, 1.0f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Gl3D, TheCameraLoadsTheViewMatrixAndResetsMovement) {
    engine->setMovementPosition(1, 2, 3);
    engine->pushMovement();
    engine->setCamera(0, 0, 10, 0, 0, 0);
    expectMatrixNear(engine->viewMatrix, translation4(0, 0, -10));
    expectMatrixNear(engine->viewMatrix, matrix(GL_MODELVIEW_MATRIX));
    EXPECT_EQ(engine->movementLevel, 0);
    expectMatrixNear(engine->currentMovement().matrix, kIdentity4);

    // Looking along +x from the origin: the target lands on the -z axis.
    engine->setCamera(0, 0, 0, 5, 0, 0);
    const float target[3] = {5, 0, 0};
    const auto seen = transformPoint4(engine->viewMatrix, target);
    EXPECT_NEAR(seen[0], 0, 1e-5);
    EXPECT_NEAR(seen[1], 0, 1e-5);
    EXPECT_NEAR(seen[2], -5, 1e-5);
}

TEST_F(Gl3D, FrustumPlanesFollowTheCamera) {
    engine->setCamera(0, 0, 10, 0, 0, 0);
    struct Case {
        float x, y, z, radius;
        uint32_t visible;
    };
    const Case cases[] = {
        {0, 0, 0, 1, 1},          // in front of the camera
        {0, 0, 20, 1, 0},         // behind it
        {0, 0, 20, 15, 1},        // behind, but reaching into the volume
        {0, 0, -1000, 1, 0},      // beyond the far plane
        {1000, 0, 0, 1, 0},       // far to the right
        {0, -1000, 0, 1, 0},      // far below
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engine->sphereInFrustum(c.x, c.y, c.z, c.radius), c.visible) << c.x << "," << c.y << "," << c.z;
    }
}

TEST_F(Gl3D, DirectionalPointAndSpotLightsSetTheirGLLight) {
    engine->setLight(0, 0x0000FF, 0, 0, 0, 0, 0, -2, 180, 0);  // directional, shining down -z
    EXPECT_TRUE(enabled(GL_LIGHTING));
    EXPECT_TRUE(enabled(GL_LIGHT0));
    EXPECT_EQ(engine->lightMask, 1);
    const auto dirPos = lightValue(GL_LIGHT0, GL_POSITION);
    EXPECT_NEAR(dirPos[2], 1.0f, 1e-6);  // towards the light, normalised
    EXPECT_EQ(dirPos[3], 0.0f);
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_DIFFUSE), (std::array<float, 4>{1, 0, 0, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_SPECULAR), (std::array<float, 4>{0, 0, 0, 1}));

    engine->setLight(9, 0x00FF00, 1, 2, 3, 0, 0, 0, 100, 0);  // 9 & 7: light 1, a point light
    EXPECT_EQ(engine->lightMask, 3);
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_POSITION), (std::array<float, 4>{1, 2, 3, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_SPOT_CUTOFF)[0], 180.0f);
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_SPECULAR), (std::array<float, 4>{0, 1, 0, 1}));

    engine->setLight(2, 0xFFFFFF, 0, 5, 0, 0, -3, 0, 30, 0);  // a spot light
    EXPECT_EQ(lightValue(GL_LIGHT2, GL_SPOT_CUTOFF)[0], 30.0f);
    const auto spotDir = lightValue(GL_LIGHT2, GL_SPOT_DIRECTION);
    EXPECT_NEAR(spotDir[1], -1.0f, 1e-6);
    // A negative cut-off reaches GL, which refuses it: the light keeps 30.
    engine->setLight(2, 0xFFFFFF, 0, 5, 0, 0, -3, 0, -10, 0);
    EXPECT_EQ(lightValue(GL_LIGHT2, GL_SPOT_CUTOFF)[0], 30.0f);
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST_F(Gl3D, TurningOffTheLastLightTurnsOffLighting) {
    engine->setLight(2, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 180, 0);
    engine->setLight(5, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 180, 0);
    engine->setLight(2, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(enabled(GL_LIGHT2));
    EXPECT_TRUE(enabled(GL_LIGHTING));
    engine->setLight(5, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(engine->lightMask, 0);
    EXPECT_FALSE(enabled(GL_LIGHTING));
}

TEST_F(Gl3D, LightsLeaveTheMatrixStackAsFound) {
    const GLint depth = integer(GL_MODELVIEW_STACK_DEPTH);
    engine->setLight(0, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 1, 0);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_POSITION), (std::array<float, 4>{0, 0, 1, 0}));
    // With markers the debug shapes restore the colour and lighting too.
    engine->setLight(1, 0xFFFFFF, 1, 2, 3, 0, -1, 0, 45, 1);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_TRUE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(enabled(GL_POINT_SMOOTH));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2], 3.0f);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
}

TEST_F(Gl3D, SpecialLightsSelectTheModeAndTheShadowPass) {
    engine->setLight(-1, 0xFFFFFF, 1, 2, 3, 0, 0, 0, 1, 0);
    EXPECT_EQ(engine->specialMode, SpecialLightMode::BumpMapping);
    EXPECT_EQ(engine->specialLightOn, 1);
    EXPECT_EQ(engine->specialLightPosition[2], 3.0f);
    engine->setLight(-7, 0xFF0000, 0, 0, 0, 0, 0, 0, 0.000001f, 0);
    EXPECT_EQ(engine->specialMode, SpecialLightMode::CelShading);
    EXPECT_EQ(engine->specialLightOn, 0);
    EXPECT_EQ(engine->specialLightColour[2], 1.0f);
    engine->setLight(-3, 0, 0, 10, 0, 0, 0, 0, 1, 0);
    EXPECT_EQ(engine->specialMode, SpecialLightMode::StencilShadows);
    EXPECT_EQ(engine->shadowPass, 1);
    engine->setLight(-3, 0, 0, 10, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(engine->specialLightOn, 0);
    EXPECT_EQ(engine->shadowPass, 0);
    EXPECT_EQ(engine->lightMask, 0);
}

TEST_F(Gl3D, FogModesAndTheirRange) {
    ASSERT_TRUE(engine->setProjection(3.0f, 300.0f, 60.0f));
    engine->setFog(0x0000FF, 0, 0, 0);
    EXPECT_TRUE(enabled(GL_FOG));
    EXPECT_EQ(integer(GL_FOG_MODE), GL_LINEAR);
    float value = 0;
    glGetFloatv(GL_FOG_START, &value);
    EXPECT_EQ(value, 3.0f);
    glGetFloatv(GL_FOG_END, &value);
    EXPECT_EQ(value, 300.0f);
    std::array<float, 4> colour{};
    glGetFloatv(GL_FOG_COLOR, colour.data());
    EXPECT_EQ(colour, (std::array<float, 4>{1, 0, 0, 0}));

    engine->setFog(0x00FF00, 1, 0.25f, 99);
    EXPECT_EQ(integer(GL_FOG_MODE), GL_EXP);
    glGetFloatv(GL_FOG_DENSITY, &value);
    EXPECT_EQ(value, 0.25f);

    engine->setFog(0xFFFFFFFF, 0, 5, 6);
    EXPECT_FALSE(enabled(GL_FOG));
}

TEST_F(Gl3D, CullModesSetTheFrontFace) {
    struct Case {
        int32_t mode;
        bool culling;
        GLint frontFace;
    };
    const Case cases[] = {{1, true, GL_CW}, {0, false, GL_CW}, {-1, true, GL_CCW}, {7, true, GL_CCW}};
    for (const Case& c : cases) {
        engine->setCullMode(c.mode);  // 7 is stored and leaves GL as it was
        EXPECT_EQ(engine->cullMode, c.mode) << c.mode;
        EXPECT_EQ(enabled(GL_CULL_FACE), c.culling) << c.mode;
        EXPECT_EQ(integer(GL_FRONT_FACE), c.frontFace) << c.mode;
    }
}

}  // namespace
