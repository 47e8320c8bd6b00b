// render2d: BMP reading and writing. Pure CPU over byte blocks; the file
// itself is read and written by image_files.cpp.
#include "runtime/render2d/bmp_codec.h"

#include <array>  // Required for: the palette

#include "runtime/render2d/byte_reader.h"
#include "runtime/render2d/colour_key.h"

namespace {

struct BmpPaletteEntry {
    uint8_t b = 0, g = 0, r = 0;
};

struct BmpHeader {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows stored top first
    uint16_t bitCount = 0;
    std::array<BmpPaletteEntry, 256> palette{};  // entries past the file's palette stay black
    bool hasPalette = false;
};

bool readHeader(ByteReader& in, BmpHeader& h) {
    uint8_t b = 0, m = 0;
    uint32_t fileSize = 0, dataOffset = 0, headerSize = 0;
    uint16_t reserved = 0;
    if (!in.u8(b) || !in.u8(m) || b != 'B' || m != 'M') return false;
    if (!in.u32(fileSize) || !in.u16(reserved) || !in.u16(reserved) || !in.u32(dataOffset) || !in.u32(headerSize))
        return false;
    if (headerSize != 12 && headerSize != 40) return false;
    if (dataOffset < 14 + headerSize) return false;
    const uint32_t headerBlock = dataOffset - 14;
    uint16_t layers = 0;
    if (headerSize == 12) {
        uint16_t w = 0, hgt = 0;
        if (!in.u16(w) || !in.u16(hgt) || !in.u16(layers) || !in.u16(h.bitCount)) return false;
        h.width = w;
        h.height = hgt;
    } else {
        int32_t w = 0, hgt = 0;
        uint32_t skipped = 0;
        if (!in.i32(w) || !in.i32(hgt) || !in.u16(layers) || !in.u16(h.bitCount)) return false;
        for (int i = 0; i < 6; ++i) {
            if (!in.u32(skipped)) return false;
        }
        h.width = w;
        h.height = hgt;
    }
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24 && h.bitCount != 32) return false;
    const int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || rows == 0 || h.width > kMaxImageSide || rows > kMaxImageSide) return false;

    if (headerSize == 40 && headerBlock > 40) {
        const uint32_t entries = (headerBlock - 40) / 4;
        for (uint32_t i = 0; i < entries; ++i) {
            uint8_t bgra[4] = {};
            for (uint8_t& byte : bgra) {
                if (!in.u8(byte)) return false;
            }
            if (i < h.palette.size()) h.palette[i] = {bgra[0], bgra[1], bgra[2]};
        }
        h.hasPalette = entries > 0;
        if (!in.seek(dataOffset)) return false;
    } else if (headerSize == 12 && h.bitCount <= 8 && headerBlock > 12) {
        const uint32_t entries = 1u << h.bitCount;
        for (uint32_t i = 0; i < entries; ++i) {
            if (!in.u8(h.palette[i].b) || !in.u8(h.palette[i].g) || !in.u8(h.palette[i].r)) return false;
        }
        h.hasPalette = true;
    }
    return h.bitCount > 8 || h.hasPalette;
}

}  // namespace

bool decodeBmp(std::span<const uint8_t> file, uint32_t key, PixelBuffer& out) {
    ByteReader in(file);
    BmpHeader h;
    if (!readHeader(in, h)) {
        out.release();
        return false;
    }
    const bool topDown = h.height < 0;
    const int32_t width = static_cast<int32_t>(h.width);
    const int32_t rows = static_cast<int32_t>(h.height < 0 ? -h.height : h.height);
    const size_t stride = (static_cast<size_t>(h.bitCount) * static_cast<size_t>(width) + 31) / 32 * 4;
    std::span<const uint8_t> data;
    if (!in.take(stride * static_cast<size_t>(rows), data) || !out.resize(width, rows)) {
        out.release();
        return false;
    }
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = data.data() + stride * static_cast<size_t>(topDown ? y : rows - 1 - y);
        uint8_t* px = out.at(0, y);
        for (int32_t x = 0; x < width; ++x, px += 4) {
            BmpPaletteEntry c;
            switch (h.bitCount) {
                case 1: c = h.palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
                case 4: c = h.palette[x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15]; break;
                case 8: c = h.palette[row[x]]; break;
                case 24: c = {row[3 * x], row[3 * x + 1], row[3 * x + 2]}; break;
                default: c = {row[4 * x], row[4 * x + 1], row[4 * x + 2]}; break;
            }
            storeKeyed(px, c.r, c.g, c.b, key);
        }
    }
    return true;
}

std::vector<uint8_t> encodeBmp24(const uint8_t* bgr, int32_t width, int32_t height, int32_t rowLength,
                                 uint32_t storedKey) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || rowLength < width) return out;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t fileSize = 54 + stride * static_cast<size_t>(height);
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    putU32(out, static_cast<uint32_t>(fileSize));
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, static_cast<uint32_t>(width));
    putU32(out, static_cast<uint32_t>(height));
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 10000);
    putU32(out, 10000);
    putU32(out, 0);
    putU32(out, 0);
    const bool keyed = storedKey != kNoStoredKey;
    const uint8_t keyB = static_cast<uint8_t>(storedKey >> 8), keyG = static_cast<uint8_t>(storedKey >> 16),
                  keyR = static_cast<uint8_t>(storedKey >> 24);
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* px = bgr + static_cast<size_t>(r) * static_cast<size_t>(rowLength) * 3;
        for (int32_t x = 0; x < width; ++x, px += 3) {
            if (keyed && px[0] == keyB && px[1] == keyG && px[2] == keyR) {
                out.insert(out.end(), {128, 0, 255});
            } else {
                out.insert(out.end(), {px[0], px[1], px[2]});
            }
        }
        out.resize(out.size() + stride - static_cast<size_t>(width) * 3, 0);
    }
    return out;
}
