// render2d: PNG through libpng. libpng reports errors by longjmp, so every
// function that calls into it and sets the jump point holds only trivially
// destructible locals; buffers are owned by the caller outside those frames.
#include "runtime/render2d/png_codec.h"

#include <png.h>  // Required for: libpng

#include <csetjmp>  // Required for: setjmp
#include <cstdio>   // Required for: printf of the refusal messages
#include <cstring>  // Required for: memcpy

#include "runtime/render2d/colour_key.h"

namespace {

void pngErrorHandler(png_structp png, png_const_charp) {
    // Never returns: back to the setjmp of the caller.
    png_longjmp(png, 1);
}

void pngWarningHandler(png_structp, png_const_charp) {}

struct PngSource {
    std::span<const uint8_t> bytes;
    size_t position = 0;
};

void pngReadData(png_structp png, png_bytep out, size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->bytes.size() - source->position) png_error(png, "read past the end of the data");
    std::memcpy(out, source->bytes.data() + source->position, length);
    source->position += length;
}

void pngWriteData(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void pngFlushData(png_structp) {}

// Deflate turns one byte into at most 1032 (a 258-byte match in two bits).
constexpr uint64_t kDeflateMostBytesPerByte = 1032;
constexpr uint32_t kLargestChunk = 0x7FFFFFFF;

uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

int samplesPerPixel(uint8_t colourType) {
    switch (colourType) {
        case 0: return 1;  // grey
        case 2: return 3;  // RGB
        case 3: return 1;  // palette index
        case 4: return 2;  // grey and alpha
        case 6: return 4;  // RGBA
        default: return 0;
    }
}

// Walks the chunks before libpng sees them: every chunk must lie inside the
// data, and the image data must be able to hold the pixels the header
// declares. So a damaged or hostile file never makes libpng or the caller
// allocate for data that is not there.
bool chunksBackTheImage(std::span<const uint8_t> file) {
    constexpr size_t kSignature = 8;
    constexpr size_t kChunkFrame = 12;  // length, type and CRC
    if (file.size() < kSignature + kChunkFrame + 13) return false;
    size_t at = kSignature;
    uint64_t pixelBytes = 0;
    uint64_t dataBytes = 0;
    bool first = true;
    while (file.size() - at >= kChunkFrame) {
        const uint32_t length = bigEndian32(file.data() + at);
        const uint8_t* type = file.data() + at + 4;
        if (length > kLargestChunk || length > file.size() - at - kChunkFrame) return false;
        const uint8_t* data = type + 4;
        if (first) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return false;
            const uint64_t width = bigEndian32(data);
            const uint64_t height = bigEndian32(data + 4);
            const uint64_t bitsPerPixel = uint64_t{data[8]} * static_cast<uint64_t>(samplesPerPixel(data[9]));
            if (width > kMaxImageSide || height > kMaxImageSide) return false;
            pixelBytes = height * ((width * bitsPerPixel + 7) / 8);
            first = false;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            dataBytes += length;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        at += kChunkFrame + length;
    }
    return !first && pixelBytes <= (dataBytes + 1) * kDeflateMostBytesPerByte;
}

struct PngReadSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngSource source;
    ~PngReadSession() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct PngShape {
    png_uint_32 width = 0, height = 0;
    size_t rowBytes = 0;
    int channels = 0;
};

bool pngOpenRead(PngReadSession& s, const char* name, PngShape& shape) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_read_fn(s.png, &s.source, pngReadData);
    png_set_user_limits(s.png, kMaxImageSide, kMaxImageSide);
    // A damaged chunk is a damaged file, not a warning to read on past.
    png_set_benign_errors(s.png, 0);
    // Text, profiles and the other ancillary chunks are never used: skipped
    // unread, they cannot cost memory (tRNS and the critical chunks stay).
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(s.png, s.info);
    const int colourType = png_get_color_type(s.png, s.info);
    const int depth = png_get_bit_depth(s.png, s.info);
    if (colourType == PNG_COLOR_TYPE_PALETTE || (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) ||
        png_get_valid(s.png, s.info, PNG_INFO_tRNS))
        png_set_expand(s.png);
    if (depth == 16) png_set_strip_16(s.png);
    if (depth < 8) png_set_packing(s.png);
    png_read_update_info(s.png, s.info);

    shape.channels = png_get_channels(s.png, s.info);
    if (shape.channels != 1 && shape.channels != 3 && shape.channels != 4) return false;
    const int outDepth = png_get_bit_depth(s.png, s.info);
    if (outDepth != 8) {
        std::printf("File %s has bit depth %d.\n", name, outDepth);
        std::printf("Only bit depth of 8 is supported.\n");
        return false;
    }
    const int outType = png_get_color_type(s.png, s.info);
    if (outType != PNG_COLOR_TYPE_GRAY && outType != PNG_COLOR_TYPE_RGB && outType != PNG_COLOR_TYPE_RGB_ALPHA) {
        std::printf("File %s has unsupported color type.\n", name);
        std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
        return false;
    }
    shape.width = png_get_image_width(s.png, s.info);
    shape.height = png_get_image_height(s.png, s.info);
    shape.rowBytes = png_get_rowbytes(s.png, s.info);
    return shape.height != 0 && shape.width != 0 &&
           shape.rowBytes == static_cast<size_t>(shape.width) * static_cast<size_t>(shape.channels);
}

bool pngReadRows(PngReadSession& s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_image(s.png, rows);
    return true;
}

struct PngWriteSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriteSession() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

bool pngWriteRows(PngWriteSession& s, std::vector<uint8_t>* out, png_uint_32 width, png_uint_32 height,
                  png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_write_fn(s.png, out, pngWriteData, pngFlushData);
    png_set_IHDR(s.png, s.info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s.png, s.info);
    png_set_bgr(s.png);
    png_write_image(s.png, rows);
    png_write_end(s.png, nullptr);
    return true;
}

}  // namespace

bool decodePng(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& out) {
    out.release();
    if (file.size() < 4 || file[1] != 'P' || file[2] != 'N' || file[3] != 'G') return false;
    if (!chunksBackTheImage(file)) return false;
    PngReadSession s;
    s.source.bytes = file;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorHandler, pngWarningHandler);
    if (!s.png) return false;
    s.info = png_create_info_struct(s.png);
    PngShape shape;
    if (!s.info || !pngOpenRead(s, name, shape)) return false;

    std::vector<uint8_t> block(shape.rowBytes * shape.height);
    std::vector<png_bytep> rows(shape.height);
    for (png_uint_32 i = 0; i < shape.height; ++i) rows[i] = block.data() + i * shape.rowBytes;
    if (!pngReadRows(s, rows.data())) return false;

    if (!out.resize(static_cast<int32_t>(shape.width), static_cast<int32_t>(shape.height))) return false;
    for (int32_t y = 0; y < out.height; ++y) {
        const uint8_t* in = rows[static_cast<size_t>(y)];
        uint8_t* px = out.at(0, y);
        for (int32_t x = 0; x < out.width; ++x, px += 4) {
            if (shape.channels == 3) {
                storeKeyed(px, in[3 * x], in[3 * x + 1], in[3 * x + 2], key);
            } else if (shape.channels == 4) {
                std::memcpy(px, in + 4 * x, 4);
            } else {
                px[0] = px[1] = px[2] = in[x];
                px[3] = 255;
            }
        }
    }
    return true;
}

std::vector<uint8_t> encodePngFromBgra(const uint8_t* bgra, int32_t width, int32_t height) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0) return out;
    PngWriteSession s;
    s.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorHandler, pngWarningHandler);
    if (!s.png) return out;
    s.info = png_create_info_struct(s.png);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int32_t i = 0; i < height; ++i)
        rows[static_cast<size_t>(i)] = const_cast<uint8_t*>(bgra) + static_cast<size_t>(i) * static_cast<size_t>(width) * 4;
    if (!s.info || !pngWriteRows(s, &out, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), rows.data()))
        out.clear();
    return out;
}
