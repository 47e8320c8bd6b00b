// render3d: debug points and lines in the scene, drawn unlit and untextured
// in the current model-view; the GL colour is left at (1, 1, 1, alpha).
#include <GL/gl.h>  // Required for: immediate-mode points and lines

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/colour3.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

// The state around one debug primitive: unlit, untextured, smoothed.
class DebugShapeState {
public:
    DebugShapeState(Rainbows3D& engine, uint32_t colour, GLenum smooth) : engine(engine), smooth(smooth) {
        glPushMatrix();
        glEnable(GL_COLOR_MATERIAL);
        const auto c = colourChannels(colour, 1.0f);
        glColor3f(c[0], c[1], c[2]);
        glEnable(smooth);
        if (engine.lightMask != 0) glDisable(GL_LIGHTING);
        if (engine.renderer != nullptr) engine.renderer->bindSprite(-1, -1, false);
    }
    ~DebugShapeState() {
        glDisable(smooth);
        glColor4f(1.0f, 1.0f, 1.0f, engine.renderer != nullptr ? engine.renderer->globalAlpha : 1.0f);
        glDisable(GL_COLOR_MATERIAL);
        if (engine.lightMask != 0) glEnable(GL_LIGHTING);
        glPopMatrix();
    }
    DebugShapeState(const DebugShapeState&) = delete;
    DebugShapeState& operator=(const DebugShapeState&) = delete;

private:
    Rainbows3D& engine;
    GLenum smooth;
};

}  // namespace

void Rainbows3D::drawDebugPoint(const float position[3], uint32_t colour, float size) {
    DebugShapeState state(*this, colour, GL_POINT_SMOOTH);
    glPointSize(size);
    glBegin(GL_POINTS);
    glVertex3fv(position);
    glEnd();
    glPointSize(1.0f);
}

void Rainbows3D::drawDebugLine(const float from[3], const float to[3], uint32_t colour, float width) {
    DebugShapeState state(*this, colour, GL_LINE_SMOOTH);
    glLineWidth(width);
    glBegin(GL_LINES);
    glVertex3fv(from);
    glVertex3fv(to);
    glEnd();
    glLineWidth(1.0f);
}
