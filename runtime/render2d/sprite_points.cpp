// render2d: sprites from the shared texture as point sprites. GL only; the
// entry points come from the platform's proc-address lookup.
#include "runtime/render2d/sprite_points.h"

#include <cmath>    // Required for: std::fabs
#include <cstring>  // Required for: std::strlen

#include "runtime/platform/window.h"
#include "runtime/render2d/gl_extensions.h"

namespace {

// The texel place is the point's own coordinate (or, for a quad, the quad's
// texture coordinate) scaled and moved by unit 1's coordinate: (u, v) of the
// sprite's top-left texel, then its width and height in texture units (the
// height negative: the texture holds the picture bottom row first). The
// texel is modulated by the colour, or taken as it is while the colour is
// white, which gives the same.
constexpr char kModulateProgram[] =
    "!!ARBfp1.0\n"
    "TEMP place, texel;\n"
    "MAD place, fragment.texcoord[0], fragment.texcoord[1].zwzw, fragment.texcoord[1];\n"
    "TEX texel, place, texture[0], 2D;\n"
    "MUL result.color, texel, fragment.color;\n"
    "END\n";
constexpr char kWhiteProgram[] =
    "!!ARBfp1.0\n"
    "TEMP place;\n"
    "MAD place, fragment.texcoord[0], fragment.texcoord[1].zwzw, fragment.texcoord[1];\n"
    "TEX result.color, place, texture[0], 2D;\n"
    "END\n";

bool isIdentity(const GLfloat (&m)[16]) {
    for (int i = 0; i < 16; ++i) {
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) return false;
    }
    return true;
}

bool near(float a, float b) { return std::fabs(a - b) < 1e-5f; }

// The projection that maps the 2D view's pixels 1:1 onto a w x h viewport,
// top-left origin (what setViewport makes when the view is not rotated).
bool isPixelProjection(const GLfloat (&p)[16], GLint w, GLint h) {
    for (const int i : {1, 2, 3, 4, 6, 7, 8, 9, 11}) {
        if (p[i] != 0.0f) return false;
    }
    return near(p[0] * static_cast<float>(w), 2.0f) && near(p[5] * static_cast<float>(h), -2.0f) &&
           near(p[12], -1.0f) && near(p[13], 1.0f) && p[15] == 1.0f;
}

// Texture coordinates of the active unit are used as given: no generation,
// identity texture matrix.
bool plainCoordinates() {
    for (const GLenum gen : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) {
        if (glIsEnabled(gen)) return false;
    }
    GLfloat m[16];
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    return isIdentity(m);
}

// Fixed-function steps the program would skip or the point would not take.
bool plainFixedState() {
    for (const GLenum cap : {GL_FOG, GL_LIGHTING, GL_COLOR_SUM, GL_CULL_FACE, GL_POINT_SMOOTH,
                             GL_FRAGMENT_PROGRAM_ARB, GL_VERTEX_PROGRAM_ARB}) {
        if (glIsEnabled(cap)) return false;
    }
    GLint sampleBuffers = 0, shader = 0, unit = 0, env = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    if (sampleBuffers > 0 && glIsEnabled(GL_MULTISAMPLE)) return false;
    glGetIntegerv(GL_CURRENT_PROGRAM, &shader);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    GLint polygonModes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    return shader == 0 && unit == GL_TEXTURE0 && env == GL_MODULATE && polygonModes[0] == GL_FILL &&
           polygonModes[1] == GL_FILL;
}

}  // namespace

uint32_t SpritePoints::compile(const char* text) {
    GLuint name = 0;
    genPrograms(1, &name);
    if (name == 0) return 0;
    bindProgram(GL_FRAGMENT_PROGRAM_ARB, name);
    programString(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB, static_cast<GLsizei>(std::strlen(text)), text);
    GLint errorAt = 0;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_ARB, &errorAt);
    if (errorAt == -1) return name;
    glGetError();  // the program's own error, not the caller's to see
    deletePrograms(1, &name);
    return 0;
}

bool SpritePoints::makePrograms() {
    if (modulateProgram != 0) return true;
    if (unavailable) return false;
    unavailable = true;
    if (!hasGlExtension("GL_ARB_fragment_program") || !hasGlExtension("GL_ARB_point_sprite")) return false;
    platform::VideoBackend& video = platform::video();
    genPrograms = reinterpret_cast<PFNGLGENPROGRAMSARBPROC>(video.procAddress("glGenProgramsARB"));
    bindProgram = reinterpret_cast<PFNGLBINDPROGRAMARBPROC>(video.procAddress("glBindProgramARB"));
    programString = reinterpret_cast<PFNGLPROGRAMSTRINGARBPROC>(video.procAddress("glProgramStringARB"));
    deletePrograms = reinterpret_cast<PFNGLDELETEPROGRAMSARBPROC>(video.procAddress("glDeleteProgramsARB"));
    activeTexture = reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(video.procAddress("glActiveTextureARB"));
    multiTexCoord4f = reinterpret_cast<PFNGLMULTITEXCOORD4FARBPROC>(video.procAddress("glMultiTexCoord4fARB"));
    if (genPrograms == nullptr || bindProgram == nullptr || programString == nullptr || deletePrograms == nullptr ||
        activeTexture == nullptr || multiTexCoord4f == nullptr)
        return false;
    GLfloat sizes[2] = {0.0f, 0.0f};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, sizes);
    largestPointSize = sizes[1];
    modulateProgram = compile(kModulateProgram);
    whiteProgram = compile(kWhiteProgram);
    if (modulateProgram == 0 || whiteProgram == 0) {
        release();
        return false;
    }
    unavailable = false;
    return true;
}

bool SpritePoints::begin() {
    if (on) return true;
    if (refused) return false;
    refused = true;
    if (!makePrograms() || !plainFixedState()) return false;
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat modelView[16], projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    if (!isIdentity(modelView) || !isPixelProjection(projection, viewport[2], viewport[3]) || !plainCoordinates())
        return false;
    activeTexture(GL_TEXTURE1);
    const bool unitOnePlain = plainCoordinates();
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, savedUnitOneCoords.data());
    unitOneCoords = savedUnitOneCoords;
    activeTexture(GL_TEXTURE0);
    if (!unitOnePlain) return false;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    const bool white = colour[0] == 1.0f && colour[1] == 1.0f && colour[2] == 1.0f && colour[3] == 1.0f;
    glGetFloatv(GL_POINT_SIZE, &savedPointSize);
    pointSize = savedPointSize;
    viewWidth = viewport[2];
    viewHeight = viewport[3];
    glTexEnvi(GL_POINT_SPRITE_ARB, GL_COORD_REPLACE_ARB, GL_TRUE);
    spritesOn = false;
    bindProgram(GL_FRAGMENT_PROGRAM_ARB, white ? whiteProgram : modulateProgram);
    glEnable(GL_FRAGMENT_PROGRAM_ARB);
    refused = false;
    on = true;
    return true;
}

void SpritePoints::end() {
    if (!on) return;
    on = false;
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    pointSprites(false);
    glTexEnvi(GL_POINT_SPRITE_ARB, GL_COORD_REPLACE_ARB, GL_FALSE);
    glPointSize(savedPointSize);
    placeTexels(savedUnitOneCoords);
}

void SpritePoints::placeTexels(const std::array<float, 4>& place) {
    if (place == unitOneCoords) return;
    unitOneCoords = place;
    multiTexCoord4f(GL_TEXTURE1, place[0], place[1], place[2], place[3]);
}

void SpritePoints::pointSprites(bool wanted) {
    if (spritesOn == wanted) return;
    spritesOn = wanted;
    if (wanted) {
        glEnable(GL_POINT_SPRITE_ARB);
    } else {
        glDisable(GL_POINT_SPRITE_ARB);
    }
}

void SpritePoints::draw(const TexelRect& texels, int x, int y, int w, int h) {
    // A point is drawn whole or not at all (its centre decides), so only a
    // square wholly inside the view is one; any other sprite is the quad.
    if (w == h && static_cast<float>(w) <= largestPointSize && x >= 0 && y >= 0 && x + w <= viewWidth &&
        y + h <= viewHeight) {
        const auto side = static_cast<float>(w);
        if (pointSize != side) {
            pointSize = side;
            glPointSize(side);
        }
        pointSprites(true);
        placeTexels({texels.u0, texels.t1, texels.u1 - texels.u0, texels.t0 - texels.t1});
        glBegin(GL_POINTS);
        glVertex2f(static_cast<float>(x) + side * 0.5f, static_cast<float>(y) + side * 0.5f);
        glEnd();
        return;
    }
    pointSprites(false);
    placeTexels({0.0f, 0.0f, 1.0f, 1.0f});
    drawSpriteQuad(x, y, w, h, texels);
}

void SpritePoints::release() {
    end();
    for (uint32_t* name : {&modulateProgram, &whiteProgram}) {
        if (*name != 0) deletePrograms(1, name);
        *name = 0;
    }
}
