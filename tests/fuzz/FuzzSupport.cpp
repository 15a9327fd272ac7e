// What the fuzz targets share: a private program folder, clean-failure checks, input splitting.
#include "FuzzSupport.h"

#include "host/PngWriter.h"
#include "io/HostPaths.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "support/Files.h"

#include <filesystem>
#include <unistd.h>

namespace fuzz {

namespace fs = std::filesystem;

namespace {

void removeScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(scratchFolder(), ignored);
}

std::string makeScratchFolder()
{
    const std::string name = "tintrow-fuzz-" + std::to_string(::getpid());
    const std::string root = (fs::temp_directory_path() / name).string();
    fs::create_directories(root + "/home");
    vela::lang::host::setProgramFile(root + "/tintrow");
    ::setenv("TINTROW_HOME", (root + "/home").c_str(), 1);
    vela::io::setAppNameSource([] { return std::string("Tintrow"); });
    std::atexit(removeScratchFolder);
    return root;
}

} // namespace

const std::string& scratchFolder()
{
    // Never destroyed: the exit handler that removes the folder still needs its name.
    static const std::string* root = new std::string(makeScratchFolder());
    return *root;
}

void writeProgramFile(const std::string& name, const void* data, size_t size)
{
    support::writeFile(scratchFolder() + "/" + name, std::string(static_cast<const char*>(data), size));
}

void writeProgramFile(const std::string& name, const std::string& bytes)
{
    writeProgramFile(name, bytes.data(), bytes.size());
}

void writeStore(const std::string& store, const std::vector<std::string>& records)
{
    const std::string folder = scratchFolder() + "/home/Vandrel/Tintrow/" + store;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    for (size_t i = 0; i < records.size(); ++i)
        support::writeFile(folder + "/" + std::to_string(i + 1), records[i]);
}

std::vector<std::string> lengthPrefixedParts(const uint8_t* data, size_t size)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < size) {
        const size_t declared = data[at++];
        const size_t length = std::min(declared, size - at);
        parts.emplace_back(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }
    return parts;
}

vela::lang::DStringPtr latin1Text(const uint8_t* data, size_t size)
{
    std::u16string units(data, data + size);
    return new vela::lang::DString(units.data(), int32_t(units.size()));
}

vela::microedition::lcdui::DGraphicsPtr scratchGraphics()
{
    return vela::microedition::lcdui::DImage::createImage(240, 320)->getGraphics();
}

const std::string& samplePng()
{
    static const std::string bytes = [] {
        host::Surface picture(64, 32, 0xF800);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x)
                picture.pixels[size_t(y) * 64 + x] = uint16_t(x < 32 ? (y < 16 ? 0xF800 : 0x07E0)
                                                                   : (y < 16 ? 0x001F : 0xF81F));
        const std::string path = scratchFolder() + "/sample.png";
        std::string error;
        host::writePng(picture, path, error);
        return support::readText(path);
    }();
    return bytes;
}

} // namespace fuzz
