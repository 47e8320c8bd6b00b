// Every draw leaves the GL state as it found it: client arrays, buffer
// binding, texture units and their environment, texture generation, the
// matrix stack and the colour; with and without vertex buffers and
// multitexture switched off in the extension table.
#include <GL/gl.h>

#include <GL/glext.h>

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/billboards.h"
#include "tests/render3d/gl_3d_fixture.h"

namespace {

struct UnitState {
    bool texture2D, texCoordArray;
    GLint envMode;
    bool operator==(const UnitState&) const = default;
};

struct DrawState {
    bool vertexArray, normalArray, colourArray, genS, genT, lighting, culling;
    GLint arrayBuffer, activeUnit, clientUnit, stackDepth, matrixMode, depthFunc, frontFace;
    UnitState unit0, unit1;
    std::array<float, 4> colour;
    bool operator==(const DrawState&) const = default;
};

bool on(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }
GLint value(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

UnitState unitState() {
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    return {on(GL_TEXTURE_2D), on(GL_TEXTURE_COORD_ARRAY), env};
}

DrawState snapshot() {
    DrawState s{};
    s.vertexArray = on(GL_VERTEX_ARRAY);
    s.normalArray = on(GL_NORMAL_ARRAY);
    s.colourArray = on(GL_COLOR_ARRAY);
    s.genS = on(GL_TEXTURE_GEN_S);
    s.genT = on(GL_TEXTURE_GEN_T);
    s.lighting = on(GL_LIGHTING);
    s.culling = on(GL_CULL_FACE);
    s.arrayBuffer = glExtensions().glBindBufferARB != nullptr ? value(GL_ARRAY_BUFFER_BINDING_ARB) : 0;
    s.stackDepth = value(GL_MODELVIEW_STACK_DEPTH);
    s.matrixMode = value(GL_MATRIX_MODE);
    s.depthFunc = value(GL_DEPTH_FUNC);
    s.frontFace = value(GL_FRONT_FACE);
    glGetFloatv(GL_CURRENT_COLOR, s.colour.data());
    const GlExtensions& ext = glExtensions();
    if (ext.glActiveTextureARB == nullptr) {
        s.unit0 = unitState();
        return s;
    }
    s.activeUnit = value(GL_ACTIVE_TEXTURE_ARB);
    s.clientUnit = value(GL_CLIENT_ACTIVE_TEXTURE_ARB);
    ext.glActiveTextureARB(GL_TEXTURE1_ARB);
    ext.glClientActiveTextureARB(GL_TEXTURE1_ARB);
    s.unit1 = unitState();
    ext.glActiveTextureARB(static_cast<GLenum>(s.activeUnit));
    ext.glClientActiveTextureARB(static_cast<GLenum>(s.clientUnit));
    s.unit0 = unitState();
    return s;
}

std::ostream& operator<<(std::ostream& out, const DrawState& s) {
    return out << "arrays " << s.vertexArray << s.normalArray << s.colourArray << " gen " << s.genS << s.genT
               << " lighting " << s.lighting << " culling " << s.culling << " buffer " << s.arrayBuffer << " units "
               << s.activeUnit << "/" << s.clientUnit << " depth " << s.stackDepth << " mode " << s.matrixMode
               << " func " << s.depthFunc << " front " << s.frontFace << " unit0 " << s.unit0.texture2D
               << s.unit0.texCoordArray << " " << s.unit0.envMode << " unit1 " << s.unit1.texture2D
               << s.unit1.texCoordArray << " " << s.unit1.envMode << " colour " << s.colour[0] << ","
               << s.colour[1] << "," << s.colour[2] << "," << s.colour[3];
}

struct FeatureSet {
    const char* name;
    bool vertexBuffers, multitexture;
};

class DrawState3D : public Gl3D, public ::testing::WithParamInterface<FeatureSet> {
protected:
    void SetUp() override {
        setGlFeatureEnabled(GlFeature::VertexBuffers, GetParam().vertexBuffers);
        setGlFeatureEnabled(GlFeature::Multitexture, GetParam().multitexture);
        Gl3D::SetUp();
        if (contextMissing()) return;
        loadGlExtensions();
        makeSprite(1, 16, 16, std::vector<uint32_t>(256, kOpaque | 0x3060C0));
        makeSprite(2, 16, 16, std::vector<uint32_t>(256, kOpaque | 0x8080FF));
        engine->setCamera(0, 0, 10, 0, 0, 0);
        // A coloured, textured cube of two frames.
        engine->normalMode = 2;
        engine->builderBeginObject(1, 0);
        const float c[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                               {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
        const int faces[6][4] = {{4, 5, 6, 7}, {1, 0, 3, 2}, {5, 1, 2, 6}, {0, 4, 7, 3}, {7, 6, 2, 3}, {0, 1, 5, 4}};
        for (const auto& f : faces) {
            for (int corner : {f[0], f[2], f[1], f[0], f[3], f[2]}) {
                engine->builderAddVertex(c[corner][0], c[corner][1], c[corner][2], c[corner][0] * 0.5f + 0.5f,
                                         c[corner][1] * 0.5f + 0.5f, 0x2080F0u + static_cast<uint32_t>(corner));
            }
        }
        engine->builderEndObject();
        MeshObjectX& m = engine->objects.data[1].meshes.data[0];
        m.frames.append(m.frames.data[0]);
        m.build();
    }
    void TearDown() override {
        if (renderer != nullptr) r().bindSprite(-1, -1, false);
        Gl3D::TearDown();
        setGlFeatureEnabled(GlFeature::VertexBuffers, true);
        setGlFeatureEnabled(GlFeature::Multitexture, true);
        if (renderer != nullptr) loadGlExtensions();
    }

    // Draws with the scene set up by `prepare` and compares the state around it.
    void expectStateKept(const char* scene, int cull, int firstSprite, int secondSprite,
                         void (*prepare)(Rainbows3D&), int frameB = 0, float t = 0, uint8_t interpolate = 0) {
        SCOPED_TRACE(scene);
        engine->setLight(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        ASSERT_TRUE(engine->setProjection(1, 1000, 60));
        engine->setCamera(0, 0, 10, 0, 0, 0);
        engine->setCullMode(cull);
        prepare(*engine);
        r().bindSprite(firstSprite, secondSprite, false);
        glColor4f(1, 1, 1, r().globalAlpha);
        const DrawState before = snapshot();
        engine->drawObject(1, 0, frameB, t, interpolate);
        engine->drawObject(1, 0, frameB, t, interpolate);  // again, now with its GL names made
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_NE(px(320, 240), 0u) << "nothing drawn";
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

TEST_P(DrawState3D, EveryKindOfDrawRestoresTheState) {
    expectStateKept("plain, one sprite", 0, 1, -1, [](Rainbows3D&) {});
    expectStateKept("two sprites, lit", 1, 1, 2, [](Rainbows3D& e) {
        e.setLight(0, 0xFFFFFF, 0, 0, 0, 0, 0, -1, 180, 0);
    });
    expectStateKept("sphere map", -1, 1, -1, [](Rainbows3D& e) { e.sphereMap = 1; });
    expectStateKept("texture offset", 0, 1, -1, [](Rainbows3D& e) { e.setTextureOffset(0.5f, 0.25f); });
    expectStateKept("blended frames", 0, 1, 2, [](Rainbows3D&) {}, 1, 0.5f, 1);
    expectStateKept("bump mapping", 0, 1, 2, [](Rainbows3D& e) {
        e.setLight(-1, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
    });
    expectStateKept("cel shading", 0, 1, -1, [](Rainbows3D& e) {
        e.setLight(-2, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
    });
    expectStateKept("cel shading with outline", 1, 1, -1, [](Rainbows3D& e) {
        e.setLight(-2, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
    });
}

// Lighting is on after a draw exactly when a light is on, whatever the draw
// switched off for itself: objects drawn next do not depend on the order.
TEST_P(DrawState3D, LightingFollowsTheLightsAfterEveryKindOfDraw) {
    r().installDefaultFont(3);
    struct Draw {
        const char* name;
        void (*draw)(Rainbows3D&, OpenGLRainbows&);
    };
    static const float kCentre[3] = {0, 0, 0}, kTo[3] = {1, 1, 0}, kA[3] = {1, 0, 0}, kB[3] = {0, 1, 0},
                       kC[3] = {0, 0, 1};
    const Draw draws[] = {
        {"object", [](Rainbows3D& e, OpenGLRainbows&) { e.drawObject(1, 0, 0, 0, 0); }},
        {"blended object", [](Rainbows3D& e, OpenGLRainbows&) { e.drawObject(1, 0, 1, 0.5f, 1); }},
        {"cel shading with outline",
         [](Rainbows3D& e, OpenGLRainbows&) {
             e.setLight(-2, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
             e.drawObject(1, 0, 0, 0, 0);
             e.setLight(-2, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 0, 0);
         }},
        {"bump mapping",
         [](Rainbows3D& e, OpenGLRainbows&) {
             e.setLight(-1, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
             e.drawObject(1, 0, 0, 0, 0);
             e.setLight(-1, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 0, 0);
         }},
        {"shadow volume",
         [](Rainbows3D& e, OpenGLRainbows&) {
             e.setLight(-3, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 1, 0);
             e.drawObject(1, 0, 0, 0, 0);
         }},
        {"end of the shadow pass",
         [](Rainbows3D& e, OpenGLRainbows&) { e.setLight(-3, 0xFFFFFF, 3, 3, 10, 0, 0, 0, 0, 0); }},
        {"billboard", [](Rainbows3D&, OpenGLRainbows& r) { drawSprite3D(r, 1, 0, 0, 0, 0.1f); }},
        {"text in the scene", [](Rainbows3D&, OpenGLRainbows& r) { printText3D(r, 3, "Ab", 0, 0, 0, 0.1f); }},
        {"text on the screen", [](Rainbows3D&, OpenGLRainbows& r) { printText3D(r, 3, "Ab", 0, 0, 0, 0); }},
        {"debug point", [](Rainbows3D& e, OpenGLRainbows&) { e.drawDebugPoint(kCentre, 0xFF, 4); }},
        {"debug line", [](Rainbows3D& e, OpenGLRainbows&) { e.drawDebugLine(kCentre, kTo, 0xFF, 2); }},
        {"wire sphere", [](Rainbows3D& e, OpenGLRainbows&) { e.drawWireSphere(kCentre, 1, 0xFF, 1); }},
        {"wire box", [](Rainbows3D& e, OpenGLRainbows&) { e.drawWireBox(kCentre, kA, kB, kC, 0xFF, 1); }},
        {"axes", [](Rainbows3D& e, OpenGLRainbows&) { e.drawAxes(0, 0, 0); }},
    };
    engine->setCullMode(1);
    for (const bool lit : {true, false}) {
        engine->setLight(0, 0xFFFFFF, 0, 0, 10, 0, 0, 0, lit ? 170.0f : 0.0f, 0);
        for (const Draw& d : draws) {
            d.draw(*engine, r());
            EXPECT_EQ(enabled(GL_LIGHTING), lit) << d.name << (lit ? ", a light on" : ", no light on");
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(Features, DrawState3D,
                         ::testing::Values(FeatureSet{"all", true, true}, FeatureSet{"noVertexBuffers", false, true},
                                           FeatureSet{"noMultitexture", true, false},
                                           FeatureSet{"neither", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
