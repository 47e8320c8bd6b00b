// A movie from a tiny clip drawn by the FFmpeg media layer into a real
// window: its picture lands in the destination rectangle and nowhere else.
#include <filesystem>
#include <fstream>

#include "runtime/sound/media_backend.h"
#include "tests/render2d/gl_fixture.h"

namespace {

class MoviePictures : public GlDrawing {};

TEST_F(MoviePictures, TheFirstPictureFillsTheDestination) {
    if (contextMissing()) return;
    // 32 x 16 pictures, all red (Y 76, U 85, V 255), two of them.
    std::string clip = "YUV4MPEG2 W32 H16 F10:1 Ip A1:1 C420jpeg\n";
    for (int i = 0; i < 2; ++i) {
        clip += "FRAME\n" + std::string(32 * 16, static_cast<char>(76)) + std::string(16 * 8, static_cast<char>(85)) +
                std::string(16 * 8, static_cast<char>(255));
    }
    const std::string path = ::testing::TempDir() + "krv_movie_" + std::to_string(::getpid()) + ".y4m";
    std::ofstream(path, std::ios::binary) << clip;

    std::unique_ptr<MoviePlayer> movie = mediaBackend().openMovie(path, nullptr);
    std::filesystem::remove(path);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->sourceWidth(), 32);
    EXPECT_EQ(movie->sourceHeight(), 16);
    r().setViewport(0, 0, 0, 0);
    movie->setDestination({100, 50, 64, 32});
    movie->drawFrame();

    auto reddish = [](uint32_t c) { return (c & 0xFF) > 230 && ((c >> 8) & 0xFF) < 25 && ((c >> 16) & 0xFF) < 25; };
    for (auto [x, y] : {std::pair{101, 51}, {130, 66}, {162, 80}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        EXPECT_TRUE(reddish(px(x, y))) << std::hex << px(x, y);
    }
    for (auto [x, y] : {std::pair{99, 60}, {165, 60}, {130, 49}, {130, 83}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        EXPECT_EQ(px(x, y) & 0xFFFFFF, 0u);
    }
}

}  // namespace
