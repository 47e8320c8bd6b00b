// render3d: drawing a slot's meshes at the current movement matrix: frame
// blending, view-volume culling, vertex buffers when the driver has them, one
// or two texture units, vertex colours, lighting, sphere mapping, bump
// mapping and cel shading with outlines. GL through the extension table; the
// render object gives the bound sprites and the global alpha.
//
// Index of this file:
// [SECTION] Frame choice and shading ramp
// [SECTION] Work copy
// [SECTION] Arrays and texture units
// [SECTION] Outline
// [SECTION] Drawing
// [SECTION] Shade texture
#include <GL/gl.h>  // Required for: vertex arrays, texture environment

#include <GL/glext.h>  // Required for: combiner and buffer enums

#include <algorithm>  // Required for: std::clamp, std::max
#include <cmath>      // Required for: std::fmod, std::fabs, std::trunc, std::sqrt, std::isfinite
#include <cstddef>    // Required for: offsetof
#include <cstdint>    // Required for: uintptr_t
#include <vector>     // Required for: the texel buffer

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/mesh_drawing.h"
#include "runtime/render3d/mesh_streams.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr GLsizei kStride = sizeof(MeshVertex);
constexpr float kOutlineScale = 0.003f;
constexpr float kOutlineLimit = 0.5f;  // of the frame radius
constexpr float kThinnestOutline = 0.0000001f;
constexpr float kShadeLow = 0.05f;
constexpr float kShadeHigh = 0.95f;
constexpr int32_t kMaxShadeRows = 16384;
constexpr int32_t kShadeWidth = 64;
constexpr int32_t kMaxShadeWidth = 512;
constexpr uint8_t kDefaultRamp[16] = {100, 160, 160, 160, 160, 160, 160, 207, 255, 255, 255, 255, 255, 255, 255, 255};

// [SECTION] Frame choice and shading ramp

BlockVector<uint8_t>& shadingRamp() {
    static BlockVector<uint8_t> ramp{128, 512};
    return ramp;
}

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 normalisedUnlessTiny(Vec3 v) {
    const float squared = dot(v, v);
    if (squared <= kZeroLengthSquared) return v;
    const float length = std::sqrt(squared);
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

FrameBlend chooseFrames(int32_t frameA, int32_t frameB, float t, bool interpolate, int32_t frameCount) {
    FrameBlend blend{frameB, frameA, t};
    if (interpolate) {
        if (!std::isfinite(t)) t = 0.0f;
        if (t < 0.0f || t > 1.0f) t = std::fabs(std::fmod(t, 1.0f));
        const double p = frameA + static_cast<double>(frameB - frameA) * t;
        const double i = std::trunc(p);
        const auto whole = static_cast<int32_t>(i);
        if (frameA < frameB) {
            blend = {whole, whole + 1, static_cast<float>(1.0 - (p - i))};
        } else if (frameA > frameB) {
            // At a whole p the weight is 0 and frame p itself is drawn.
            blend = {p == i ? whole : whole + 1, whole, static_cast<float>(p - i)};
        } else {
            blend = {frameA, frameB, 0.0f};
        }
    }
    blend.current = std::clamp(blend.current, 0, frameCount - 1);
    blend.partner = std::clamp(blend.partner, 0, frameCount - 1);
    return blend;
}

namespace {

// [SECTION] Work copy

// The special light's values of one record, from the light in object space.
void shadeRecord(MeshVertex& w, const MeshVertex& tangentSource, SpecialLightMode mode, const float light[3],
                 float shadeRowStep) {
    const Vec3 l = normalisedUnlessTiny({light[0] - w.x, light[1] - w.y, light[2] - w.z});
    if (mode == SpecialLightMode::BumpMapping) {
        const Vec3 t{tangentSource.tx, tangentSource.ty, tangentSource.tz};
        const Vec3 b{tangentSource.bx, tangentSource.by, tangentSource.bz};
        const Vec3 n{w.nx, w.ny, w.nz};
        w.lx = dot(t, l) * 0.5f + 0.5f;
        w.ly = dot(b, l) * 0.5f + 0.5f;
        w.lz = dot(n, l) * 0.5f + 0.5f;
    } else if (mode == SpecialLightMode::CelShading) {
        w.by = (static_cast<float>(w.groupIndex) + 0.5f) * shadeRowStep;
        const Vec3 d = normalisedUnlessTiny({w.x - w.nx, w.y - w.ny, w.z - w.nz});
        w.bx = std::clamp(dot(d, l), kShadeLow, kShadeHigh);
    }
}

// Fills the work copy with the blended frame; texture coordinates always
// come from the current frame, so the offset is added once per draw.
void fillWorkCopy(MeshObjectX& mesh, const MeshFrame& current, const MeshFrame& partner, float weight,
                  const Rainbows3D& engine, const float* light) {
    BlockVector<MeshVertex>& work = mesh.workCopy;
    const BlockVector<MeshVertex>& from = current.triangles;
    work.reserve(from.count);
    work.count = from.count;
    for (int32_t k = 0; k < from.count; ++k) {
        MeshVertex& w = work.data[k];
        const MeshVertex& c = from.data[k];
        const bool blended = weight != 0.0f && k < partner.triangles.count;
        if (blended) {
            blendVertex(w, partner.triangles.data[k], c, weight);
        } else {
            w = c;
        }
        if (light != nullptr) {
            shadeRecord(w, blended ? partner.triangles.data[k] : c, engine.specialMode, light, mesh.shadeRowStep);
        }
        w.u += engine.textureOffsetU;
        w.v += engine.textureOffsetV;
    }
}

// [SECTION] Arrays and texture units

using ArrayBase = uintptr_t;

const void* field(ArrayBase base, size_t offset) { return reinterpret_cast<const void*>(base + offset); }

ArrayBase uploadRecords(const BlockVector<MeshVertex>& records, uint32_t& buffer, bool isStatic, bool refill) {
    return bindArrayData(buffer, records.data, static_cast<size_t>(records.count) * sizeof(MeshVertex), isStatic,
                         refill);
}

bool hasMultitexture() {
    const GlExtensions& ext = glExtensions();
    return ext.glActiveTextureARB != nullptr && ext.glClientActiveTextureARB != nullptr;
}

void selectUnit(GLenum unit) {
    const GlExtensions& ext = glExtensions();
    ext.glClientActiveTextureARB(unit);
    ext.glActiveTextureARB(unit);
}

void texCoordsAt(ArrayBase base, size_t offset, GLsizei stride = kStride) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, field(base, offset));
}

uint32_t spriteTexture(const OpenGLRainbows& r, int32_t sprite, const uint32_t* textureIds) {
    if (textureIds != nullptr) return textureIds[sprite];
    const SpriteRecord& s = r.sprites[static_cast<size_t>(sprite)];
    return r.boundUsesMipTexture != 0 ? s.mipTexture : s.texture;
}

// The render object's sprites on their units again, unit 1 switched off
// first so that a texture the draw put there does not stay on.
void rebindSprites(OpenGLRainbows& r, const uint32_t* textureIds) {
    if (hasMultitexture()) {
        selectUnit(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        selectUnit(GL_TEXTURE0_ARB);
    }
    r.bindSprite(r.boundSprite, r.boundSecondSprite, r.boundUsesMipTexture != 0, textureIds);
}

void plainTextureUnits(const OpenGLRainbows& r, ArrayBase base, GLsizei stride, const uint32_t* textureIds) {
    if (r.boundSprite < 0) return;
    const bool multi = hasMultitexture();
    if (r.boundSecondSprite >= 0 && multi) {
        selectUnit(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, spriteTexture(r, r.boundSecondSprite, textureIds));
        texCoordsAt(base, offsetof(MeshVertex, u), stride);
    }
    if (multi) selectUnit(GL_TEXTURE0_ARB);
    glBindTexture(GL_TEXTURE_2D, spriteTexture(r, r.boundSprite, textureIds));
    texCoordsAt(base, offsetof(MeshVertex, u), stride);
}

void bumpTextureUnits(ArrayBase base) {
    selectUnit(GL_TEXTURE1_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    texCoordsAt(base, offsetof(MeshVertex, u));
    selectUnit(GL_TEXTURE0_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_EXT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PRIMARY_COLOR_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
    texCoordsAt(base, offsetof(MeshVertex, u));
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_FLOAT, kStride, field(base, offsetof(MeshVertex, lx)));
}

void celTextureUnits(const OpenGLRainbows& r, const MeshObjectX& mesh, ArrayBase base,
                     const uint32_t* textureIds) {
    selectUnit(GL_TEXTURE1_ARB);
    glBindTexture(GL_TEXTURE_2D, mesh.shadeTexture);
    glEnable(GL_TEXTURE_2D);
    texCoordsAt(base, offsetof(MeshVertex, bx));
    selectUnit(GL_TEXTURE0_ARB);
    if (r.boundSprite >= 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, spriteTexture(r, r.boundSprite, textureIds));
        texCoordsAt(base, offsetof(MeshVertex, u));
    }
}

void disableArrays() {
    if (hasMultitexture()) {
        selectUnit(GL_TEXTURE1_ARB);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        selectUnit(GL_TEXTURE0_ARB);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}

}  // namespace

// [SECTION] Outline

namespace {

// The outline's thickness in object units; 0 when it would be too thick
// for the object.
float outlineThickness(const Rainbows3D& engine, const Matrix4& m, const MeshFrame& frame) {
    const Vec3 scale{columnLength4(m, 0), columnLength4(m, 1), columnLength4(m, 2)};
    const auto eye = transformPoint4(rigidInverse4(m), engine.eye);
    const Vec3 toEye{eye[0] - frame.boundCentre[0], eye[1] - frame.boundCentre[1], eye[2] - frame.boundCentre[2]};
    const float squared = dot(toEye, toEye);
    const float distance = squared <= kZeroLengthSquared ? 0.0f : std::sqrt(squared);
    float thickness = distance * engine.fovTangent * kOutlineScale;
    if (!upperIsIdentity4(m)) {
        const float s = (scale.x + scale.y + scale.z) / 3.0f;
        thickness /= s * s;
    }
    if (thickness > frame.boundRadius * kOutlineLimit) return 0.0f;
    return std::max(thickness, kThinnestOutline);
}

}  // namespace

bool Rainbows3D::drawOutline(MeshObjectX& mesh, const MeshFrame& frame, const uint32_t* textureIds) {
    const Matrix4& m = currentMovement().matrix;
    const float thickness = outlineThickness(*this, m, frame);
    if (thickness == 0.0f) return false;
    cullMode = static_cast<int8_t>(-cullMode);
    applyCullMode();
    BlockVector<MeshVertex>& work = mesh.workCopy;
    for (int32_t k = 0; k < work.count; ++k) {
        MeshVertex& w = work.data[k];
        w.x += w.nx * thickness;
        w.y += w.ny * thickness;
        w.z += w.nz * thickness;
    }
    const ArrayBase base = uploadRecords(work, mesh.streamBuffer, false, true);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, field(base, 0));
    if (hasMultitexture()) {
        selectUnit(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        selectUnit(GL_TEXTURE0_ARB);
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(0.0f, 0.0f, 0.0f);
    glDepthFunc(GL_LEQUAL);
    glDrawArrays(GL_TRIANGLES, 0, work.count);
    glDepthFunc(GL_LESS);
    restoreLighting();
    glDisableClientState(GL_VERTEX_ARRAY);
    if (renderer != nullptr) rebindSprites(*renderer, textureIds);
    cullMode = static_cast<int8_t>(-cullMode);
    applyCullMode();
    unbindArrayBuffers();
    return true;
}

// [SECTION] Drawing

void Rainbows3D::setTextureOffset(float u, float v) {
    textureOffsetU = u;
    textureOffsetV = v;
}

void Rainbows3D::drawObject(int64_t n, int32_t frameA, int32_t frameB, float t, uint8_t interpolate) {
    ObjectSlot* s = slot(n);
    if (s == nullptr) return;
    if (s->isSet == 0) {
        if (s->meshes.count >= 1) drawMesh(&s->meshes.data[0], frameA, frameB, t, interpolate, nullptr);
        return;
    }
    auto textureNumber = [&](uint32_t number) {
        return number < static_cast<uint32_t>(s->textures.count) ? static_cast<int>(number) : -1;
    };
    for (int32_t i = 0; i < s->meshes.count; ++i) {
        MeshObjectX& mesh = s->meshes.data[i];
        if (renderer != nullptr) {
            if (s->textures.count == 0) {
                renderer->bindSprite(-1, -1, false);
            } else {
                renderer->bindSprite(textureNumber(mesh.textureA), textureNumber(mesh.textureB), false,
                                     s->textures.data);
            }
        }
        drawMesh(&mesh, frameA, frameB, t, interpolate, s->textures.count > 0 ? s->textures.data : nullptr);
    }
}

void Rainbows3D::drawMesh(MeshObjectX* mesh, int32_t frameA, int32_t frameB, float t, uint8_t interpolate,
                          const uint32_t* textureIds) {
    if (mesh == nullptr || renderer == nullptr || mesh->frames.count == 0 ||
        mesh->frames.data[0].vertices.count == 0) {
        return;
    }
    OpenGLRainbows& r = *renderer;
    r.endSpritePoints();
    const FrameBlend blend = chooseFrames(frameA, frameB, t, interpolate != 0, mesh->frames.count);

    updateMovementMatrix();
    const Matrix4& m = currentMovement().matrix;
    {
        const MeshFrame& frame = mesh->frames.data[blend.current];
        const auto centre = transformPoint4(m, frame.boundCentre);
        const float scale = upperIsIdentity4(m)
                                ? 1.0f
                                : std::max({columnLength4(m, 0), columnLength4(m, 1), columnLength4(m, 2)});
        if (sphereInFrustum(centre[0], centre[1], centre[2], frame.boundRadius * scale) == 0) return;
    }
    r.flushPendingClear();
    glColor4f(1.0f, 1.0f, 1.0f, r.globalAlpha);

    const bool special = specialLightOn != 0;
    if (special) {
        if (specialMode == SpecialLightMode::CelShading) {
            mesh->buildNormals(true, false, false);
            mesh->buildShadeTexture();
        } else if (specialMode == SpecialLightMode::BumpMapping) {
            mesh->buildNormals(true, normalMode == 2, true);
        } else if (specialMode == SpecialLightMode::StencilShadows) {
            mesh->buildNormals(true, false, false);
            mesh->buildEdgeNeighbours();
        }
    }
    if (mesh->workCopy.count == 0) mesh->build();
    // The frames are read only now: the preparation above may rebuild them.
    const MeshFrame& current = mesh->frames.data[blend.current];
    const MeshFrame& partner = mesh->frames.data[blend.partner];

    ArraySource source;
    const bool noOffset = textureOffsetU == 0.0f && textureOffsetV == 0.0f;
    if (!special && blend.weight == 0.0f && noOffset) {
        if (blend.current == 0) {
            source = staticFrameSource(*mesh);
        } else {
            source.base = uploadRecords(current.triangles, mesh->streamBuffer, false, true);
            source.count = current.triangles.count;
        }
    } else if (!special && noOffset && mesh->hasColours == 0 && partner.triangles.count >= current.triangles.count) {
        // Without vertex colours a blend reads positions, normals and the
        // current frame's texture coordinates only: those are streamed.
        source = blendedSource(*mesh, blend.current, blend.partner, blend.weight);
    } else {
        float light[3] = {0, 0, 0};
        if (special) {
            const auto inObject = transformPoint4(rigidInverse4(m), specialLightPosition);
            for (int i = 0; i < 3; ++i) light[i] = inObject[static_cast<size_t>(i)];
            if (specialMode == SpecialLightMode::StencilShadows) {
                glPushMatrix();
                glMultMatrixf(m.data());
                // A volume kept from the same records and light has its lit faces.
                if (!mesh->keepsShadowVolume(current.triangles, light)) mesh->computeLitFaces(current.triangles, light);
                r.bindSprite(-1, -1, false);
                mesh->drawShadowVolume(current.triangles, light, 1);
                restoreLighting();
                glPopMatrix();
                return;
            }
        }
        const bool shade = special && glExtensions().glMultiTexCoord2fARB != nullptr && hasMultitexture();
        fillWorkCopy(*mesh, current, partner, blend.weight, *this, shade ? light : nullptr);
        source.base = uploadRecords(mesh->workCopy, mesh->streamBuffer, false, true);
        source.count = mesh->workCopy.count;
    }

    const ArrayBase base = source.base;
    const GLsizei stride = source.stride;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, field(base, 0));

    const bool multi = hasMultitexture();
    const bool celShading = special && multi && specialMode == SpecialLightMode::CelShading;
    if (!special || !multi) {
        plainTextureUnits(r, base, stride, textureIds);
        if (mesh->hasColours != 0) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(3, GL_FLOAT, stride, field(base, offsetof(MeshVertex, r)));
        }
    } else if (specialMode == SpecialLightMode::BumpMapping) {
        bumpTextureUnits(base);
    } else if (celShading) {
        celTextureUnits(r, *mesh, base, textureIds);
    }

    glEnable(GL_COLOR_MATERIAL);
    glPushMatrix();
    glMultMatrixf(m.data());
    if (lightMask != 0 || sphereMap != 0) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, field(base, offsetof(MeshVertex, nx)));
    }
    if (sphereMap != 0) {
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    }
    if (source.indexed) {
        glDrawElements(GL_TRIANGLES, source.count, GL_UNSIGNED_INT, field(source.indices, 0));
    } else {
        glDrawArrays(GL_TRIANGLES, 0, source.count);
    }
    if (sphereMap != 0) {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
    disableArrays();
    unbindArrayBuffers();

    if (special && specialMode == SpecialLightMode::CelShading) {
        const bool outlined = cullMode != 0 && drawOutline(*mesh, current, textureIds);
        if (!outlined && celShading) rebindSprites(r, textureIds);
    }
    if (multi) {
        selectUnit(GL_TEXTURE1_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        selectUnit(GL_TEXTURE0_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    glPopMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, r.globalAlpha);
}

// [SECTION] Shade texture

void Rainbows3D::setShadingRamp(const uint8_t* values, int32_t count) {
    BlockVector<uint8_t>& ramp = shadingRamp();
    ramp.count = 0;
    if (count < 1 || values == nullptr) {
        ramp.append(255);
    } else {
        for (int32_t i = 0; i < count; ++i) ramp.append(values[i]);
    }
    for (int32_t n = 0; n < objects.count; ++n) {
        ObjectSlot& s = objects.data[n];
        for (int32_t i = 0; i < s.meshes.count; ++i) {
            uint32_t& texture = s.meshes.data[i].shadeTexture;
            if (texture != 0) glDeleteTextures(1, &texture);
            texture = 0;
        }
    }
}

int32_t shadeTextureRows(int32_t keyCount) {
    for (int32_t rows = 1; rows <= kMaxShadeRows; rows *= 2) {
        if (rows >= keyCount) return rows;
    }
    return keyCount;
}

int32_t shadeTextureWidth(int32_t rampLength) {
    int32_t width = kShadeWidth;
    while (width < 4 * rampLength && width < kMaxShadeWidth) width *= 2;
    return width;
}

void MeshObjectX::buildShadeTexture() {
    if (shadeTexture != 0) return;
    const int32_t rows = shadeTextureRows(groupKeys.count);
    shadeRowStep = 1.0f / static_cast<float>(rows);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glGenTextures(1, &shadeTexture);
    glBindTexture(GL_TEXTURE_2D, shadeTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

    BlockVector<uint8_t>& ramp = shadingRamp();
    if (ramp.count == 0) {
        for (uint8_t value : kDefaultRamp) ramp.append(value);
    }
    const int32_t width = shadeTextureWidth(ramp.count);
    // Texels in RGBA byte order: red is the key's low byte, as in vertex colours.
    std::vector<uint8_t> texels(static_cast<size_t>(width) * static_cast<size_t>(rows) * 4);
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t key = y < groupKeys.count    ? groupKeys.data[y]
                             : groupKeys.count > 0 ? groupKeys.data[0]
                                                   : kListSeparator;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t s = ramp.data[static_cast<int64_t>(x) * ramp.count / width];
            uint8_t* texel = &texels[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
            for (int c = 0; c < 3; ++c) {
                texel[c] = static_cast<uint8_t>(isSeparatorKey(key) ? s : ((key >> (8 * c)) & 0xFFu) * s / 255);
            }
            texel[3] = 255;
        }
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, rows, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}
