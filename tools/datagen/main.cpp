// tintrow-datagen: makes every member of game.dat from the sources in data/ into a staging folder.
#include "Generate.h"
#include "Icons.h"
#include "LevelBot.h"
#include "Sheets.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

static void writeText(const std::string& dir, const std::string& name, const std::string& text)
{
    std::filesystem::create_directories(dir);
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + name + " into " + dir);
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: tintrow-datagen DATA_DIR STAGING_DIR [--fonts DIR] [--sox PATH] [--sheets DIR]\n"
                   "                      [--icons DIR] [--vendor-url URL]\n", stderr);
        return 2;
    }
    datagen::Sources sources{argv[1], "/usr/share/fonts/truetype/dejavu", "sox", ""};
    std::string sheets, icons;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--fonts") == 0)
            sources.fontDir = argv[i + 1];
        else if (std::strcmp(argv[i], "--sox") == 0)
            sources.soxPath = argv[i + 1];
        else if (std::strcmp(argv[i], "--sheets") == 0)
            sheets = argv[i + 1];
        else if (std::strcmp(argv[i], "--icons") == 0)
            icons = argv[i + 1];
        else if (std::strcmp(argv[i], "--vendor-url") == 0)
            sources.vendorUrl = argv[i + 1];
        else {
            std::fprintf(stderr, "tintrow-datagen: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    try {
        datagen::Members members = datagen::generate(sources);
        std::vector<std::string> faults = datagen::checkMembers(members);
        datagen::LevelCurve curve = datagen::playLevels(members);
        for (const std::string& f : datagen::curveFaults(curve))
            faults.push_back(f);
        if (!sheets.empty())  // written even when the curve fails: the designer tunes by it
            writeText(sheets, "level-curve.txt", datagen::curveReport(curve));
        for (const std::string& f : faults)
            std::fprintf(stderr, "tintrow-datagen: %s\n", f.c_str());
        if (!faults.empty())
            return 1;
        members.writeTo(argv[2]);
        if (!sheets.empty())
            datagen::writeContactSheets(members, sheets, sources.fontDir + "/DejaVuSans.ttf");
        if (!icons.empty())
            datagen::writeDesktopIcons(icons);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tintrow-datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
