// render2d: JPEG through libjpeg. libjpeg reports errors by calling
// error_exit, which jumps back here; the functions that set the jump point
// hold only trivially destructible locals.
#include "runtime/render2d/jpeg_codec.h"

#include <algorithm>  // Required for: std::min
#include <csetjmp>    // Required for: setjmp, longjmp
#include <cstdint>    // Required for: UINT64_MAX
#include <cstdio>     // Required for: FILE, which jpeglib.h needs declared
#include <cstdlib>    // Required for: free of libjpeg's output block

#include <jpeglib.h>  // Required for: libjpeg

namespace {

struct JpegError {
    jpeg_error_mgr manager{};
    jmp_buf jump{};
};

[[noreturn]] void jpegErrorExit(j_common_ptr info) { longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

void jpegSilentMessage(j_common_ptr) {}

// Level -1 is a warning about damaged data (premature end, a corrupt
// segment): libjpeg would make the missing pixels up, we refuse the file.
void jpegWarningsAreErrors(j_common_ptr info, int level) {
    if (level < 0) jpegErrorExit(info);
}

void installErrorHandler(JpegError& error) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.output_message = jpegSilentMessage;
}

// Every block of a scan costs at least one bit of entropy-coded data (a
// Huffman code is never shorter), and a file that decodes whole has at least
// one complete scan. So the data must hold a bit per block of the component
// with the fewest blocks; less cannot back the declared size.
bool dataBacksTheSize(const jpeg_decompress_struct& info, size_t fileBytes) {
    uint64_t fewestBlocks = UINT64_MAX;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const uint64_t width = (uint64_t{info.image_width} * static_cast<uint64_t>(component.h_samp_factor) +
                                static_cast<uint64_t>(info.max_h_samp_factor) - 1) /
                               static_cast<uint64_t>(info.max_h_samp_factor);
        const uint64_t height = (uint64_t{info.image_height} * static_cast<uint64_t>(component.v_samp_factor) +
                                 static_cast<uint64_t>(info.max_v_samp_factor) - 1) /
                                static_cast<uint64_t>(info.max_v_samp_factor);
        fewestBlocks = std::min(fewestBlocks, ((width + 7) / 8) * ((height + 7) / 8));
    }
    return info.num_components > 0 && fewestBlocks <= uint64_t{fileBytes} * 8;
}

struct JpegReadSession {
    jpeg_decompress_struct info{};
    JpegError error;
    bool created = false;
    ~JpegReadSession() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

bool jpegStart(JpegReadSession& s, std::span<const uint8_t> file) {
    if (setjmp(s.error.jump)) return false;
    jpeg_create_decompress(&s.info);
    s.created = true;
    jpeg_mem_src(&s.info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&s.info, TRUE);
    if (s.info.image_width == 0 || s.info.image_height == 0 || s.info.image_width > kMaxImageSide ||
        s.info.image_height > kMaxImageSide)
        return false;
    // Arithmetic coding has no such floor: it stays refused, as in the
    // library interface the runtime was made for.
    if (s.info.arith_code || !dataBacksTheSize(s.info, file.size())) return false;
    jpeg_start_decompress(&s.info);
    const int components = s.info.output_components;
    return (components == 1 || components == 3 || components == 4) && s.info.output_width <= kMaxImageSide &&
           s.info.output_height <= kMaxImageSide && s.info.output_width > 0 && s.info.output_height > 0;
}

bool jpegReadLine(JpegReadSession& s, JSAMPROW row) {
    if (setjmp(s.error.jump)) return false;
    return jpeg_read_scanlines(&s.info, &row, 1) == 1;
}

bool jpegFinish(JpegReadSession& s) {
    if (setjmp(s.error.jump)) return false;
    jpeg_finish_decompress(&s.info);
    return true;
}

struct JpegWriteSession {
    jpeg_compress_struct info{};
    JpegError error;
    bool created = false;
    unsigned char* block = nullptr;
    unsigned long size = 0;
    ~JpegWriteSession() {
        if (created) jpeg_destroy_compress(&info);
        std::free(block);
    }
};

bool jpegWrite(JpegWriteSession& s, const uint8_t* rgb, int32_t width, int32_t height, int quality) {
    if (setjmp(s.error.jump)) return false;
    jpeg_create_compress(&s.info);
    s.created = true;
    jpeg_mem_dest(&s.info, &s.block, &s.size);
    s.info.image_width = static_cast<JDIMENSION>(width);
    s.info.image_height = static_cast<JDIMENSION>(height);
    s.info.input_components = 3;
    s.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.info);
    jpeg_set_quality(&s.info, quality, TRUE);
    jpeg_start_compress(&s.info, TRUE);
    while (s.info.next_scanline < s.info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(rgb) + static_cast<size_t>(s.info.next_scanline) * static_cast<size_t>(width) * 3;
        jpeg_write_scanlines(&s.info, &row, 1);
    }
    jpeg_finish_compress(&s.info);
    return true;
}

}  // namespace

bool decodeJpeg(std::span<const uint8_t> file, PixelBuffer& out) {
    out.release();
    if (file.empty()) return false;
    JpegReadSession s;
    s.info.err = &s.error.manager;
    installErrorHandler(s.error);
    s.error.manager.emit_message = jpegWarningsAreErrors;
    if (!jpegStart(s, file)) return false;
    const int components = s.info.output_components;
    if (!out.resize(static_cast<int32_t>(s.info.output_width), static_cast<int32_t>(s.info.output_height)))
        return false;
    std::vector<uint8_t> row(static_cast<size_t>(out.width) * static_cast<size_t>(components));
    for (int32_t y = 0; y < out.height; ++y) {
        if (!jpegReadLine(s, row.data())) {
            out.release();
            return false;
        }
        uint8_t* px = out.at(0, y);
        for (int32_t x = 0; x < out.width; ++x, px += 4) {
            const uint8_t* in = row.data() + static_cast<size_t>(x) * static_cast<size_t>(components);
            if (components == 1) {
                px[0] = px[1] = px[2] = in[0];
                px[3] = 255;
            } else {
                px[0] = in[0];
                px[1] = in[1];
                px[2] = in[2];
                px[3] = components == 4 ? in[3] : 255;
            }
        }
    }
    if (!jpegFinish(s)) {
        out.release();
        return false;
    }
    return true;
}

std::vector<uint8_t> encodeJpegFromBgra(const uint8_t* bgra, int32_t width, int32_t height, int quality) {
    if (width <= 0 || height <= 0) return {};
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    JpegWriteSession s;
    s.info.err = &s.error.manager;
    installErrorHandler(s.error);
    if (!jpegWrite(s, rgb.data(), width, height, quality) || !s.block) return {};
    return std::vector<uint8_t>(s.block, s.block + s.size);
}
