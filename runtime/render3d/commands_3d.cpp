// render3d: the 3D commands of the view, lights, movement, debug drawing,
// projection, collisions and shaders. Each converts its numbers and forwards
// to the engine of RuntimeState; GL only to read the matrices back.
#include "runtime/render3d/commands_3d.h"

#include <GL/gl.h>  // Required for: matrix and viewport queries

#include <string>  // Required for: the debugger line

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/debugger.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/billboards.h"
#include "runtime/render3d/collision_queries.h"
#include "runtime/render3d/command_args_3d.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/render3d/screen_projection.h"

namespace {

constexpr uint32_t kHitColour = 0x0000FF;
constexpr uint32_t kMissColour = 0x00FF00;
constexpr int16_t kHitLineWidth = 5;
constexpr int16_t kMissLineWidth = 1;

bool debugging() { return runtimeState().debugFlag != 0; }

// The sprites last given to setTextures3D, bound with the texture variant.
void bindCommandTextures(Rainbows3D& e) {
    const RuntimeState& rs = runtimeState();
    if (e.renderer != nullptr) e.renderer->bindSprite(rs.textureFirst3D, rs.textureSecond3D, e.textureVariant != 0);
    if (e.currentShader >= 0) {
        e.setShaderUniformInt("TextureID1", 0, shaderErrorPrinter);
        e.setShaderUniformInt("TextureID2", 1, shaderErrorPrinter);
    }
}

// The matrices and viewport in force, as the projections read them.
ViewTransform currentView() {
    ViewTransform view;
    glGetFloatv(GL_PROJECTION_MATRIX, view.projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, view.modelview.data());
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (size_t i = 0; i < 4; ++i) view.viewport[i] = viewport[i];
    return view;
}

// The movement matrix brought up to date: where the queries place objects.
const Matrix4& movementMatrix(Rainbows3D& e) {
    e.updateMovementMatrix();
    return e.currentMovement().matrix;
}

Vec3f point(double x, double y, double z) { return {floatArg(x), floatArg(y), floatArg(z)}; }

uint32_t hitColour(bool hit) { return hit ? kHitColour : kMissColour; }

}  // namespace

// ---- Frame, textures and view ----

void start3D(double nearPlane, double farPlane, double fovDegrees) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    RuntimeState& rs = runtimeState();
    e->endShadowsClearDepth();
    e->setProjection(floatArg(nearPlane), floatArg(farPlane), floatArg(fovDegrees));
    // A new 3D frame starts with the fixed-function lights off.
    e->lightMask = 0;
    rs.cullModeShadow3D = 0;
    e->setCullMode(0);
    e->textureOffsetU = 0;
    e->textureOffsetV = 0;
    rs.textureFirst3D = -1;
    rs.textureSecond3D = -1;
    bindCommandTextures(*e);
}

void end3D() {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    e->setShadowPass(0);
    if (e->renderer != nullptr) e->renderer->setViewport(0, 0, 0, 0);
}

void setTextures3D(double first, double second) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    runtimeState().textureFirst3D = intArg(first);
    runtimeState().textureSecond3D = intArg(second);
    bindCommandTextures(*e);
}

void setCameraUp3D(double x, double y, double z) {
    if (Rainbows3D* e = engine3D()) e->setCameraUp(floatArg(x), floatArg(y), floatArg(z));
}

void setCamera3D(double eyeX, double eyeY, double eyeZ, double targetX, double targetY, double targetZ) {
    if (Rainbows3D* e = engine3D()) {
        e->setCamera(floatArg(eyeX), floatArg(eyeY), floatArg(eyeZ), floatArg(targetX), floatArg(targetY),
                     floatArg(targetZ));
    }
}

void setCullMode3D(double value) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    runtimeState().cullModeShadow3D = cullModeArg(value);
    e->setCullMode(cullModeArg(value));
}

void setSphereMapping3D(double value) {
    if (Rainbows3D* e = engine3D()) e->sphereMap = value != 0 ? 1 : 0;
}

void setNormalMode3D(double mode) {
    if (Rainbows3D* e = engine3D()) e->normalMode = normalModeArg(mode);
}

void endShadows3D() {
    if (Rainbows3D* e = engine3D()) e->endShadowsClearDepth();
}

void endShadowPass3D() {
    if (Rainbows3D* e = engine3D()) e->setShadowPass(0);
}

// ---- Lights and fog ----

void setCameraLight3D(double light, double colour) {
    if (Rainbows3D* e = engine3D()) e->setCameraLight(intArg(light), colourArg(colour));
}

void setLight3D(double light, double colour, double x, double y, double z, double dx, double dy, double dz,
                double spotCutoff) {
    if (Rainbows3D* e = engine3D()) {
        e->setLight(intArg(light), colourArg(colour), floatArg(x), floatArg(y), floatArg(z), floatArg(dx),
                    floatArg(dy), floatArg(dz), floatArg(spotCutoff), debugging() ? 1 : 0);
    }
}

void setFog3D(double colour, double exponential, double startOrDensity, double end) {
    if (Rainbows3D* e = engine3D()) {
        e->setFog(colourArg(colour), intArg(exponential), floatArg(startOrDensity), floatArg(end));
    }
}

// ---- Movement ----

void rotateMovement3D(double angle, double x, double y, double z) {
    if (Rainbows3D* e = engine3D()) e->rotateMovement(floatArg(angle), floatArg(x), floatArg(y), floatArg(z));
}

void setMovementPosition3D(double x, double y, double z) {
    if (Rainbows3D* e = engine3D()) e->setMovementPosition(floatArg(x), floatArg(y), floatArg(z));
}

void setMovementScale3D(double x, double y, double z) {
    if (Rainbows3D* e = engine3D()) e->setMovementScale(floatArg(x), floatArg(y), floatArg(z));
}

void pushMovement3D() {
    if (Rainbows3D* e = engine3D()) e->pushMovement();
}

void popMovement3D() {
    if (Rainbows3D* e = engine3D()) e->popMovement();
}

void multMatrix3D(const RtArray<double>& matrix) {
    Rainbows3D* e = engine3D();
    if (e == nullptr || matrix.dimensions != 1 || matrix.d1 != 16) return;
    Matrix4 m{};
    for (int32_t i = 0; i < 16; ++i) m[static_cast<size_t>(i)] = floatArg(matrix.at(i));
    e->queueMovementMatrix(m);
}

// ---- Debug drawing and text ----

void drawAxes3D(double x, double y, double z) {
    if (Rainbows3D* e = engine3D()) e->drawAxes(floatArg(x), floatArg(y), floatArg(z));
}

void drawLine3D(double x1, double y1, double z1, double x2, double y2, double z2, double width, double colour) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    const float from[3] = {floatArg(x1), floatArg(y1), floatArg(z1)};
    const float to[3] = {floatArg(x2), floatArg(y2), floatArg(z2)};
    e->drawDebugLine(from, to, colourArg(colour), debugSizeArg(width));
}

void drawPoint3D(double x, double y, double z, double size, double colour) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    const float at[3] = {floatArg(x), floatArg(y), floatArg(z)};
    e->drawDebugPoint(at, colourArg(colour), debugSizeArg(size));
}

void print3D(const RtString& text, double x, double y, double z, double size) {
    Rainbows3D* e = engine3D();
    if (e == nullptr || e->renderer == nullptr) return;
    printText3D(*e->renderer, runtimeState().currentFont, text.data, floatArg(x), floatArg(y), floatArg(z),
                floatArg(size));
}

// ---- Screen projection and collisions ----

void project3D(double x, double y, double z, double& screenX, double& screenY, double& screenZ) {
    if (engine3D() == nullptr) return;
    float wx = 0, wy = 0, wz = 0;
    if (projectPoint(currentView(), floatArg(x), floatArg(y), floatArg(z), wx, wy, wz) == 0) return;
    screenX = wx;
    screenY = wy;
    screenZ = wz;
}

void unproject3D(double screenX, double screenY, double screenZ, double& x, double& y, double& z) {
    Rainbows3D* e = engine3D();
    if (e == nullptr || e->renderer == nullptr) return;
    const double rows = e->renderer->height - 1 - screenY;
    float px = 0, py = 0, pz = 0;
    if (unprojectPoint(currentView(), floatArg(screenX), floatArg(rows), floatArg(screenZ), px, py, pz) == 0) return;
    x = px;
    y = py;
    z = pz;
}

int32_t collideSphere3D(double object, double frame, double radius, double x, double y, double z) {
    Rainbows3D* e = engine3D();
    ObjectSlot* s = e != nullptr ? e->slot(intArg(object)) : nullptr;
    if (s == nullptr) return 0;
    const Vec3f centre = point(x, y, z);
    const bool hit = sphereHitsObject(s->meshes, intArg(frame), movementMatrix(*e), floatArg(radius), centre) != 0;
    if (debugging()) {
        const float at[3] = {centre.x, centre.y, centre.z};
        e->drawWireSphere(at, floatArg(radius), hitColour(hit), hit ? kHitLineWidth : kMissLineWidth);
    }
    return hit ? 1 : 0;
}

int32_t collideBox3D(double object, double frame, double x, double y, double z, double width, double height,
                     double depth) {
    Rainbows3D* e = engine3D();
    ObjectSlot* s = e != nullptr ? e->slot(intArg(object)) : nullptr;
    if (s == nullptr) return 0;
    const Vec3f centre = point(x, y, z);
    const Vec3f a = {floatArg(width / 2), 0, 0}, b = {0, floatArg(height / 2), 0}, d = {0, 0, floatArg(depth / 2)};
    const bool hit = boxHitsObject(s->meshes, intArg(frame), movementMatrix(*e), centre, a, b, d) != 0;
    if (debugging()) {
        const float at[3] = {centre.x, centre.y, centre.z};
        const float ha[3] = {a.x, 0, 0}, hb[3] = {0, b.y, 0}, hd[3] = {0, 0, d.z};
        e->drawWireBox(at, ha, hb, hd, hitColour(hit), hit ? kHitLineWidth : kMissLineWidth);
    }
    return hit ? 1 : 0;
}

int32_t collideSphereBox3D(double x, double y, double z, double radius, double width, double height, double depth) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return 0;
    return sphereHitsBox(movementMatrix(*e), point(x, y, z), floatArg(radius), floatArg(width * 0.5),
                         floatArg(height * 0.5), floatArg(depth * 0.5));
}

double collideRay3D(double object, double frame, double x, double y, double z, double dx, double dy, double dz) {
    Rainbows3D* e = engine3D();
    ObjectSlot* s = e != nullptr ? e->slot(intArg(object)) : nullptr;
    if (s == nullptr) return 0.0;
    const Vec3f origin = point(x, y, z), direction = point(dx, dy, dz);
    const double distance = rayDistanceToObject(s->meshes, intArg(frame), movementMatrix(*e), origin, direction);
    if (debugging()) {
        const float from[3] = {origin.x, origin.y, origin.z};
        const float to[3] = {origin.x + direction.x, origin.y + direction.y, origin.z + direction.z};
        e->drawDebugLine(from, to, hitColour(distance != 0.0), 1.0f);
    }
    return distance;
}

int32_t lastHitFace3D() { return lastHitFace(); }

// ---- Shaders ----

void useShader3D(double n) {
    if (Rainbows3D* e = engine3D()) e->useShader(intArg(n));
}

int32_t loadShader3D(double n, const RtString& vertexFile, const RtString& fragmentFile) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return 0;
    return e->loadShader(intArg(n), vertexFile.data, fragmentFile.data, shaderErrorPrinter) ? 1 : 0;
}

void setShaderFloat3D(const RtString& name, double value) {
    if (Rainbows3D* e = engine3D()) e->setShaderUniformFloat(name.data, floatArg(value), shaderErrorPrinter);
}

void shaderErrorPrinter(const char* message) {
    if (!debugging() || message == nullptr || !platform::debuggerAttached()) return;
    platform::debuggerWrite(std::string("TXShader: ") + message + "\n");
}

int32_t stub3D() { return 0; }
