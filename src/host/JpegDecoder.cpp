// JPEG decoding through libjpeg's decompress interface with RGB output.
#include "host/PictureDecoder.h"

#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

namespace host {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void raiseError(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, err->message);
    longjmp(err->jump, 1);
}

// Warnings mean damaged data (a truncated file decodes as grey otherwise): treat them as errors.
void failOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        raiseError(info);
}

// Nothing with a destructor lives in this frame: longjmp may leave it at any call.
bool decodeWith(jpeg_decompress_struct& cinfo, ErrorManager& err, RgbaPicture& out)
{
    if (setjmp(err.jump))
        return false;
    jpeg_read_header(&cinfo, TRUE);
    // Refused before libjpeg sizes its buffers: a progressive file's hold the whole picture.
    if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > MAX_PICTURE_PIXELS) {
        std::snprintf(err.message, sizeof err.message, "picture too large");
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    long long w = cinfo.output_width, h = cinfo.output_height;
    if (cinfo.output_components != 3 || w * h > MAX_PICTURE_PIXELS) {
        std::snprintf(err.message, sizeof err.message, "unsupported picture");
        return false;
    }
    out.width = int(w);
    out.height = int(h);
    out.rgba.assign(size_t(w * h * 4), 0);
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t* dst = out.rgba.data() + size_t(cinfo.output_scanline) * w * 4;
        JSAMPROW row = dst;
        jpeg_read_scanlines(&cinfo, &row, 1);
        for (long long x = w - 1; x >= 0; --x) { // widen RGB to RGBA in place, from the end
            uint8_t r = dst[3 * x], g = dst[3 * x + 1], b = dst[3 * x + 2];
            dst[4 * x] = r;
            dst[4 * x + 1] = g;
            dst[4 * x + 2] = b;
            dst[4 * x + 3] = 0xFF;
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

bool decodeJpeg(const uint8_t* data, size_t size, RgbaPicture& out, std::string& error)
{
    if (size == 0) {
        error = "empty picture";
        return false;
    }
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = raiseError;
    err.base.emit_message = failOnWarning;
    err.message[0] = 0;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, (unsigned long)size);
    bool ok = decodeWith(cinfo, err, out);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        error = err.message[0] ? err.message : "damaged picture";
        out = RgbaPicture();
    }
    return ok;
}

} // namespace host
