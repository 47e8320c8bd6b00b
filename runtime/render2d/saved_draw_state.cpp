// render2d: saving and restoring the program's drawing state around the
// runtime's own drawing. GL for the attribute stacks and the matrices.
#include "runtime/render2d/saved_draw_state.h"

#include <GL/gl.h>  // Required for: the attribute stacks and matrices

#include "runtime/render2d/open_gl_rainbows.h"

SavedDrawState::RendererFields::RendererFields(const OpenGLRainbows& r)
    : viewport{r.viewportX, r.viewportY, r.viewportWidth, r.viewportHeight}, currentTarget(r.currentTarget),
      boundSprite(r.boundSprite), boundSecondSprite(r.boundSecondSprite), boundUsesMipTexture(r.boundUsesMipTexture),
      globalAlpha(r.globalAlpha), smoothing(r.smoothing) {}

void SavedDrawState::RendererFields::restore(OpenGLRainbows& r) const {
    r.viewportX = viewport[0];
    r.viewportY = viewport[1];
    r.viewportWidth = viewport[2];
    r.viewportHeight = viewport[3];
    r.boundSprite = boundSprite;
    r.boundSecondSprite = boundSecondSprite;
    r.boundUsesMipTexture = boundUsesMipTexture;
    r.globalAlpha = globalAlpha;
    r.smoothing = smoothing;
}

SavedDrawState::SavedDrawState(OpenGLRainbows& renderer) : renderer(renderer), kept(renderer) {
    renderer.endSpritePoints();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
}

SavedDrawState::~SavedDrawState() {
    if (kept.currentTarget >= 0) renderer.useRenderTarget(kept.currentTarget);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(modelView.data());
    glPopClientAttrib();
    glPopAttrib();
    kept.restore(renderer);
}
