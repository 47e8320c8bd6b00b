// render2d: image files by name, over the codecs and the whole-file source.
#include "runtime/render2d/image_files.h"

#include <array>    // Required for: std::array
#include <cstring>  // Required for: strlen
#include <vector>   // Required for: std::vector

#include "runtime/render2d/bmp_codec.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render2d/jpeg_codec.h"
#include "runtime/render2d/png_codec.h"

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithExtension(const char* name, size_t len, const char* ext) {
    return len > 4 && name[len - 4] == '.' && lower(name[len - 3]) == ext[0] && lower(name[len - 2]) == ext[1] &&
           lower(name[len - 1]) == ext[2];
}

// Each format's reader, in the order of the enumeration.
using ImageReader = bool (*)(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& buffer);

bool readBmp(std::span<const uint8_t> file, const char* /*name*/, uint32_t key, PixelBuffer& buffer) {
    return decodeBmp(file, key, buffer);
}

bool readPng(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& buffer) {
    return decodePng(file, name, key, buffer);
}

bool readJpeg(std::span<const uint8_t> file, const char* /*name*/, uint32_t /*key*/, PixelBuffer& buffer) {
    return decodeJpeg(file, buffer);
}

constexpr std::array<ImageReader, 3> kReaders = {readBmp, readPng, readJpeg};

}  // namespace

bool loadImageRgba(PixelBuffer& buffer, const char* name, uint32_t key, std::span<const ImageFormat> formats) {
    std::vector<uint8_t> file;
    if (!readImageSource(name, file)) {
        buffer.release();
        return false;
    }
    return decodeImageRgba(file, name, key, buffer, formats);
}

bool decodeImageRgba(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& buffer,
                     std::span<const ImageFormat> formats) {
    for (const ImageFormat format : formats) {
        if (kReaders[static_cast<size_t>(format)](file, name, key, buffer)) return true;
    }
    return false;
}

bool loadBmpRgba(PixelBuffer& buffer, const char* name, uint32_t key) {
    constexpr ImageFormat kBmp[] = {ImageFormat::Bmp};
    return loadImageRgba(buffer, name, key, kBmp);
}

bool loadPngRgba(PixelBuffer& buffer, const char* name, uint32_t key) {
    constexpr ImageFormat kPng[] = {ImageFormat::Png};
    return loadImageRgba(buffer, name, key, kPng);
}

bool loadJpegRgba(PixelBuffer& buffer, const char* name) {
    constexpr ImageFormat kJpeg[] = {ImageFormat::Jpeg};
    return loadImageRgba(buffer, name, kNoColourKey, kJpeg);
}

ImageFormat saveFormatForName(const char* name) {
    const size_t len = std::strlen(name);
    if (endsWithExtension(name, len, "png")) return ImageFormat::Png;
    if (endsWithExtension(name, len, "jpg")) return ImageFormat::Jpeg;
    return ImageFormat::Bmp;
}

bool saveImageFile(const char* name, const uint8_t* bgr, int32_t width, int32_t height, int32_t rowLength,
                   uint32_t storedKey) {
    if (!name || !bgr || width <= 0 || height <= 0 || rowLength < width) return false;
    const ImageFormat format = saveFormatForName(name);
    if (format == ImageFormat::Bmp) {
        const std::vector<uint8_t> bytes = encodeBmp24(bgr, width, height, rowLength, storedKey);
        return !bytes.empty() && writeImageFile(name, bytes);
    }
    const bool keyed = storedKey != kNoStoredKey;
    const uint8_t keyB = static_cast<uint8_t>(storedKey >> 8), keyG = static_cast<uint8_t>(storedKey >> 16),
                  keyR = static_cast<uint8_t>(storedKey >> 24);
    std::vector<uint8_t> bgra(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* in = bgr + static_cast<size_t>(r) * static_cast<size_t>(rowLength) * 3;
        uint8_t* out = bgra.data() + static_cast<size_t>(height - 1 - r) * static_cast<size_t>(width) * 4;
        for (int32_t x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = (keyed && in[0] == keyB && in[1] == keyG && in[2] == keyR) ? 0 : 255;
        }
    }
    const std::vector<uint8_t> bytes = format == ImageFormat::Jpeg
                                           ? encodeJpegFromBgra(bgra.data(), width, height, kJpegSaveQuality)
                                           : encodePngFromBgra(bgra.data(), width, height);
    return !bytes.empty() && writeImageFile(name, bytes);
}
