// render3d: fixed-function lights, fog and face culling, and the choice of
// the engine's special lighting mode that the drawing carries out. GL only
// for light, fog and cull state.
#include <GL/gl.h>  // Required for: glLight*, glFog*, culling

#include <cmath>  // Required for: std::fabs, std::sqrt

#include "runtime/render3d/colour3.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr uint32_t kFogOff = 0xFFFFFFFFu;
constexpr float kSpecialLightThreshold = 0.00001f;
constexpr float kDirectionalCutoff = 180.0f;
constexpr float kSpotLimit = 90.0f;
constexpr uint32_t kMarkerColour = 0x80C8FF;
constexpr float kMarkerSize = 40.0f;
constexpr uint32_t kSpotMarkerColour = 0x6CAAE1;
constexpr float kSpotMarkerLength = 500.0f;
constexpr float kSpotMarkerWidth = 3.0f;
constexpr float kNoSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void normaliseUnlessTiny(float v[3]) {
    const float squared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (squared <= kZeroLengthSquared) return;
    const float length = std::sqrt(squared);
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

}  // namespace

// [SECTION] Fog and culling

void Rainbows3D::setFog(uint32_t colour, int32_t exponential, float startOrDensity, float end) {
    if (colour == kFogOff) {
        glDisable(GL_FOG);
        return;
    }
    glEnable(GL_FOG);
    if (exponential != 0) {
        glFogf(GL_FOG_MODE, GL_EXP);
        glFogf(GL_FOG_DENSITY, startOrDensity);
    } else {
        glFogf(GL_FOG_MODE, GL_LINEAR);
        if (startOrDensity == 0.0f && end == 0.0f) {
            startOrDensity = nearPlane;
            end = farPlane;
        }
        glFogf(GL_FOG_START, startOrDensity);
        glFogf(GL_FOG_END, end);
    }
    const auto fogColour = colourChannels(colour, 0.0f);
    glFogfv(GL_FOG_COLOR, fogColour.data());
}

void Rainbows3D::setCullMode(int32_t mode) {
    cullMode = static_cast<int8_t>(mode);
    applyCullMode();
}

void Rainbows3D::applyCullMode() {
    if (cullMode == 0) {
        glDisable(GL_CULL_FACE);
    } else if (cullMode == 1) {
        glFrontFace(GL_CW);
        glEnable(GL_CULL_FACE);
    } else if (cullMode == -1) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
    }
}

// [SECTION] Lights

void Rainbows3D::setLight(int32_t n, uint32_t colour, float x, float y, float z, float dx, float dy, float dz,
                          float spotCutoff, uint32_t showMarker) {
    const auto rgba = colourChannels(colour, 1.0f);
    if (n < 0) {
        specialLightPosition[0] = x;
        specialLightPosition[1] = y;
        specialLightPosition[2] = z;
        for (int i = 0; i < 3; ++i) specialLightColour[i] = rgba[static_cast<size_t>(i)];
        specialLightOn = std::fabs(spotCutoff) >= kSpecialLightThreshold ? 1 : 0;
        if (n == -1) {
            specialMode = SpecialLightMode::BumpMapping;
        } else if (n == -3) {
            specialMode = SpecialLightMode::StencilShadows;
            setShadowPass(specialLightOn);
        } else {
            specialMode = SpecialLightMode::CelShading;
        }
        return;
    }

    const int light = n & 7;
    const GLenum glLight = static_cast<GLenum>(GL_LIGHT0 + light);
    if (spotCutoff == 0.0f) {
        glDisable(glLight);
        lightMask = static_cast<uint8_t>(lightMask & ~(1u << light));
        if (lightMask == 0) glDisable(GL_LIGHTING);
        return;
    }
    float position[4] = {x, y, z, 1.0f};
    float direction[4] = {dx, dy, dz, 0.0f};
    glEnable(GL_LIGHTING);
    glEnable(glLight);
    lightMask = static_cast<uint8_t>(lightMask | (1u << light));
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (x == 0.0f && y == 0.0f && z == 0.0f && dx == 0.0f && dy == 0.0f && dz == 0.0f) {
        const float towardsViewer[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        glLightfv(glLight, GL_POSITION, towardsViewer);
        glLightfv(glLight, GL_DIFFUSE, rgba.data());
        glLightfv(glLight, GL_SPECULAR, kNoSpecular);
        glLightf(glLight, GL_SPOT_CUTOFF, kDirectionalCutoff);
        glPopMatrix();
        return;
    }
    if (spotCutoff == kDirectionalCutoff) {
        glLightf(glLight, GL_SPOT_CUTOFF, kDirectionalCutoff);
        float towardsLight[4] = {-dx, -dy, -dz, 0.0f};
        normaliseUnlessTiny(towardsLight);
        glLightfv(glLight, GL_POSITION, towardsLight);
        glLightfv(glLight, GL_DIFFUSE, rgba.data());
        glLightfv(glLight, GL_SPECULAR, kNoSpecular);
    } else if (spotCutoff > kSpotLimit) {
        glLightf(glLight, GL_SPOT_CUTOFF, kDirectionalCutoff);
        glLightfv(glLight, GL_POSITION, position);
        glLightfv(glLight, GL_DIFFUSE, rgba.data());
        glLightfv(glLight, GL_SPECULAR, rgba.data());
    } else {
        glLightf(glLight, GL_SPOT_CUTOFF, spotCutoff);
        normaliseUnlessTiny(direction);
        glLightfv(glLight, GL_POSITION, position);
        glLightfv(glLight, GL_SPOT_DIRECTION, direction);
        glLightfv(glLight, GL_DIFFUSE, rgba.data());
        glLightfv(glLight, GL_SPECULAR, rgba.data());
    }
    glPopMatrix();
    if (showMarker == 0) return;
    drawDebugPoint(position, kMarkerColour, kMarkerSize);
    if (spotCutoff <= kSpotLimit) {
        const float end[3] = {x + kSpotMarkerLength * direction[0], y + kSpotMarkerLength * direction[1],
                              z + kSpotMarkerLength * direction[2]};
        drawDebugLine(position, end, kSpotMarkerColour, kSpotMarkerWidth);
    }
}

void Rainbows3D::setCameraLight(int32_t n, uint32_t colour) {
    setLight(n, colour, eye[0], eye[1], eye[2], -eye[0], -eye[1], -eye[2], kDirectionalCutoff, 0);
}

void Rainbows3D::restoreLighting() const {
    if (lightMask != 0) glEnable(GL_LIGHTING);
}
