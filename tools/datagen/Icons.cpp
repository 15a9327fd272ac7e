// The game's icon: a pleased ball of the board with a short line of balls behind it.
#include "Icons.h"

#include "ArtKit.h"
#include "Png.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace datagen {

namespace {

const int DESKTOP_SIZES[] = {16, 24, 32, 48, 64, 128, 256};
const int WINDOW_SIZE = 64;
const int BALL_COLOUR = 2;  // blue, the colour of the start-up picture

}  // namespace

Canvas appIcon(int size)
{
    Canvas c(size, size);
    float s = float(size);
    // The line the ball completes; too small to read below 32 pixels, so left out there.
    bool large = size >= 32;
    if (large)
        for (int i = 0; i < 2; ++i) {
            BallLook look;
            look.symbol = false;
            paintBall(c, s * (0.86f - 0.2f * i), s * (0.14f + 0.2f * i), s * 0.12f, 4 - i, look);
        }
    BallLook look;
    look.symbol = false;
    look.mood = large ? Mood::Pleased : Mood::None;
    float r = large ? s * 0.34f : s * 0.47f;
    paintBall(c, large ? s * 0.38f : s / 2.0f, large ? s * 0.62f : s / 2.0f, r, BALL_COLOUR, look);
    return c;
}

void addWindowIcon(Members& m)
{
    m.add(WINDOW_ICON_MEMBER, encodePngWithAlpha(appIcon(WINDOW_SIZE)));
}

void writeDesktopIcons(const std::string& dir)
{
    const std::string name = "tintrow";
    namespace fs = std::filesystem;
    for (int size : DESKTOP_SIZES) {
        std::string side = std::to_string(size);
        fs::path folder = fs::path(dir) / "hicolor" / (side + "x" + side) / "apps";
        fs::create_directories(folder);
        Bytes png = encodePngWithAlpha(appIcon(size));
        std::ofstream out(folder / (name + ".png"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        if (!out)
            throw std::runtime_error("cannot write the icon " + (folder / (name + ".png")).string());
    }
}

}  // namespace datagen
