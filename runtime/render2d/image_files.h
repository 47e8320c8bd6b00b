// render2d: image files by name. Readers accept disk paths and "mem://" names
// and try the formats in the order their caller gives; writers pick the
// format by the name.
#pragma once

#include <cstdint>  // Required for: fixed-width values
#include <span>     // Required for: std::span

#include "runtime/render2d/colour_key.h"
#include "runtime/render2d/pixel_buffer.h"

// ---- Formats ----
enum class ImageFormat { Bmp, Png, Jpeg };
// The order the picture loaders (sprites, fonts, backgrounds) try formats in;
// each decoder refuses what is not its format, so the content decides.
inline constexpr ImageFormat kPictureFormats[] = {ImageFormat::Bmp, ImageFormat::Png, ImageFormat::Jpeg};

// ---- Readers (true on success; on failure the buffer is empty) ----
// The file or memory block decoded as the first of the formats, in order,
// that reads it. The key applies to BMP and PNG.
bool loadImageRgba(PixelBuffer& buffer, const char* name, uint32_t key,
                   std::span<const ImageFormat> formats = kPictureFormats);
// The same over bytes already in memory; name labels messages only.
bool decodeImageRgba(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& buffer,
                     std::span<const ImageFormat> formats = kPictureFormats);
bool loadBmpRgba(PixelBuffer& buffer, const char* name, uint32_t key);
bool loadPngRgba(PixelBuffer& buffer, const char* name, uint32_t key);
bool loadJpegRgba(PixelBuffer& buffer, const char* name);

// ---- Writer ----
// ".png" / ".jpg" in any case as the last four characters of a longer name;
// anything else is BMP.
ImageFormat saveFormatForName(const char* name);
inline constexpr int kJpegSaveQuality = 80;
// Writes rows of B, G, R bytes (bottom row first, rowLength pixels apart).
// storedKey is the colour key as the framebuffer holds it (R << 24 | G << 16 |
// B << 8) or kNoStoredKey; key pixels become transparent (PNG, JPEG) or
// R 255, G 0, B 128 (BMP).
bool saveImageFile(const char* name, const uint8_t* bgr, int32_t width, int32_t height, int32_t rowLength,
                   uint32_t storedKey);
