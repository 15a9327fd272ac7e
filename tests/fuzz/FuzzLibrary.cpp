// Fuzz targets of the game library's resources (sprite sets, bitmap fonts, string and
// resolution files, key bindings) and of the GUI library's markup, each loaded and then used
// as the game uses it.
#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "gamelib/CustomControls.h"
#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ImageManager.h"
#include "gamelib/Resources.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace fuzz {

using namespace vela::lang;
using namespace gamelib;
using namespace guilib;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;

namespace {

// Every character a text may hold in the game's fonts, and a few beyond.
DStringPtr allCharacters()
{
    std::u16string units;
    for (char16_t c = 1; c < 0x180; ++c)
        units.push_back(c);
    units += u"\u0391\u03b1\u0410\u0430\u20ac\uffff";
    return new DString(units.data(), int32_t(units.size()));
}

void drawSpriteSet(ImageManager& set, const DGraphicsPtr& g)
{
    static const int32_t TRANSFORMS[] = {0, 2, 3, 5, 6, 7};
    for (int32_t i = 0; i < set.imageCount(); ++i)
        for (int32_t transform : TRANSFORMS)
            set.drawImage(g, set.getImage(i), 120, 160, 0, transform, i % 2 == 0);
    for (int32_t i = 0; i < set.animationCount(); ++i) {
        const int32_t frames = set.getAnimation(i)->frameCount();
        for (int32_t frame = -1; frame <= frames; ++frame)
            set.drawAnimation(g, i, 120, 160, frame, frame & 0xFF, frame % 2 != 0);
    }
}

// A font that knows a few Latin letters, for markup: drawn from the sample picture.
ImageFontPtr markupFont()
{
    static const ImageFontPtr font = [] {
        writeProgramFile("markup_0.png", samplePng());
        const uint8_t page[] = {3, 1, 0, 1, 'a', 5, 0, 1, 'b', 7, 0, 2, 'c', 'd', 9};
        writeProgramFile("markup_0", page, sizeof page);
        ImageFontPtr loaded = new ImageFont();
        loaded->load(new DString(u"/markup"));
        return loaded;
    }();
    return font;
}

} // namespace

void spriteSetInput(const uint8_t* data, size_t size)
{
    writeProgramFile("sprites.png", samplePng());
    writeProgramFile("sprites.bin", data, size);
    ImageManagerPtr set = new ImageManager();
    expectCleanFailure([&] { set->load(u"/sprites"); });
    drawSpriteSet(*set, scratchGraphics());
}

void fontInput(const uint8_t* data, size_t size)
{
    writeProgramFile("font_0.png", samplePng());
    writeProgramFile("font_0", data, size);
    ImageFontPtr font = new ImageFont();
    expectCleanFailure([&] { font->load(new DString(u"/font")); });
    const DStringPtr text = allCharacters();
    font->stringWidth(text);
    DGraphicsPtr g = scratchGraphics();
    for (int32_t anchor : {0, 1 | 0x40, 8 | 0x20})
        font->drawString(g, text, 120, 160, anchor);
}

// The first byte chooses a language file (odd) or a byte-line file; the rest is both the file
// and "inc", the file its includes name in the seeds.
void stringsInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    writeProgramFile("strings", data + 1, size - 1);
    writeProgramFile("inc", data + 1, size - 1);
    StringManagerPtr strings = new StringManager();
    expectCleanFailure([&] { strings->load(new DString(u"/strings"), data[0] & 1); });
    for (const char16_t* key : {u"EMPTY", u"LANG", u"ID", u"PATH", u""})
        StringManager::split(strings->get(key), u';');
}

// Read as the application reads it at start-up: its search path then finds the fonts and the
// logo.
void resolutionInput(const uint8_t* data, size_t size)
{
    const DStringPtr name = Resources::resolutionFileName(240, 320);
    writeProgramFile(name->toUtf8().substr(1), data, size);
    writeProgramFile("menu_0.png", samplePng());
    StringManagerPtr settings = new StringManager();
    expectCleanFailure([&] {
        settings->load(name, false);
        Resources::setSearchPath(settings->get(u"PATH"));
        Fonts::loadFonts(new DString());
        Resources::loadImage(u"/logo");
    });
    Resources::setSearchPath(DStringPtr(new DString()));
}

// Each record is a one-byte length and its bytes; the bindings are then painted by name.
void keyBindingsInput(const uint8_t* data, size_t size)
{
    writeStore("keys_Tintrow", lengthPrefixedParts(data, size));
    GameContext& context = GameContext::get();
    context.screenWidth = 240;
    context.screenHeight = 320;
    CustomControlsPtr controls = new CustomControls(0x1FF);
    controls->setStoreName(new DString(u"Tintrow"));
    controls->loadBindings();
    controls->paint(scratchGraphics());
}

// The first byte sets the alignment and line breaks; the rest is the markup, with a word, a
// picture, an animation and a font among the tokens it may name.
void markupInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    GUIEnginePtr engine = GUIEngine::getInstance();
    if (!engine->defaultFont) {
        engine->defaultFont = markupFont();
        engine->putToken(new DString(u"%W%"), new DString(u"ab cd"));
        engine->putToken(new DString(u"%P%"), DImage::createImage(9, 7));
        engine->putToken(new DString(u"%F%"), markupFont());
        ImageManagerPtr sprites = new ImageManager();
        writeProgramFile("markup.png", samplePng());
        // One 8 x 8 rectangle; one animation of a frame and a frame sharing its parts.
        const uint8_t description[] = {0, 1, 0, 0, 0, 0, 0, 8, 0, 8, 0, 1, 0, 2, 0, 1, 0, 1, 0, 2,
                                       0, 0, 0xFF, 0x80, 0x00, 0};
        writeProgramFile("markup.bin", description, sizeof description);
        sprites->load(u"/markup");
        engine->putToken(new DString(u"%A%"), new GUIAnimation(sprites, 0, true));
    }
    GUITextPtr text = new GUIText();
    text->setAlignment(data[0] & 15);
    text->setNewlineBreaks(data[0] & 16);
    text->setMarkup(latin1Text(data + 1, size - 1));
    text->putToken(new DString(u"%T%"), new DString(u"x<b>y</b>"));
    DGraphicsPtr g = scratchGraphics();
    expectCleanFailure([&] {
        for (int32_t width : {1, 97, 240}) {
            text->getHeight(width);
            text->paint(g, 0, 0, width, 320);
        }
    });
}

} // namespace fuzz
