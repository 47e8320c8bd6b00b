// render3d: the 3D engine object. Draws into the render object's OpenGL
// context and uses the extension entry points that window creation fetched.
// Its operations live in one file per topic, named beside each group below.
#pragma once

#include <array>    // Required for: std::array
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/block_vector.h"
#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/movement_record.h"
#include "runtime/render3d/object_slot.h"

class OpenGLRainbows;

// One compiled shader program and its two shaders (0 = none).
struct ShaderSlot {
    uint32_t program = 0;
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
};

constexpr int kShaderSlots = 255;

// A plane a·x + b·y + c·z + d = 0 with a unit normal pointing inwards.
struct FrustumPlane {
    float a = 0, b = 0, c = 0, d = 0;
};

enum class SpecialLightMode : uint8_t { None = 0, BumpMapping = 1, CelShading = 2, StencilShadows = 3 };

class Rainbows3D {
public:
    // --- Construction and object slots (rainbows_3d.cpp) -------------------
    // 4096 empty slots; cannot fail.
    explicit Rainbows3D(OpenGLRainbows* renderer);
    // Gives back every GL name the engine made; the GL context must still exist.
    virtual ~Rainbows3D();
    Rainbows3D(const Rainbows3D&) = delete;
    Rainbows3D& operator=(const Rainbows3D&) = delete;
    // Slot n, or null when n is outside 0..4095: operations on other numbers do nothing.
    ObjectSlot* slot(int64_t n);


    // --- Shadow pass (shadow_pass.cpp) --------------------------------------
    // Begins (1) or ends (0) the stencil-shadow pass; ending one in progress
    // darkens the stencil-marked pixels of the whole window and restores the
    // 3D state. Nothing happens when unchanged.
    void setShadowPass(uint8_t on);
    // Ends the pass, then clears the depth buffer.
    void endShadowsClearDepth();

    // --- Shaders, texture variant (rainbows_3d.cpp) ------------------------
    // Uses shader slot n (0..254); any other n switches shaders off.
    void useShader(int n);

    // --- Shaders (shader_slots.cpp) ---------------------------------------
    // Problems are reported only through the optional callback.
    using ShaderMessage = void (*)(const char* text);
    // Compiles and links the vertex and fragment files (either may be null)
    // into slot n; false on any failure, an unreadable file included.
    bool loadShader(int n, const char* vertexFile, const char* fragmentFile, ShaderMessage callback);
    void setShaderUniformFloat(const char* name, float value, ShaderMessage callback);
    void setShaderUniformInt(const char* name, int value, ShaderMessage callback);
    void setShaderAttribute(const char* name, float value, ShaderMessage callback);
    void releaseShader(int n);
    bool checkShaderStatus(uint32_t object, bool isShader, ShaderMessage callback);

    // --- Projection, camera, movement stack, frustum (view_movement.cpp) ---
    // False (and nothing changes) when the volume would have no height or
    // no depth: the viewport height is 0, fov is 0 or near equals far.
    bool setProjection(float nearPlane, float farPlane, float fovDegrees);
    void setCameraUp(float x, float y, float z);
    void setCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ);
    void lookAt(const float eyePoint[3], const float targetPoint[3], const float up[3]);
    void updateFrustumPlanes();
    // 1 when the sphere is at least partly inside the view volume.
    uint32_t sphereInFrustum(float x, float y, float z, float radius) const;
    void updateMovementMatrix();
    void applyMovementMatrix();
    MovementRecord& currentMovement() { return movement[static_cast<size_t>(movementLevel)]; }
    // Movement commands on the current record. A new position or scale
    // starts again from the parent's matrix; what does not fit (a 17th
    // rotation or queued matrix, a push beyond level 15) is ignored.
    void setMovementPosition(float x, float y, float z);
    void setMovementScale(float x, float y, float z);
    void rotateMovement(float angleDegrees, float x, float y, float z);
    void queueMovementMatrix(const Matrix4& m);
    void pushMovement();
    void popMovement();
    // Level 0 holding the identity.
    void resetMovementStack();

    // --- Lights, fog and face culling (lighting.cpp) -----------------------
    void setFog(uint32_t colour, int32_t exponential, float startOrDensity, float end);
    void setCullMode(int32_t mode);
    void applyCullMode();
    void setLight(int32_t n, uint32_t colour, float x, float y, float z, float dx, float dy, float dz,
                  float spotCutoff, uint32_t showMarker);
    void setCameraLight(int32_t n, uint32_t colour);

    // --- Drawing (mesh_drawing.cpp) ----------------------------------------
    // Draws slot n (nothing for numbers outside 0..4095) at the current
    // movement matrix; frames blend as chooseFrames says.
    void drawObject(int64_t n, int32_t frameA, int32_t frameB, float t, uint8_t interpolate);
    // textureIds null: the bound sprites' textures from the sprite store.
    void drawMesh(MeshObjectX* mesh, int32_t frameA, int32_t frameB, float t, uint8_t interpolate,
                  const uint32_t* textureIds);
    void setTextureOffset(float u, float v);
    // count < 1: the single value 255. Every shade texture is built again.
    void setShadingRamp(const uint8_t* values, int32_t count);

    // --- Loading and the object builder (object_builder.cpp) --------------
    // Fills slot n from a ".ddd" model, or from an object-set index when the
    // file begins with ";DDW"; 1 loaded, 0 failed (the slot is then empty).
    // fileName is opened as it is (callers resolve archive names once); a
    // set's files are found beside requestedName, the name asked for, when given.
    uint8_t loadObject(const char* fileName, int64_t n, const char* requestedName = nullptr);
    // Opens slot n for building; primitive types: 0 triangle list, 2 fan,
    // any other a strip. Opening another object abandons the open one.
    void builderBeginObject(int64_t n, int32_t primitiveType);
    void builderStartPrimitive(int32_t primitiveType);
    // Texture v is stored negated; colours at or above 0xFFFFFFFC are markers.
    void builderAddVertex(float x, float y, float z, float u, float v, uint32_t colour);
    // Prepares the open object for drawing. Without an open object the
    // builder operations do nothing. Running out of storage at any step
    // logs "# malloc error", empties the slot and closes the object.
    void builderEndObject();

    // --- Debug shapes (debug_shapes.cpp) -----------------------------------
    void drawDebugPoint(const float position[3], uint32_t colour, float size);
    void drawDebugLine(const float from[3], const float to[3], uint32_t colour, float width);
    // Red, green and blue arrows 20 units long along x, y and z from the
    // point, in the camera's view whatever the movement.
    void drawAxes(float x, float y, float z);
    // An icosahedron split once: 80 line loops on the sphere.
    void drawWireSphere(const float centre[3], float radius, uint32_t colour, int16_t lineWidth);
    // The 12 edges of the box with corners centre ± a ± b ± c (half axes).
    void drawWireBox(const float centre[3], const float a[3], const float b[3], const float c[3],
                     uint32_t colour, int16_t lineWidth);

    // --- Fields -----------------------------------------------------------
    BlockVector<ObjectSlot> objects{kMeshListStep, kMeshListFirstCapacity};
    std::array<FrustumPlane, 6> frustumPlanes{};  // right, left, bottom, top, far, near
    std::array<ShaderSlot, kShaderSlots> shaders{};
    int32_t currentShader = -1;
    uint8_t shadowPass = 0;
    int8_t cullMode = 0;
    std::array<MovementRecord, kMovementLevels> movement{};
    int32_t movementLevel = 0;
    Matrix4 viewMatrix = kIdentity4;
    float textureOffsetU = 0;
    float textureOffsetV = 0;
    uint8_t lightMask = 0;  // bit n: GL light n is on
    uint8_t sphereMap = 0;
    OpenGLRainbows* renderer = nullptr;
    uint8_t specialLightOn = 0;
    SpecialLightMode specialMode = SpecialLightMode::None;
    float specialLightPosition[3] = {0, 0, 0};
    float specialLightColour[3] = {0, 0, 0};
    float cameraUp[3] = {0, 1, 0};
    float eye[3] = {0, 0, 0};
    float target[3] = {0, 0, -1};
    float fovTangent = 0;
    float nearPlane = 0;
    float farPlane = 0;
    int32_t normalMode = 2;  // built objects: 0 no normals, 1 and 2 the two kinds
    int32_t textureVariant = 0;  // 1 = bind each sprite's second texture
    int32_t builderObject = -1;  // the slot being built; -1 none

private:
    // A new placement of the current record: it starts again from the
    // parent's matrix, without rotations or queued matrices.
    MovementRecord& startPlacement();
    // Frame 0 of the object being built; null when none is open.
    MeshFrame* builderFrame();
    void builderAppend(const MeshVertex& record);
    void failBuild();
    // The cel-shading outline of the drawn work copy; false when the object
    // is too small on screen for one.
    bool drawOutline(MeshObjectX& mesh, const MeshFrame& frame, const uint32_t* textureIds);
    // Lighting on again after a draw that switched it off, when a light is on:
    // what is drawn next must not depend on the order of the draws.
    void restoreLighting() const;
};

// The 3D texture selection: the integer of mode, kept by the engine.
void setTextureVariant3D(double mode);
