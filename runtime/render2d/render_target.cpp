// render2d: render targets. A framebuffer object where the context offers one
// (and it is complete), else the emulated path over the back buffer with the
// reserved backup sprite.
#include "runtime/render2d/render_target.h"

#include <GL/gl.h>  // Required for: GL calls

#include <GL/glext.h>  // Required for: framebuffer enums

#include <algorithm>  // Required for: std::min
#include <cstdio>     // Required for: puts of the failure lines

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/texture_image.h"
#include "runtime/render2d/texture_upload.h"

void RenderTarget::release() {
    if (width != 0) {
        const GlExtensions& ext = glExtensions();
        if (ext.glDeleteFramebuffersEXT != nullptr && fbo != 0) ext.glDeleteFramebuffersEXT(1, &fbo);
        if (ext.glDeleteRenderbuffersEXT != nullptr && depthRenderbuffer != 0)
            ext.glDeleteRenderbuffersEXT(1, &depthRenderbuffer);
    }
    fbo = depthRenderbuffer = 0;
    savedBinding = width = height = sprite = 0;
    created = false;
}

bool RenderTarget::create(int32_t w, int32_t h, bool withDepth) {
    release();
    const GlExtensions& ext = glExtensions();
    if (ext.glGenFramebuffersEXT == nullptr || ext.glGenRenderbuffersEXT == nullptr ||
        ext.glBindRenderbufferEXT == nullptr || ext.glRenderbufferStorageEXT == nullptr ||
        ext.glCheckFramebufferStatusEXT == nullptr || ext.glBindFramebufferEXT == nullptr ||
        ext.glFramebufferTexture2DEXT == nullptr || ext.glFramebufferRenderbufferEXT == nullptr)
        return false;
    ext.glGenFramebuffersEXT(1, &fbo);
    if (fbo == 0) {
        std::puts("glGenFramebuffersExt failed");
        return false;
    }
    if (withDepth) {
        ext.glGenRenderbuffersEXT(1, &depthRenderbuffer);
        if (depthRenderbuffer == 0) {
            std::puts("glGenRenderbuffersExt failed");
            width = 1;  // lets release delete the framebuffer name
            release();
            return false;
        }
        ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthRenderbuffer);
        ext.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, w, h);
    }
    width = w;
    height = h;
    return true;
}

// Completeness can only be judged with the texture attached, so the check is
// made here; an incomplete framebuffer makes the caller fall back.
bool RenderTarget::begin(uint32_t texture) {
    if (width == 0) return false;
    const GlExtensions& ext = glExtensions();
    GLint binding = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    savedBinding = binding;
    ext.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    ext.glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    if (depthRenderbuffer != 0) {
        ext.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthRenderbuffer);
        ext.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                         depthRenderbuffer);
    }
    if (ext.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
        std::puts("glCheckFramebufferStatusExt failed");
        ext.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(savedBinding));
        const int32_t keptSprite = sprite;
        release();
        sprite = keptSprite;
        created = true;
        return false;
    }
    return true;
}

bool RenderTarget::end() {
    if (width == 0) return false;
    glExtensions().glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(savedBinding));
    return true;
}

int32_t RenderTarget::attachmentType() const {
    const GlExtensions& ext = glExtensions();
    if (ext.glGetFramebufferAttachmentParameterivEXT == nullptr) return 0;
    GLint type = 0;
    ext.glGetFramebufferAttachmentParameterivEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                                 GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE_EXT, &type);
    return type;
}

void OpenGLRainbows::createRenderTarget(int n, int sprite, int w, int h) {
    if (n < 0 || n >= kRenderTargetCount || !isSpriteNumber(sprite) || sprite == kRenderTargetBackupSprite ||
        w <= 0 || h <= 0)
        return;
    const int32_t limit = maxTextureSize();
    w = std::min(w, limit);
    h = std::min(h, limit);
    if (currentTarget == n) useScreen();
    // The same power-of-two rule as every other texture.
    const int32_t tw = textureSizeFor(w), th = textureSizeFor(h);
    releaseSprite(sprite);
    PixelBuffer blank;
    if (!blank.resize(tw, th)) return;
    SpriteRecord& s = sprites[static_cast<size_t>(sprite)];
    createTexture(blank, 0, 0, 0, 0, &s.texture, nullptr, false, false);
    setSpriteSize(s, w, h, tw, th);
    RenderTarget& target = renderTargets[static_cast<size_t>(n)];
    target.create(tw, th, true);
    target.sprite = sprite;
    target.created = true;
}

namespace {

bool isTargetNumber(int n) { return n >= 0 && n < kRenderTargetCount; }

}  // namespace

// Inside a framebuffer target the image occupies its bottom rows, so GL rows
// count up from there: the target's height is its sprite's image height.
int32_t OpenGLRainbows::drawTargetHeight() const {
    if (isTargetNumber(currentTarget)) {
        const RenderTarget& t = renderTargets[static_cast<size_t>(currentTarget)];
        if (t.width != 0) return sprites[static_cast<size_t>(t.sprite)].height;
    }
    return height;
}

void OpenGLRainbows::useScreen() {
    drawGatheredShapes();
    if (isTargetNumber(currentTarget)) {
        RenderTarget& t = renderTargets[static_cast<size_t>(currentTarget)];
        if (t.width != 0) {
            t.end();
        } else {
            const SpriteRecord& s = sprites[static_cast<size_t>(t.sprite)];
            const int w = s.width, h = s.height, tw = s.textureWidth, th = s.textureHeight;
            currentTarget = -1;  // the copy reads the back buffer
            grabSprite(t.sprite, 0, 0, w, h);
            fillRect(0, 0, tw, th, 0);
            drawSprite(kRenderTargetBackupSprite, 0, 0);
        }
    }
    currentTarget = -1;
    setViewport(0, 0, 0, 0);
}

void OpenGLRainbows::useRenderTarget(int n) {
    // A target that was never created (or a number past the table) changes nothing.
    if (!isTargetNumber(n)) return;
    RenderTarget& target = renderTargets[static_cast<size_t>(n)];
    if (!target.created) return;
    const SpriteRecord& s = sprites[static_cast<size_t>(target.sprite)];
    if (s.width <= 0 || s.texture == 0) return;
    // Drawing changes the sprite's texture: its shared copy would go stale.
    atlas.remove(target.sprite);
    useScreen();
    const int w = s.width, h = s.height;
    currentTarget = n;
    if (target.width != 0 && target.begin(s.texture)) {
        setViewport(0, 0, w, h);
        glViewport(0, 0, w, h);
    } else {
        // Emulated: keep the back buffer under the area, then show the target's image there.
        currentTarget = -1;
        setViewport(0, 0, w, h);
        grabSprite(kRenderTargetBackupSprite, 0, 0, w, h);
        fillRect(0, 0, w, h, spriteColourKey);
        drawSprite(target.sprite, 0, 0);
        currentTarget = n;
    }
    pixelCopies[static_cast<size_t>(target.sprite)].reset();
}
