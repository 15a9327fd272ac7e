// The text subcommand's outputs: the layout as JSON and the text painted into a PNG.
#include "TextLayout.h"

#include <algorithm>
#include <cstdio>

#include "gamelib/GameContext.h"
#include "host/PngWriter.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using gamelib::GameContext;

namespace {

// A JSON string literal of UTF-8 text.
std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Behind the text, a dark grey that both the light and the coloured fonts stand out on.
constexpr int32_t BACKGROUND = 0x303030;

} // namespace

std::string textLayoutJson(const guilib::GUIText& text, int32_t width, int32_t height)
{
    std::string out = "{\"width\":" + std::to_string(width) + ",\"height\":"
        + std::to_string(height) + ",\"maxLineWidth\":" + std::to_string(text.getMaxLineWidth())
        + ",\"chunks\":[";
    bool first = true;
    for (const guilib::GUIPlacedChunk& p : text.placedChunks()) {
        vela::lang::DStringPtr word = p.chunk->getWord();
        out += first ? "" : ",";
        first = false;
        out += "{\"type\":" + std::to_string(p.chunk->type) + ",\"x\":" + std::to_string(p.x)
            + ",\"y\":" + std::to_string(p.y) + ",\"w\":" + std::to_string(p.chunk->width)
            + ",\"h\":" + std::to_string(p.chunk->height)
            + ",\"text\":" + (word ? jsonString(word->toUtf8()) : "null") + "}";
    }
    return out + "]}";
}

bool writeTextPicture(const guilib::GUITextPtr& text, const TextOptions& options,
                      int32_t textHeight, std::string& error)
{
    int32_t height = options.height > 0 ? options.height : std::max(textHeight, 1);
    vela::microedition::lcdui::DImagePtr picture =
        vela::microedition::lcdui::DImage::createImage(options.width, height);
    vela::microedition::lcdui::DGraphicsPtr g = picture->getGraphics();
    g->setColor(BACKGROUND);
    g->fillRect(0, 0, options.width, height);
    // Bitmap fonts skip lines below the screen; the picture is the screen here.
    GameContext::get().screenHeight = std::max(height, options.screenHeight);
    text->paint(g, 0, 0, options.width, height);
    return host::writePng(picture->surface(), options.out, error);
}
