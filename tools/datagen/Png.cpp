// PNG encoding and decoding through libpng, always 8-bit RGB without time stamps.
#include "Png.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace datagen {

uint32_t RgbImage::pixel(int x, int y) const
{
    const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

uint16_t toRgb565(uint32_t c)
{
    return uint16_t(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
}

static uint8_t channel(float v)
{
    return uint8_t(std::clamp(int(v * 255.0f + 0.5f), 0, 255));
}

static void put(RgbImage& out, int x, int y, const Rgba& c)
{
    uint8_t* p = &out.rgb[(size_t(y) * out.width + x) * 3];
    p[0] = channel(c.r), p[1] = channel(c.g), p[2] = channel(c.b);
    uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    if (toRgb565(v) == toRgb565(KEY_COLOUR))
        p[1] = 8;  // a drawn pixel must never read as transparent
}

static RgbImage flatten(const Canvas& c, const Rgba& matte, float keyBelow)
{
    RgbImage out{c.width(), c.height(), std::vector<uint8_t>(size_t(c.width()) * c.height() * 3)};
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgba& p = c.at(x, y);
            if (p.a < keyBelow) {
                uint8_t* d = &out.rgb[(size_t(y) * out.width + x) * 3];
                d[0] = 255, d[1] = 0, d[2] = 255;
                continue;
            }
            put(out, x, y, mix(matte, Rgba{p.r, p.g, p.b, 1}, std::min(1.0f, p.a)));
        }
    return out;
}

RgbImage flattenKeyed(const Canvas& c, const Rgba& matte)
{
    return flatten(c, matte, 0.35f);
}

RgbImage flattenOpaque(const Canvas& c, const Rgba& matte)
{
    return flatten(c, matte, -1.0f);
}

static void appendBytes(png_structp png, png_bytep data, png_size_t n)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

static void noFlush(png_structp) {}

// 8-bit pixels of either colour type, rows top to bottom.
struct PixelRows {
    int width, height, colourType, channels;
    const uint8_t* data;
};

// libpng reports failures by longjmp; no object with a destructor lives between setjmp and the calls.
static bool writeRows(png_structp png, png_infop info, const PixelRows& image)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, image.width, image.height, 8, image.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, const_cast<png_bytep>(image.data + size_t(y) * image.width * image.channels));
    png_write_end(png, nullptr);
    return true;
}

static Bytes encodeRows(const PixelRows& image)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendBytes, noFlush);
    bool ok = writeRows(png, info, image);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        throw std::runtime_error("png: cannot encode picture");
    return out;
}

Bytes encodePng(const RgbImage& image)
{
    return encodeRows({image.width, image.height, PNG_COLOR_TYPE_RGB, 3, image.rgb.data()});
}

Bytes encodePngWithAlpha(const Canvas& c)
{
    std::vector<uint8_t> rgba(size_t(c.width()) * c.height() * 4);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgba& p = c.at(x, y);
            uint8_t* d = &rgba[(size_t(y) * c.width() + x) * 4];
            float a = std::min(1.0f, p.a);
            d[0] = channel(p.r), d[1] = channel(p.g), d[2] = channel(p.b), d[3] = channel(a);
            if (d[3] == 0)
                d[0] = d[1] = d[2] = 0; // one value for every invisible pixel
        }
    return encodeRows({c.width(), c.height(), PNG_COLOR_TYPE_RGB_ALPHA, 4, rgba.data()});
}

namespace {
struct Reader {
    const Bytes* data;
    size_t pos;
};
}  // namespace

static void readBytes(png_structp png, png_bytep out, png_size_t n)
{
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (r->data->size() - r->pos < n)
        png_error(png, "truncated");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

static bool readRows(png_structp png, png_infop info, RgbImage* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    out->width = int(png_get_image_width(png, info));
    out->height = int(png_get_image_height(png, info));
    out->rgb.resize(size_t(out->width) * out->height * 3);
    for (int y = 0; y < out->height; ++y)
        png_read_row(png, &out->rgb[size_t(y) * out->width * 3], nullptr);
    return true;
}

static void quietWarning(png_structp, png_const_charp) {}
static void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

RgbImage decodePng(const Bytes& bytes)
{
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        throw std::runtime_error("png: not a PNG picture");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    png_infop info = png_create_info_struct(png);
    Reader reader{&bytes, 0};
    png_set_read_fn(png, &reader, readBytes);
    RgbImage out;
    bool ok = readRows(png, info, &out);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        throw std::runtime_error("png: damaged picture");
    return out;
}

}  // namespace datagen
