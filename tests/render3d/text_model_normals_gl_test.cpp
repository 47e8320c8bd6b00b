// A version 1.1 text model carries its own normals: a program that loads
// one, draws it lit, then uses the special lights (which prepare normals
// where none are valid) sees the same lit object afterwards.
#include <unistd.h>  // Required for: getpid

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/round_casters.h"

namespace {

// The triangles as a text model: one three-corner polygon per triangle, each
// corner its own vertex whose normal points away from the centre.
std::string textModel(const std::vector<Triangle3>& triangles, const Point3& centre) {
    std::ostringstream out;
    out << "DDDA 1.1\n0\n" << triangles.size() << "\n";
    for (size_t t = 0; t < triangles.size(); ++t) {
        out << "224 140 60 3  " << 3 * t << " 0  " << 3 * t + 1 << " 0  " << 3 * t + 2 << " 0\n";
    }
    out << "1\n" << 3 * triangles.size() << "\n";
    for (const Triangle3& t : triangles) {
        for (const Point3& p : {t.a, t.b, t.c}) {
            const Point3 d{p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]};
            const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            out << p[0] << " " << p[1] << " " << p[2] << "  " << d[0] / length << " " << d[1] / length << " "
                << d[2] / length << "\n";
        }
    }
    return out.str();
}

class TextModelNormals : public Gl3D {
protected:
    std::vector<uint32_t> litFrame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        engine->setCamera(0, 0, 30, 0, 0, 0);
        engine->setLight(0, 0xFFFFFF, -20, 20, 30, 0, 0, 0, 170, 0);
        engine->drawObject(1, 0, 0, 0, 0);
        return wholeFrame();
    }
};

TEST_F(TextModelNormals, NormalsFromTheFileSurviveEverySpecialLight) {
    const Point3 centre{0, 0, 0};
    const std::string path = ::testing::TempDir() + "smooth_ball_" + std::to_string(::getpid()) + ".ddd";
    std::ofstream(path, std::ios::binary) << textModel(sphereTriangles(centre, 8, 10, 14), centre);
    ASSERT_EQ(engine->loadObject(path.c_str(), 1), 1);
    engine->setCullMode(1);

    const std::vector<uint32_t> before = litFrame();
    saveFrame("text_model_smooth");
    ASSERT_NE(before[240 * 640 + 320] & 0xFFFFFF, 0u);
    struct Special {
        const char* name;
        int light;
    };
    for (const Special& special : {Special{"stencil shadows", -3}, Special{"cel shading", -2},
                                   Special{"bump mapping", -1}}) {
        engine->setLight(special.light, 0xFFFFFF, -20, 20, 30, 0, 0, 0, 1, 0);
        engine->drawObject(1, 0, 0, 0, 0);
        engine->setLight(special.light, 0xFFFFFF, -20, 20, 30, 0, 0, 0, 0, 0);
        const std::vector<uint32_t> after = litFrame();
        saveFrame(std::string("text_model_after_") + (special.light == -3 ? "shadows" : special.light == -2 ? "cel" : "bump"));
        size_t changed = 0;
        for (size_t i = 0; i < after.size(); ++i) changed += (after[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF) ? 1 : 0;
        EXPECT_EQ(changed, 0u) << "pixels changed after " << special.name;
    }
}

}  // namespace
