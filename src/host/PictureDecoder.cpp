// Picks the decoder by signature and turns RGBA into RGB565 with the key colour for clear pixels.
#include "host/PictureDecoder.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace host {

static const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

static void toSurface(const RgbaPicture& pic, Surface& out)
{
    out = Surface(pic.width, pic.height);
    const uint8_t* p = pic.rgba.data();
    for (uint16_t& px : out.pixels) {
        px = p[3] < 128 ? KEY_COLOUR : toRgb565(uint32_t(p[0]) << 16 | p[1] << 8 | p[2]);
        p += 4;
    }
}

bool decodePicture(const uint8_t* data, size_t size, Surface& out, std::string& error)
{
    RgbaPicture pic;
    bool isPng = size >= 8 && std::memcmp(data, PNG_SIGNATURE, 8) == 0;
    bool ok = isPng ? decodePng(data, size, pic, error) : decodeJpeg(data, size, pic, error);
    if (ok)
        toSurface(pic, out);
    return ok;
}

bool loadPictureFile(const std::string& path, Surface& out, std::string& error)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (std::ferror(file.get())) {
        error = "cannot read " + path;
        return false;
    }
    return decodePicture(bytes.data(), bytes.size(), out, error);
}

} // namespace host
