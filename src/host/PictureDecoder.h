// Decoding PNG and JPEG pictures into RGB565 surfaces, and the picture transforms.
#pragma once

#include "host/Surface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Decoded 8-bit RGBA pixels, the common output of both decoders.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// Pictures larger than this are refused rather than allocated.
const long long MAX_PICTURE_PIXELS = 1 << 24;

// Each returns false and a reason when the bytes are damaged or not a picture of its kind.
bool decodePng(const uint8_t* data, size_t size, RgbaPicture& out, std::string& error);
bool decodeJpeg(const uint8_t* data, size_t size, RgbaPicture& out, std::string& error);

// PNG by its signature, anything else as JPEG; alpha below 128 becomes the key colour.
bool decodePicture(const uint8_t* data, size_t size, Surface& out, std::string& error);
bool loadPictureFile(const std::string& path, Surface& out, std::string& error);

// The transform codes of the runtime: 0 none, 2 mirror, 3 rotate 180, 5 rotate 90 clockwise,
// 6 rotate 270 clockwise; other codes copy the picture unchanged.
enum { TRANSFORM_NONE = 0, TRANSFORM_MIRROR = 2, TRANSFORM_ROT180 = 3, TRANSFORM_ROT90 = 5, TRANSFORM_ROT270 = 6 };
Surface transformed(const Surface& src, int transform);

} // namespace host
