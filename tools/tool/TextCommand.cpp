// tintrow-tool text: lays out and renders a text of the game's data as the GUI shows it.
#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "ParseNumber.h"
#include "TextLayout.h"
#include "guilib/GUIEngine.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace {

const char* const TEXT_USAGE =
    "text --data GAME.DAT (--key KEY --lang ID | --markup TEXT) --width W [--height H]\n"
    "       [--screen WxH] [--align N] [--font N] [--newlines] (--out FILE.png | --json)";

// Widths, heights and screen sides the tool lays out for.
constexpr int32_t MAX_SIDE = 1000000;

bool parseSize(const char* text, int32_t& w, int32_t& h)
{
    const char* x = std::strchr(text, 'x');
    if (!x)
        return false;
    std::string left(text, x);
    return parseNumber(left, 1, MAX_SIDE, w) && parseNumber(x + 1, 1, MAX_SIDE, h);
}

} // namespace

bool parseTextOptions(int argc, char** argv, TextOptions& o, std::string& error)
{
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        bool flag = arg == "--newlines" || arg == "--json";
        if (!flag && i + 1 >= argc) {
            error = "missing value after " + arg;
            return false;
        }
        const char* value = flag ? "" : argv[++i];
        bool ok = true;
        if (arg == "--data")
            o.data = value;
        else if (arg == "--key")
            o.key = value;
        else if (arg == "--lang")
            o.language = value;
        else if (arg == "--markup") {
            o.markup = value;
            o.hasMarkup = true;
        } else if (arg == "--width")
            ok = parseNumber(value, 1, MAX_SIDE, o.width);
        else if (arg == "--height")
            ok = parseNumber(value, 1, MAX_SIDE, o.height);
        else if (arg == "--screen")
            ok = parseSize(value, o.screenWidth, o.screenHeight);
        else if (arg == "--align")
            ok = parseNumber(value, 0, 15, o.align);
        else if (arg == "--font")
            ok = parseNumber(value, 0, 3, o.font);
        else if (arg == "--out")
            o.out = value;
        else if (arg == "--newlines")
            o.newlines = true;
        else if (arg == "--json")
            o.json = true;
        else {
            error = "unknown option " + arg;
            return false;
        }
        if (!ok) {
            error = "bad value for " + arg + ": " + value;
            return false;
        }
    }
    if (o.data.empty())
        error = "--data is required";
    else if (o.hasMarkup == !o.key.empty())
        error = "give either --key (with --lang) or --markup";
    else if (!o.key.empty() && o.language.empty())
        error = "--key needs --lang";
    else if (o.width <= 0)
        error = "--width is required";
    else if (o.json == !o.out.empty())
        error = "give either --out FILE.png or --json";
    return error.empty();
}

int runText(int argc, char** argv)
{
    TextOptions options;
    std::string error;
    if (!parseTextOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tintrow-tool text: %s\nusage: tintrow-tool %s\n", error.c_str(),
                     TEXT_USAGE);
        return 2;
    }
    int status = 1;
    try {
        guilib::GUITextPtr text;
        if (prepareText(options, text, error)) {
            int32_t height = text->getHeight(options.width);
            if (options.json) {
                std::puts(textLayoutJson(*text, options.width, height).c_str());
                status = 0;
            } else if (writeTextPicture(text, options, height, error)) {
                status = 0;
            }
        }
    } catch (vela::lang::DExceptionBase* e) {
        error = "the text could not be laid out: "
            + vela::lang::DString(vela::lang::DExceptionBase::nameOf(e ? e->code : 0)).toUtf8();
        delete e;
    }
    guilib::GUIEngine::shutdown();
    if (status != 0)
        std::fprintf(stderr, "tintrow-tool text: %s\n", error.c_str());
    return status;
}
