// PNG decoding through libpng: every colour type, bit depth, interlace and tRNS into RGBA.
#include "host/PictureDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace host {

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t n)
{
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (n > r->size - r->pos)
        png_error(png, "truncated picture");
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
}

void raiseError(png_structp png, png_const_charp message)
{
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    *error = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Everything between png_create and png_destroy; separate so no C++ object lives across setjmp.
bool decodeWith(png_structp png, png_infop info, RgbaPicture& out, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if ((long long)w * h > MAX_PICTURE_PIXELS)
        png_error(png, "picture too large");
    png_set_expand(png); // palette, low-depth grey and tRNS become 8-bit channels with alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4)
        png_error(png, "unexpected row layout");
    out.width = int(w);
    out.height = int(h);
    out.rgba.assign(size_t(w) * h * 4, 0);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = out.rgba.data() + size_t(y) * w * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool decodePng(const uint8_t* data, size_t size, RgbaPicture& out, std::string& error)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, raiseError, ignoreWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{data, size, 0};
    std::vector<png_bytep> rows;
    bool ok = false;
    if (info) {
        png_set_read_fn(png, &reader, readFromMemory);
        ok = decodeWith(png, info, out, rows);
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!ok)
        out = RgbaPicture();
    return ok;
}

} // namespace host
