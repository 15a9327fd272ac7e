// Data for the game library benchmarks.
#include "BenchData.h"

#include "host/PngWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bench {

namespace {

void put16(std::string& out, int v)
{
    out.push_back(char((v >> 8) & 0xFF));
    out.push_back(char(v & 0xFF));
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void writePicture(const fs::path& path, int w, int h)
{
    host::Surface picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.row(y)[x] = (x + y) % 7 == 0 ? host::KEY_COLOUR : uint16_t(x * 31 + y);
    fs::create_directories(path.parent_path());
    std::string error;
    host::writePng(picture, path.string(), error);
}

// One page of 95 glyphs, 6 pixels wide each.
std::string fontPage()
{
    std::string out = {char(95), char(1)};
    for (char c = 32; c < 127; ++c)
        out += {char(0), char(1), c, char(6)};
    return out;
}

// One 16x16 rectangle and one animation whose frame has ten parts.
std::string spriteSet()
{
    std::string out;
    for (int v : {1, 0, 0, 16, 16, 1, 1, 10})
        put16(out, v);
    for (int i = 0; i < 10; ++i) {
        put16(out, i * 12), put16(out, (i % 3) * 10), put16(out, i % 2 ? 0x8000 : 0);
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

}

std::string syntheticProgramFolder()
{
    static std::string folder;
    if (!folder.empty())
        return folder;
    char pattern[] = "/tmp/gamelib-bench-XXXXXX";
    folder = ::mkdtemp(pattern);
    fs::path staging = fs::path(folder) / "staging";
    writeFile(staging / "240x320.dat", "PATH=img/;\r\n");
    writePicture(staging / "img/vandrel.png", 120, 60);
    writePicture(staging / "img/game_0.png", 95 * 6, 12);
    writeFile(staging / "img/game_0", fontPage());
    writePicture(staging / "img/Game.png", 16, 16);
    writeFile(staging / "img/Game.bin", spriteSet());
    std::string command = "cd '" + staging.string() + "' && 7zz a -bd -bso0 -bsp0 ../game.dat . >/dev/null";
    if (std::system(command.c_str()) != 0)
        return "";
    fs::remove_all(staging);
    return folder;
}

std::string realProgramFolder()
{
    fs::path self = fs::read_symlink("/proc/self/exe").parent_path();
    return fs::exists(self / "game.dat") ? self.string() : "";
}

} // namespace bench
