// The text subcommand's pieces: options, the game's text set-up, and the two outputs.
#pragma once

#include <cstdint>
#include <string>

#include "guilib/GUIText.h"

struct TextOptions {
    std::string data;
    std::string key;
    std::string language;
    std::string markup;
    bool hasMarkup = false;
    int32_t width = -1;
    int32_t height = -1;
    int32_t screenWidth = 240;
    int32_t screenHeight = 320;
    int32_t align = 0;
    int32_t font = -1;
    bool newlines = false;
    std::string out;
    bool json = false;
};

// Reads the options; false with a reason for a bad command line.
bool parseTextOptions(int argc, char** argv, TextOptions& options, std::string& error);

// Opens the data, the screen profile, fonts, strings and tokens as the game does at start-up
// and makes the text; false with a reason when the data lacks something.
bool prepareText(const TextOptions& options, guilib::GUITextPtr& text, std::string& error);

// One JSON object: layout width and height, widest line, and the placed chunks.
std::string textLayoutJson(const guilib::GUIText& text, int32_t width, int32_t height);

// Paints the text into a picture of the layout width and the box height (the laid-out height
// when none is given) and writes it as PNG.
bool writeTextPicture(const guilib::GUITextPtr& text, const TextOptions& options,
                      int32_t textHeight, std::string& error);
