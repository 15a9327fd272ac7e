// The screen profiles the data serves, each with the art scale drawn for it.
#pragma once

#include <string>
#include <vector>

namespace datagen {

struct Profile {
    int width, height;
    int cell;         // floor tile side: the board's cell size
    int border;       // thickness of the board frame
    int panel;        // height of the score panel
    int menuFont;     // pixel sizes of the bitmap fonts
    int gameFont;
    int scoreFont;

    std::string folder() const { return "s" + std::to_string(cell) + "/"; }
    std::string resolutionFile() const { return std::to_string(width) + "x" + std::to_string(height) + ".dat"; }
    float scale() const { return cell / 24.0f; }
};

const std::vector<Profile>& profiles();

}  // namespace datagen
