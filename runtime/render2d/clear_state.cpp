// render2d: reading and setting the state glClear depends on. GL only.
#include "runtime/render2d/clear_state.h"

#include <GL/gl.h>  // Required for: the state queries and setters

#include <GL/glext.h>  // Required for: GL_FRAMEBUFFER_BINDING_EXT

#include <cstddef>  // Required for: size_t

#include "runtime/render2d/gl_extensions.h"

namespace {

void setEnabled(GLenum cap, uint8_t on) {
    if (on != 0) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

}  // namespace

ClearState currentClearState() {
    ClearState s;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, s.colour.data());
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &s.depth);
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    for (int i = 0; i < 4; ++i) s.colourMask[static_cast<size_t>(i)] = mask[i] != GL_FALSE ? 1 : 0;
    GLboolean depthMask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    s.depthMask = depthMask != GL_FALSE ? 1 : 0;
    s.scissorTest = glIsEnabled(GL_SCISSOR_TEST) != GL_FALSE ? 1 : 0;
    glGetIntegerv(GL_SCISSOR_BOX, s.scissorBox.data());
    s.dither = glIsEnabled(GL_DITHER) != GL_FALSE ? 1 : 0;
    if (glExtensions().glBindFramebufferEXT != nullptr) glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &s.framebuffer);
    return s;
}

void changeClearState(const ClearState& from, const ClearState& to) {
    if (to.framebuffer != from.framebuffer && glExtensions().glBindFramebufferEXT != nullptr)
        glExtensions().glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(to.framebuffer));
    if (to.colour != from.colour) glClearColor(to.colour[0], to.colour[1], to.colour[2], to.colour[3]);
    if (to.depth != from.depth) glClearDepth(to.depth);
    if (to.colourMask != from.colourMask)
        glColorMask(to.colourMask[0], to.colourMask[1], to.colourMask[2], to.colourMask[3]);
    if (to.depthMask != from.depthMask) glDepthMask(to.depthMask);
    if (to.scissorTest != from.scissorTest) setEnabled(GL_SCISSOR_TEST, to.scissorTest);
    if (to.scissorBox != from.scissorBox) glScissor(to.scissorBox[0], to.scissorBox[1], to.scissorBox[2], to.scissorBox[3]);
    if (to.dither != from.dither) setEnabled(GL_DITHER, to.dither);
}
