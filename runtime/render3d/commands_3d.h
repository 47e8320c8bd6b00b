// render3d: the 3D commands of the language. Numbers arrive as double, texts
// as RtString, colours as 0x00BBGGRR; each command converts its arguments
// (command_args_3d.h) and calls the one engine of RuntimeState. Without an
// engine, and for object numbers outside 0..4095, a command does nothing and
// answers 0 (-1 for firstFreeObject3D).
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"

// ---- Frame, textures and view (commands_3d.cpp) ----
void start3D(double nearPlane, double farPlane, double fovDegrees);  // ends the shadow pass, clears depth
void end3D();                                                        // ends the shadow pass, 2D viewport again
void setTextures3D(double first, double second);                     // -1: none
void setCameraUp3D(double x, double y, double z);
void setCamera3D(double eyeX, double eyeY, double eyeZ, double targetX, double targetY, double targetZ);
void setCullMode3D(double value);  // the sign: -1, 0 or 1
void setSphereMapping3D(double value);
void setNormalMode3D(double mode);  // int(mode) % 3
void endShadows3D();
void endShadowPass3D();  // leaves depth alone: what the 2D viewport command ends first
// setTextureVariant3D: rainbows_3d.h

// ---- Lights and fog (commands_3d.cpp) ----
void setCameraLight3D(double light, double colour);
// The project's debug flag switches the light's marker on.
void setLight3D(double light, double colour, double x, double y, double z, double dx, double dy, double dz,
                double spotCutoff);
void setFog3D(double colour, double exponential, double startOrDensity, double end);  // colour -1: off

// ---- Movement (commands_3d.cpp) ----
void rotateMovement3D(double angle, double x, double y, double z);  // a 17th on one level is ignored
void setMovementPosition3D(double x, double y, double z);
void setMovementScale3D(double x, double y, double z);
void pushMovement3D();  // beyond level 15 ignored
void popMovement3D();   // at level 0: the identity
void multMatrix3D(const RtArray<double>& matrix);  // only one dimension of exactly 16

// ---- Debug drawing and text (commands_3d.cpp) ----
void drawAxes3D(double x, double y, double z);
void drawLine3D(double x1, double y1, double z1, double x2, double y2, double z2, double width, double colour);
void drawPoint3D(double x, double y, double z, double size, double colour);  // size 1..512
void print3D(const RtString& text, double x, double y, double z, double size);  // current font; size 0: flat

// ---- Screen projection and collisions (commands_3d.cpp) ----
// The window position (y from the top) and depth of a point; outputs kept
// when it has none.
void project3D(double x, double y, double z, double& screenX, double& screenY, double& screenZ);
void unproject3D(double screenX, double screenY, double screenZ, double& x, double& y, double& z);
// With the debug flag, the shape is drawn: red when it hits, green when not.
int32_t collideSphere3D(double object, double frame, double radius, double x, double y, double z);
int32_t collideBox3D(double object, double frame, double x, double y, double z, double width, double height,
                     double depth);
int32_t collideSphereBox3D(double x, double y, double z, double radius, double width, double height, double depth);
double collideRay3D(double object, double frame, double x, double y, double z, double dx, double dy, double dz);
int32_t lastHitFace3D();

// ---- Shaders (commands_3d.cpp) ----
void useShader3D(double n);
int32_t loadShader3D(double n, const RtString& vertexFile, const RtString& fragmentFile);
void setShaderFloat3D(const RtString& name, double value);
// With the project's debug flag: "Shader: " and the message to the debugger.
void shaderErrorPrinter(const char* message);
int32_t stub3D();

// ---- Objects (object_commands_3d.cpp) ----
// The builder fills triangle strips; without an open object adding,
// starting a strip and ending do nothing.
void beginObject3D(double object);
void addVertex3D(double x, double y, double z, double u, double v, double colour);
void startPrimitive3D();
void endObject3D();
// A ".ddd" model or an object-set index, the name resolved through the
// resource archive (at most 1024 characters); nothing when it does not resolve.
void loadObject3D(const RtString& path, double object);
// With the sprites of setTextures3D, the frame drawn unblended.
void drawObject3D(double object, double frame);
void setTextureOffset3D(double u, double v);
// Each value clamped to 0..255; an array of more than one dimension is fatal
// error 9.
void setShadingRamp3D(const RtArray<int32_t>& values);
int32_t firstFreeObject3D();  // -1 when every slot is used
// Writes the slot's first mesh as a ".ddd" record file; 1 whatever the write
// gives (an empty slot writes nothing).
int32_t saveObject3D(const RtString& path, double object);
int32_t objectFaceCount3D(double object);  // triangles of frame 0 over the slot's meshes
// out becomes 3 x 9: per corner x, y, z, nx, ny, nz, u, v and the colour.
// Faces count on across the slot's meshes.
void getFace3D(double object, double frame, double face, RtArray<double>& out);
