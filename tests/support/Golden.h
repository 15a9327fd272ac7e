// Pictures compared pixel for pixel with golden PNGs a person has looked at.
// scripts/update-goldens.sh rewrites every golden (TINTROW_UPDATE_GOLDENS=1); look at the diff.
#pragma once

#include "host/PictureDecoder.h"
#include "host/PngWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace support {

inline void expectGolden(const host::Surface& picture, const std::string& golden)
{
    std::string error;
    if (std::getenv("TINTROW_UPDATE_GOLDENS")) {
        ASSERT_TRUE(host::writePng(picture, golden, error)) << error;
        return;
    }
    host::Surface expected;
    ASSERT_TRUE(host::loadPictureFile(golden, expected, error)) << error;
    if (expected.width == picture.width && expected.height == picture.height && expected.pixels == picture.pixels)
        return;
    const std::string drawn = ::testing::TempDir() + golden.substr(golden.rfind('/') + 1);
    host::writePng(picture, drawn, error);
    ADD_FAILURE() << golden << " differs from the picture drawn, kept in " << drawn;
}

} // namespace support
