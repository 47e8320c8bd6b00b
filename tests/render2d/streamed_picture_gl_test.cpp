// A changing picture drawn over the frame: it fills its rectangle and only
// that, a larger picture grows the texture, and the GL state is put back.
#include <vector>

#include "runtime/render2d/streamed_picture.h"
#include "tests/render2d/gl_fixture.h"

namespace {

class StreamedPictures : public GlDrawing {};

std::vector<uint8_t> solid(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgba;
    for (int i = 0; i < w * h; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
    return rgba;
}

TEST_F(StreamedPictures, EachPictureFillsItsRectangleAndTheStateIsPutBack) {
    if (contextMissing()) return;
    r().setViewport(0, 0, 0, 0);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    StreamedPicture picture;
    picture.draw(solid(8, 4, 0, 0, 255), 8, 4, 10, 20, 40, 20);
    // Inside, away from the edges that filtering blends with the unused texels.
    EXPECT_EQ(px(15, 25) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(px(42, 34) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(px(9, 30) & 0xFFFFFF, 0u);
    EXPECT_EQ(px(51, 30) & 0xFFFFFF, 0u);
    // A picture larger than the first texture: the texture grows.
    picture.draw(solid(40, 30, 0, 255, 0), 40, 30, 100, 100, 40, 30);
    EXPECT_EQ(px(105, 105) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(px(135, 125) & 0xFFFFFF, 0x00FF00u);
    // A picture whose bytes do not match its size draws nothing.
    picture.draw(solid(2, 2, 255, 255, 255), 3, 2, 200, 200, 10, 10);
    EXPECT_EQ(px(205, 205) & 0xFFFFFF, 0u);

    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    glDisable(GL_BLEND);
}

}  // namespace
