#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/files/memory_blocks.h"
#include "runtime/render2d/bmp_codec.h"
#include "runtime/render2d/byte_reader.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/jpeg_codec.h"
#include "runtime/render2d/png_codec.h"
#include "tests/files/full_disk.h"
#include "tests/own_temp_path.h"

namespace {

std::string dataFile(const std::string& name) { return std::string(RENDER2D_TEST_DATA) + "/" + name; }

std::vector<uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using Rgba = std::array<int, 4>;

Rgba pixel(const PixelBuffer& b, int x, int y) {
    const uint8_t* p = b.at(x, y);
    return {p[0], p[1], p[2], p[3]};
}

// The 4 x 3 pattern of the reference files, top row first.
const Rgba kPattern[3][4] = {
    {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}},
    {{0, 0, 0, 255}, {255, 0, 128, 255}, {128, 128, 128, 255}, {255, 255, 0, 255}},
    {{0, 255, 255, 255}, {10, 20, 30, 255}, {200, 100, 50, 255}, {0, 0, 0, 255}},
};

void expectPattern(const PixelBuffer& b, uint32_t key) {
    ASSERT_EQ(b.width, 4);
    ASSERT_EQ(b.height, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            Rgba want = kPattern[y][x];
            const uint32_t colour = static_cast<uint32_t>(want[0] | want[1] << 8 | want[2] << 16);
            if (colour == key) want = {0, 0, 0, 0};
            EXPECT_EQ(pixel(b, x, y), want) << "pixel " << x << "," << y;
        }
    }
}

TEST(ImageFilesTest, ReferencePicturesOfOtherToolsLoadWithTheirPixels) {
    const char* files[] = {"pattern24.bmp", "pattern_palette.bmp", "pattern_os2.bmp", "pattern_rgb.png",
                           "pattern_palette.png"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        PixelBuffer b;
        ASSERT_TRUE(loadImageRgba(b, dataFile(name).c_str(), kNoColourKey));
        expectPattern(b, kNoColourKey);
    }
}

TEST(ImageFilesTest, TheColourKeyAppliesToBmpAndThreeChannelPngOnly) {
    const uint32_t key = 0x8000FF;  // R 255, G 0, B 128
    for (const char* name : {"pattern24.bmp", "pattern_rgb.png", "pattern_palette.png"}) {
        SCOPED_TRACE(name);
        PixelBuffer b;
        ASSERT_TRUE(loadImageRgba(b, dataFile(name).c_str(), key));
        expectPattern(b, key);
    }
    PixelBuffer rgba;
    ASSERT_TRUE(loadPngRgba(rgba, dataFile("pattern_rgba.png").c_str(), key));
    EXPECT_EQ(pixel(rgba, 1, 1), (Rgba{255, 0, 128, 255}));  // four channels: no key
    EXPECT_EQ(pixel(rgba, 0, 0)[3], 0);                       // its own alpha
}

TEST(ImageFilesTest, PngTransformations) {
    PixelBuffer grey;
    ASSERT_TRUE(loadPngRgba(grey, dataFile("pattern_grey16.png").c_str(), kNoColourKey));
    ASSERT_EQ(grey.width, 4);
    for (int x = 0; x < 4; ++x) {
        const Rgba p = pixel(grey, x, 0);
        EXPECT_EQ(p[0], p[1]);
        EXPECT_EQ(p[1], p[2]);
        EXPECT_EQ(p[3], 255);
    }
    EXPECT_EQ(pixel(grey, 3, 0)[0], 255);  // white stays white after the 16-bit strip

    PixelBuffer trns;
    ASSERT_TRUE(loadPngRgba(trns, dataFile("pattern_palette_trns.png").c_str(), kNoColourKey));
    EXPECT_EQ(pixel(trns, 0, 0)[3], 0);
    EXPECT_EQ(pixel(trns, 1, 0), (Rgba{0, 255, 0, 255}));

    PixelBuffer greyAlpha;
    EXPECT_FALSE(loadPngRgba(greyAlpha, dataFile("pattern_greyalpha.png").c_str(), kNoColourKey));
    EXPECT_EQ(greyAlpha.pixels, nullptr);
}

TEST(ImageFilesTest, OneBitRowsOfWidthNineArePaddedToFourBytes) {
    PixelBuffer b;
    ASSERT_TRUE(loadBmpRgba(b, dataFile("bits9.bmp").c_str(), kNoColourKey));
    ASSERT_EQ(b.width, 9);
    ASSERT_EQ(b.height, 2);
    for (int x = 0; x < 9; ++x) {
        const int v = x % 2 == 0 ? 0 : 255;
        EXPECT_EQ(pixel(b, x, 0), (Rgba{v, v, v, 255})) << x;
        EXPECT_EQ(pixel(b, x, 1), (Rgba{255, 255, 255, 255})) << x;
    }
}

TEST(ImageFilesTest, JpegDecodesCloseToTheFlatColours) {
    struct Case {
        const char* name;
        int x, y;
        Rgba want;
    };
    const Case cases[] = {
        {"blocks.jpg", 8, 8, {200, 40, 40, 255}},   {"blocks.jpg", 24, 8, {40, 200, 40, 255}},
        {"blocks.jpg", 8, 24, {40, 40, 200, 255}},  {"blocks.jpg", 24, 24, {230, 230, 230, 255}},
    };
    for (const Case& c : cases) {
        PixelBuffer b;
        ASSERT_TRUE(loadJpegRgba(b, dataFile(c.name).c_str()));
        ASSERT_EQ(b.width, 32);
        const Rgba p = pixel(b, c.x, c.y);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], c.want[i], 8) << c.x << "," << c.y;
        EXPECT_EQ(p[3], 255);
    }
    PixelBuffer grey;
    ASSERT_TRUE(loadImageRgba(grey, dataFile("blocks_grey.jpg").c_str(), 0));
    const Rgba g = pixel(grey, 24, 24);
    EXPECT_EQ(g[0], g[1]);
    EXPECT_EQ(g[1], g[2]);
}

TEST(ImageFilesTest, BrokenAndForeignInputsFailEveryReader) {
    const char* files[] = {"malformed/signature_only.bmp", "malformed/truncated_header.bmp",
                           "malformed/truncated_rows.bmp",  "malformed/truncated.png",
                           "malformed/truncated.jpg",       "malformed/text.txt",
                           "pattern_v5header.bmp",          "no_such_file.png",
                           ""};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        PixelBuffer b;
        const std::string path = *name ? dataFile(name) : std::string();
        EXPECT_FALSE(loadImageRgba(b, path.c_str(), kNoColourKey));
        EXPECT_EQ(b.width, 0);
        EXPECT_EQ(b.pixels, nullptr);
    }
}

TEST(ImageFilesTest, ThePngSignatureDecidesNotTheName) {
    const std::string copy = ownTempPath("png_named.bmp");
    const std::vector<uint8_t> bytes = readAll(dataFile("pattern_rgb.png"));
    std::ofstream(copy, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    PixelBuffer b;
    ASSERT_TRUE(loadImageRgba(b, copy.c_str(), kNoColourKey));
    expectPattern(b, kNoColourKey);
}

// A BMP built by hand: 40-byte header, the given bit count, palette entries
// and rows exactly as given (already padded).
std::vector<uint8_t> makeBmp(int32_t width, int32_t height, uint16_t bits, const std::vector<uint8_t>& palette,
                             const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> out = {'B', 'M'};
    const uint32_t offset = 54 + static_cast<uint32_t>(palette.size());
    putU32(out, offset + static_cast<uint32_t>(rows.size()));
    putU32(out, 0);
    putU32(out, offset);
    putU32(out, 40);
    putU32(out, static_cast<uint32_t>(width));
    putU32(out, static_cast<uint32_t>(height));
    putU16(out, 1);
    putU16(out, bits);
    for (int i = 0; i < 6; ++i) putU32(out, 0);
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

TEST(BmpCodecTest, NegativeHeightIsTopDown) {
    // Two rows of one 24-bit pixel: red first in the file.
    const std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0};
    PixelBuffer up, down;
    ASSERT_TRUE(decodeBmp(makeBmp(1, 2, 24, {}, rows), kNoColourKey, up));
    ASSERT_TRUE(decodeBmp(makeBmp(1, -2, 24, {}, rows), kNoColourKey, down));
    EXPECT_EQ(pixel(up, 0, 1), (Rgba{255, 0, 0, 255}));    // bottom-up: first file row is the bottom
    EXPECT_EQ(pixel(down, 0, 0), (Rgba{255, 0, 0, 255}));  // top-down: first file row is the top
}

TEST(BmpCodecTest, PaletteIndicesPastThePaletteAreBlack) {
    // 8-bit, two palette entries, pixels index 1 and 200.
    const std::vector<uint8_t> palette = {0, 0, 0, 0, 10, 20, 30, 0};
    const std::vector<uint8_t> rows = {1, 200, 0, 0};
    PixelBuffer b;
    ASSERT_TRUE(decodeBmp(makeBmp(2, 1, 8, palette, rows), kNoColourKey, b));
    EXPECT_EQ(pixel(b, 0, 0), (Rgba{30, 20, 10, 255}));
    EXPECT_EQ(pixel(b, 1, 0), (Rgba{0, 0, 0, 255}));
}

TEST(BmpCodecTest, FourBitPixelsTakeHighNibbleFirst) {
    std::vector<uint8_t> palette(16 * 4, 0);
    palette[3 * 4 + 2] = 255;  // entry 3 red
    palette[5 * 4 + 0] = 255;  // entry 5 blue
    PixelBuffer b;
    ASSERT_TRUE(decodeBmp(makeBmp(3, 1, 4, palette, {0x35, 0x30, 0, 0}), kNoColourKey, b));
    EXPECT_EQ(pixel(b, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(pixel(b, 1, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(pixel(b, 2, 0), (Rgba{255, 0, 0, 255}));
}

TEST(BmpCodecTest, HeadersThatDoNotAddUpAreRefused) {
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<uint8_t> noPalette = makeBmp(2, 1, 8, {}, {0, 0, 0, 0});
    std::vector<uint8_t> shortRows = makeBmp(5, 2, 24, {}, std::vector<uint8_t>(16 + 15, 0));
    std::vector<uint8_t> zeroWidth = makeBmp(0, 2, 24, {}, {});
    std::vector<uint8_t> hugeWidth = makeBmp(0x40000000, 1, 24, {}, std::vector<uint8_t>(64, 0));
    std::vector<uint8_t> minHeight = makeBmp(1, INT32_MIN, 24, {}, std::vector<uint8_t>(64, 0));
    std::vector<uint8_t> badBits = makeBmp(1, 1, 16, {}, {0, 0, 0, 0});
    std::vector<uint8_t> offsetInsideHeader = makeBmp(1, 1, 24, {}, {0, 0, 0, 0});
    offsetInsideHeader[10] = 20;
    const Case cases[] = {{"palette image without palette", noPalette}, {"rows cut short", shortRows},
                          {"zero width", zeroWidth},                     {"width over the limit", hugeWidth},
                          {"height of INT32_MIN", minHeight},            {"16 bits", badBits},
                          {"data offset inside the header", offsetInsideHeader}};
    for (const Case& c : cases) {
        PixelBuffer b;
        EXPECT_FALSE(decodeBmp(c.file, kNoColourKey, b)) << c.what;
        EXPECT_EQ(b.pixels, nullptr) << c.what;
    }
}

TEST(BmpCodecTest, WrittenHeaderBytesAndRowPadding) {
    // 5 x 2 pixels: stride 16 bytes.
    std::vector<uint8_t> bgr(5 * 2 * 3);
    for (size_t i = 0; i < bgr.size(); ++i) bgr[i] = static_cast<uint8_t>(i + 1);
    const std::vector<uint8_t> file = encodeBmp24(bgr.data(), 5, 2, 5, kNoStoredKey);
    const std::vector<uint8_t> header = {
        'B', 'M', 86, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                      // file header
        40, 0, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,      // size, w, h, planes, bits, compression
        0, 0, 0, 0, 0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(file.size(), 86u);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    EXPECT_EQ(file[54], 1);
    EXPECT_EQ(file[54 + 14], 15);
    EXPECT_EQ(file[54 + 15], 0);  // padding
    EXPECT_EQ(file[54 + 16], 16);  // second row starts at the stride

    PixelBuffer back;
    ASSERT_TRUE(decodeBmp(file, kNoColourKey, back));
    EXPECT_EQ(pixel(back, 0, 1), (Rgba{3, 2, 1, 255}));  // file row 0 is the bottom row
}

TEST(ImageFilesTest, SaveFormatByName) {
    struct Case {
        const char* name;
        ImageFormat format;
    };
    const Case cases[] = {{"a.png", ImageFormat::Png},  {"a.PnG", ImageFormat::Png},  {"a.jpg", ImageFormat::Jpeg},
                          {"a.JPG", ImageFormat::Jpeg}, {"a.jpeg", ImageFormat::Bmp}, {"a.bmp", ImageFormat::Bmp},
                          {".png", ImageFormat::Bmp},   {"apng", ImageFormat::Bmp},   {"", ImageFormat::Bmp},
                          {"x.pn", ImageFormat::Bmp}};
    for (const Case& c : cases) EXPECT_EQ(saveFormatForName(c.name), c.format) << c.name;
}

// Rows of B, G, R bottom first for a 3 x 2 picture; black at the top left.
std::vector<uint8_t> sampleBgr() {
    return {128, 0, 255, 10, 20, 30, 1, 2, 3,   // bottom row: key colour first
            0, 0, 0, 255, 255, 255, 40, 50, 60};  // top row: black first
}

TEST(ImageFilesTest, SavedFilesRoundTripInEveryFormat) {
    const std::vector<uint8_t> bgr = sampleBgr();
    for (const char* ext : {"bmp", "png"}) {
        SCOPED_TRACE(ext);
        const std::string path = ownTempPath("round_trip.") + ext;
        ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), 3, 2, 3, kNoStoredKey));
        PixelBuffer b;
        ASSERT_TRUE(loadImageRgba(b, path.c_str(), kNoColourKey));
        ASSERT_EQ(b.width, 3);
        EXPECT_EQ(pixel(b, 0, 0), (Rgba{0, 0, 0, 255}));
        EXPECT_EQ(pixel(b, 2, 0), (Rgba{60, 50, 40, 255}));
        EXPECT_EQ(pixel(b, 0, 1), (Rgba{255, 0, 128, 255}));
        EXPECT_EQ(pixel(b, 1, 1), (Rgba{30, 20, 10, 255}));
    }
    const std::string jpg = ownTempPath("round_trip.jpg");
    std::vector<uint8_t> flat(16 * 16 * 3);
    for (size_t i = 0; i < flat.size(); i += 3) flat[i] = 30, flat[i + 1] = 140, flat[i + 2] = 220;
    ASSERT_TRUE(saveImageFile(jpg.c_str(), flat.data(), 16, 16, 16, kNoStoredKey));
    PixelBuffer j;
    ASSERT_TRUE(loadImageRgba(j, jpg.c_str(), kNoColourKey));
    const Rgba p = pixel(j, 7, 7);
    EXPECT_NEAR(p[0], 220, 4);
    EXPECT_NEAR(p[1], 140, 4);
    EXPECT_NEAR(p[2], 30, 4);
}

TEST(ImageFilesTest, ASaveThatCannotBeWrittenKeepsTheOldPicture) {
    const std::vector<uint8_t> bgr = sampleBgr();
    FullDisk disk(::testing::TempDir() + "full_disk_" + std::to_string(::getpid()));
    for (const char* ext : {"bmp", "png", "jpg"}) {
        SCOPED_TRACE(ext);
        const std::string path = disk.file(std::string("old.") + ext);
        const std::vector<uint8_t> old = {'o', 'l', 'd'};
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(old.data()), 3);
        disk.fill();
        EXPECT_FALSE(saveImageFile(path.c_str(), bgr.data(), 3, 2, 3, kNoStoredKey));
        disk.free();
        EXPECT_EQ(readAll(path), old);
    }
}

TEST(ImageFilesTest, KeyPixelsAreMarkedOnlyWhenAKeyIsSetAndAllChannelsMatch) {
    const std::vector<uint8_t> bgr = sampleBgr();
    const uint32_t storedDefaultKey = 255u << 24 | 0u << 16 | 128u << 8;  // R 255, G 0, B 128
    const std::string bmp = ownTempPath("keyed.bmp");
    const std::string png = ownTempPath("keyed.png");
    struct Case {
        uint32_t key;
        Rgba blackPixel, keyPixelPng;
    };
    // Black is never rewritten; the key colour is transparent in PNG only when keyed.
    const Case cases[] = {{kNoStoredKey, {0, 0, 0, 255}, {255, 0, 128, 255}},
                          {storedDefaultKey, {0, 0, 0, 255}, {255, 0, 128, 0}},
                          {0, {255, 0, 128, 255}, {255, 0, 128, 255}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_TRUE(saveImageFile(bmp.c_str(), bgr.data(), 3, 2, 3, c.key));
        ASSERT_TRUE(saveImageFile(png.c_str(), bgr.data(), 3, 2, 3, c.key));
        PixelBuffer b, p;
        ASSERT_TRUE(loadBmpRgba(b, bmp.c_str(), kNoColourKey));
        ASSERT_TRUE(loadPngRgba(p, png.c_str(), kNoColourKey));
        EXPECT_EQ(pixel(b, 0, 0), c.blackPixel);
        EXPECT_EQ(pixel(b, 0, 1), (Rgba{255, 0, 128, 255}));
        EXPECT_EQ(pixel(p, 0, 1), c.keyPixelPng);
        EXPECT_EQ(pixel(p, 1, 1), (Rgba{30, 20, 10, 255}));
    }
}

TEST(ImageFilesTest, MemoryFileNamesLoadLikeFiles) {
    for (const char* name : {"pattern_rgb.png", "pattern24.bmp"}) {
        const MemoryBlock block = registerMemoryBlock(readAll(dataFile(name)));
        PixelBuffer b;
        ASSERT_TRUE(loadImageRgba(b, memoryFileName(block).c_str(), kNoColourKey)) << name;
        expectPattern(b, kNoColourKey);
    }
    PixelBuffer none;
    EXPECT_FALSE(loadImageRgba(none, "mem://      10.fffffff0", kNoColourKey));
}

TEST(ImageFilesTest, MemoryNamesAreNeverWritten) {
    const std::vector<uint8_t> bgr = sampleBgr();
    for (const char* name : {"mem://      10.       1.png", "mem://      10.       1.bmp"})
        EXPECT_FALSE(saveImageFile(name, bgr.data(), 3, 2, 3, kNoStoredKey)) << name;
}

// The quality-80 tables: the baseline tables scaled by 40 %, rounded.
TEST(JpegCodecTest, QuantisationTablesAtQuality80) {
    static const int kLuma[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                  14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                  18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                  49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static const int kChroma[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
    static const int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    const std::vector<uint8_t> bgr = sampleBgr();
    const std::string path = ownTempPath("quality.jpg");
    ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), 3, 2, 3, kNoStoredKey));
    const std::vector<uint8_t> file = readAll(path);
    std::array<std::vector<int>, 2> tables;
    for (size_t i = 2; i + 4 < file.size();) {
        ASSERT_EQ(file[i], 0xFF);
        const uint8_t marker = file[i + 1];
        const size_t length = static_cast<size_t>(file[i + 2] << 8 | file[i + 3]);
        if (marker == 0xDB) {
            for (size_t t = i + 4; t < i + 2 + length; t += 65) {
                ASSERT_EQ(file[t] >> 4, 0);  // 8-bit entries: baseline
                auto& table = tables[file[t] & 15];
                table.assign(file.begin() + static_cast<std::ptrdiff_t>(t + 1), file.begin() + static_cast<std::ptrdiff_t>(t + 65));
            }
        }
        if (marker == 0xDA) break;
        i += 2 + length;
    }
    ASSERT_EQ(tables[0].size(), 64u);
    ASSERT_EQ(tables[1].size(), 64u);
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(tables[0][k], (kLuma[kZigzag[k]] * 40 + 50) / 100) << k;
        EXPECT_EQ(tables[1][k], (kChroma[kZigzag[k]] * 40 + 50) / 100) << k;
    }
}

}  // namespace
