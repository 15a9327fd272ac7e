// Writing a surface as an 8-bit RGB PNG through libpng.
#include "host/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace host {

namespace {

void raiseError(png_structp png, png_const_charp message)
{
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// The RGB rows are prepared by the caller so that nothing here needs unwinding.
bool writeRows(png_structp png, png_infop info, FILE* file, const Surface& s, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool writePng(const Surface& s, const std::string& path, std::string& error)
{
    if (s.width <= 0 || s.height <= 0) {
        error = "empty picture";
        return false;
    }
    std::vector<uint8_t> rgb(size_t(s.width) * s.height * 3);
    std::vector<png_bytep> rows(size_t(s.height));
    for (int y = 0; y < s.height; ++y) {
        rows[y] = rgb.data() + size_t(y) * s.width * 3;
        for (int x = 0; x < s.width; ++x)
            fromRgb565(s.row(y)[x], rows[y] + 3 * x);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot create " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, raiseError, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info && writeRows(png, info, file, s, rows.data());
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (std::fclose(file) != 0 && ok) {
        error = "cannot write " + path;
        ok = false;
    }
    if (!ok && error.empty())
        error = "cannot encode " + path;
    return ok;
}

} // namespace host
