// The text subcommand's set-up: data, screen profile, fonts, strings and tokens as at start-up.
#include "TextLayout.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIEngine.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

using gamelib::Fonts;
using gamelib::GameContext;
using gamelib::Resources;
using gamelib::StringManager;
using gamelib::StringManagerPtr;
using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using vela::lang::DString;
using vela::lang::DStringArrayPtr;
using vela::lang::DStringPtr;

namespace {

StringManagerPtr loadStrings(const DStringPtr& name, bool languageFile)
{
    StringManagerPtr table = new StringManager();
    table->load(name, languageFile);
    return table;
}

// The index of the language id, or -1; the ids are listed into `known` for the message.
int32_t findLanguage(const DStringArrayPtr& ids, const std::string& wanted, std::string& known)
{
    int32_t found = -1;
    for (int32_t i = 0; i < ids->length(); ++i) {
        std::string id = ids->get(i)->toUtf8();
        known += (i ? ", " : "") + id;
        if (found < 0 && (id == wanted || wanted.empty()))
            found = i;
    }
    return found;
}

// The tokens the game stores when its GUI starts.
void putStartupTokens(GUIEngine& engine, const StringManagerPtr& links)
{
    engine.putToken(new DString(u"%LOGO%"), Resources::loadImage(u"logo"));
    engine.putToken(new DString(u"%VENDOR_URL%"), links->get(u"VENDOR_URL"));
    engine.putToken(new DString(u"%VERSION%"), new DString(u"v1.1"));
    engine.putToken(new DString(u"%FONT_MENU%"), Fonts::get(Fonts::MENU));
    engine.putToken(new DString(u"%FONT_MENU_RED%"), Fonts::get(Fonts::MENU_RED));
    engine.putToken(new DString(u"%FONT_SCORE%"), Fonts::get(Fonts::SCORE));
}

} // namespace

bool prepareText(const TextOptions& o, guilib::GUITextPtr& text, std::string& error)
{
    if (vela::lang::catchKind(vela::lang::IOException,
                              [&] { vela::io::openArchiveAt(o.data); })) {
        error = "cannot open " + o.data + ": " + vela::io::archiveFailureReason();
        return false;
    }
    if (!Resources::isResolutionSupported(o.screenWidth, o.screenHeight)) {
        error = "the data has no screen profile " + std::to_string(o.screenWidth) + "x"
            + std::to_string(o.screenHeight);
        return false;
    }
    StringManagerPtr profile =
        loadStrings(Resources::resolutionFileName(o.screenWidth, o.screenHeight), false);
    Resources::setSearchPath(profile->get(u"PATH"));
    GameContext::get().screenWidth = o.screenWidth;
    GameContext::get().screenHeight = o.screenHeight;
    Fonts::loadFonts(new DString(u""));

    DStringArrayPtr ids = StringManager::split(loadStrings(new DString(u"lang.dat"), true)
                                                   ->get(u"ID"),
                                               u';');
    std::string known;
    int32_t language = findLanguage(ids, o.language, known);
    if (language < 0) {
        error = "unknown language \"" + o.language + "\" (the data has " + known + ")";
        return false;
    }
    DStringPtr id = ids->get(language);
    DStringPtr linkName = DStringPtr(new DString(u"url_")) + id + u".dat";
    StringManagerPtr links = loadStrings(
        Resources::archiveHolds(linkName) ? linkName : DStringPtr(new DString(u"url.dat")), true);

    GUIEnginePtr engine = GUIEngine::getInstance();
    engine->defaultStrings = loadStrings(DStringPtr(new DString(u"res_")) + id + u".dat", true);
    engine->defaultFont = Fonts::get(Fonts::MENU);
    engine->language = language;
    putStartupTokens(*engine, links);

    // Key or markup, alignment and line breaks first: the font then parses with all in force.
    text = new guilib::GUIText();
    if (o.hasMarkup)
        text->setMarkup(DString::fromUtf8(o.markup));
    else
        text->setTextKey(DString::fromUtf8(o.key));
    text->setAlignment(o.align);
    text->setNewlineBreaks(o.newlines);
    if (o.font >= 0)
        text->setFont(Fonts::get(o.font));
    return true;
}
