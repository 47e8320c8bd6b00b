// Pictures made to cost memory and time: small files that declare huge sizes
// or chunks. They are refused at once, and a load never needs more than a
// small multiple of what the data can really hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "runtime/render2d/image_files.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/jpeg_codec.h"
#include "runtime/render2d/png_codec.h"
#include "tests/sanitizer_build.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t crc32Of(const uint8_t* data, size_t n) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A chunk whose length field says `declared` but which carries `data`.
void chunk(Bytes& out, const char* type, const Bytes& data, uint32_t declared) {
    put32(out, declared);
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32Of(out.data() + start, out.size() - start));
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
    chunk(out, type, data, static_cast<uint32_t>(data.size()));
}

Bytes pngHeader(uint32_t width, uint32_t height, uint8_t colourType) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    put32(ihdr, width);
    put32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, colourType, 0, 0, 0});
    chunk(out, "IHDR", ihdr);
    return out;
}

// A zlib stream of one stored block holding `raw`.
Bytes storedZlib(const Bytes& raw) {
    Bytes z = {0x78, 0x01, 0x01, static_cast<uint8_t>(raw.size()), static_cast<uint8_t>(raw.size() >> 8),
               static_cast<uint8_t>(~raw.size()), static_cast<uint8_t>(~raw.size() >> 8)};
    z.insert(z.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, b << 16 | a);
    return z;
}

// 167 bytes: a text chunk that declares 1.2 GB.
Bytes pngWithHugeTextChunk() {
    Bytes out = pngHeader(1, 1, 0);
    Bytes text(122, 'x');
    std::memcpy(text.data(), "Comment", 8);
    chunk(out, "tEXt", text, 1200000000u);
    return out;
}

// 16384 x 16384 RGBA declared; the image data holds a few hundred bytes.
Bytes pngLargerThanItsData() {
    Bytes out = pngHeader(16384, 16384, 6);
    chunk(out, "IDAT", storedZlib(Bytes(600, 0)));
    chunk(out, "IEND", {});
    return out;
}

void marker(Bytes& out, uint8_t code, const Bytes& body) {
    out.push_back(0xFF);
    out.push_back(code);
    const size_t length = body.size() + 2;
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), body.begin(), body.end());
}

// A grey JPEG of the given size whose Huffman tables hold one one-bit code
// each, so every zero byte of scan data codes four flat blocks.
Bytes greyJpeg(uint16_t width, uint16_t height, uint8_t frameMarker, size_t scanBytes) {
    Bytes out = {0xFF, 0xD8};
    Bytes quant(65, 1);
    quant[0] = 0;
    marker(out, 0xDB, quant);
    marker(out, frameMarker, {8, static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height),
                              static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width), 1, 1, 0x11, 0});
    for (uint8_t tableClass : {0x00, 0x10}) {
        Bytes table = {tableClass, 1};
        table.resize(17, 0);
        table.push_back(0);  // DC: difference 0; AC: end of block
        marker(out, 0xC4, table);
    }
    marker(out, 0xDA, {1, 1, 0, 0, 63, 0});
    out.insert(out.end(), scanBytes, 0);
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

// 190 bytes declaring 16384 x 16384 grey: libjpeg alone would warn of the
// missing data and make up a gigabyte of grey.
Bytes jpegLargerThanItsData() { return greyJpeg(16384, 16384, 0xC0, 50); }

struct Hostile {
    const char* name;
    Bytes bytes;
};

std::vector<Hostile> hostilePictures() {
    return {{"PNG with a 1.2 GB text chunk", pngWithHugeTextChunk()},
            {"PNG larger than its data", pngLargerThanItsData()},
            {"JPEG larger than its data", jpegLargerThanItsData()},
            {"arithmetic-coded JPEG", greyJpeg(64, 64, 0xC9, 8)}};
}

TEST(HostilePictures, FixturesHaveTheSizesOfTheFilesFound) {
    EXPECT_EQ(pngWithHugeTextChunk().size(), 167u);
    EXPECT_EQ(jpegLargerThanItsData().size(), 190u);
}

TEST(HostilePictures, AreRefusedByEveryReader) {
    for (const Hostile& h : hostilePictures()) {
        PixelBuffer b;
        EXPECT_FALSE(decodeImageRgba(h.bytes, h.name, kNoColourKey, b)) << h.name;
        EXPECT_EQ(b.pixels, nullptr) << h.name;
    }
}

// Run in a child whose address space is capped: a decode that allocates for
// the declared size instead of the data dies there instead of passing.
TEST(HostilePictures, CostOnlyAFewMegabytes) {
#ifdef KRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space cap";
#endif
    for (const Hostile& h : hostilePictures()) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit cap{256u << 20, 256u << 20};
            setrlimit(RLIMIT_AS, &cap);
            PixelBuffer b;
            _exit(decodeImageRgba(h.bytes, h.name, kNoColourKey, b) ? 2 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << h.name << ": status " << status;
    }
}

TEST(HostilePictures, HighlyCompressedOrdinaryPicturesStillLoad) {
    const int side = 1024;
    std::vector<uint8_t> bgra(static_cast<size_t>(side) * side * 4, 0);
    for (size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 255;
    for (const auto& file : {encodePngFromBgra(bgra.data(), side, side),
                             encodeJpegFromBgra(bgra.data(), side, side, kJpegSaveQuality)}) {
        ASSERT_FALSE(file.empty());
        PixelBuffer b;
        EXPECT_TRUE(decodeImageRgba(file, "flat", kNoColourKey, b)) << file.size() << " bytes";
        EXPECT_EQ(b.width, side);
    }
    // A flat grey JPEG with the shortest codes, two bits for each of its 1024 blocks.
    PixelBuffer b;
    EXPECT_TRUE(decodeJpeg(greyJpeg(256, 256, 0xC0, 256), b));
    EXPECT_FALSE(decodeJpeg(greyJpeg(256, 256, 0xC0, 200), b)) << "a scan cut short is refused";
}

TEST(HostilePictures, FifosAndDevicesAreNoPictures) {
    const std::string fifo = ::testing::TempDir() + "picture_fifo_" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& name : {fifo, std::string("/dev/zero"), ::testing::TempDir()}) {
        PixelBuffer b;
        EXPECT_FALSE(loadImageRgba(b, name.c_str(), kNoColourKey)) << name;
    }
    unlink(fifo.c_str());
}

TEST(HostilePictures, ReadingStopsAtTheLimit) {
    const std::string path = ::testing::TempDir() + "long_picture_" + std::to_string(getpid());
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const Bytes block(4096, 7);
        for (int i = 0; i < 4; ++i) std::fwrite(block.data(), 1, block.size(), f);
        std::fclose(f);
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readImageSource(path.c_str(), bytes, 5000));
    EXPECT_EQ(bytes.size(), 5000u);
    ASSERT_TRUE(readImageSource(path.c_str(), bytes));
    EXPECT_EQ(bytes.size(), 16384u);
    unlink(path.c_str());
}

}  // namespace
