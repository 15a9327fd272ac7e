// The screens reached from the menus: settings, help, about, more games, high scores and the
// tips before a level.
#include "game/MenuParts.h"
#include "game/ScreenFlow.h"
#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUISlider.h"
#include "guilib/GUIText.h"
#include "guilib/GUIVScrollBar.h"
#include "lang/DInteger.h"
#include "lang/DStringBuffer.h"

using namespace vela::lang;
using namespace tintrow::menu;
using gamelib::Fonts;
using gamelib::GameContext;
using gamelib::StringManager;
using guilib::ANCHOR_CENTER;
using guilib::ANCHOR_HCENTER;
using guilib::ANCHOR_JUSTIFY;
using guilib::ANCHOR_VCENTER;
using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIAnimation;
using guilib::GUIModalScreenPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace tintrow {

namespace {

const int32_t VOLUME_MAX = 64;
const int32_t VOLUME_STEP = 8;
const int32_t ENTRY_FILL = 0xE6D2A5;
const int32_t ENTRY_BORDER = 0x186900;
// Animations of the game's sprite set that stand for the kind of a level on the tips screen.
const int32_t TIPS_ICON_BLOCKS = 77;
const int32_t TIPS_ICON_LINES_3 = 78;
const int32_t TIPS_ICON_LINES_4 = 79;
const int32_t TIPS_ICON_LINES_LONGER = 80;

DStringPtr text(const char16_t* s)
{
    return new DString(s);
}

// A body text of the secondary screens: font 2, in a box of the given size in the middle.
GUIWidgetPtr addBodyText(const GUIWidgetPtr& screen, int32_t w, int32_t h, int32_t alignment)
{
    GUIWidgetPtr body = new GUIWidget(-1);
    body->setSize(w, h);
    body->setAnchors(ANCHOR_CENTER, ANCHOR_CENTER);
    body->setMarkup(new DString());
    body->getText()->setAlignment(alignment);
    body->getText()->setFont(Fonts::get(Fonts::GAME));
    screen->addChild(body);
    return body;
}

void bindVerticalScrolling(const GUIWidgetPtr& screen, const GUIWidgetPtr& body)
{
    screen->setAction(GUIWidget::EVENT_UP, GUIAction::ACTION_SCROLL_UP, 0, nullptr, nullptr, body);
    screen->setAction(GUIWidget::EVENT_DOWN, GUIAction::ACTION_SCROLL_DOWN, 0, nullptr, nullptr, body);
}

// Names come from the stores, where anything may stand: a "<" must not start a tag.
DStringPtr escapeMarkup(const DStringPtr& s)
{
    DStringBufferPtr out = new DStringBuffer();
    for (int32_t i = 0; i < s->length(); ++i) {
        char16_t c = s->charAt(i);
        if (c == u'<')
            out->append(u"&lt;");
        else
            out->append(c);
    }
    return out->toString();
}

} // namespace

GUIModalScreenPtr ScreenFlow::buildSettings()
{
    GUIModalScreenPtr frame = makeBackFrame();
    frame->addAction(GUIWidget::EVENT_HIDDEN, action(ACTION_SETTINGS_CLOSED));
    frame->setAction(GUIWidget::EVENT_SHOWN, action(ACTION_REFRESH_SETTINGS));
    int32_t slot = slotHeight(menuImages, 8);
    GUIWidgetPtr list = makeList(-1, frame->boundsWidth, slot * 5);
    list->setAnchors(ANCHOR_HCENTER, ANCHOR_HCENTER);
    list->setPosition(0, (frame->boundsHeight - slot * 5) / 2);
    frame->addChild(list);

    GUIWidgetPtr controlsEntry = addItem(list, menuImages, -1, action(ACTION_CONTROLS));
    controlsEntry->setTextKey(text(u"CONTROLS"));
    GUIWidgetPtr soundEntry = addItem(list, menuImages, ID_SOUND_ENTRY, action(ACTION_TOGGLE_SOUND));
    soundEntry->setTextKey(text(sounds->enabled ? u"SOUND_ON" : u"SOUND_OFF"));
    const struct {
        int32_t id;
        const char16_t* key;
        int32_t change;
    } sliders[] = {
        {ID_SOUND_VOLUME, u"SOUND_VOL", GUIAction::ACTION_SET_SOUND_VOLUME},
        {ID_MUSIC_VOLUME, u"MUSIC_VOL", GUIAction::ACTION_SET_MUSIC_VOLUME},
    };
    for (const auto& s : sliders) {
        guilib::GUISliderPtr slider = new guilib::GUISlider(s.id);
        slider->setSize(frameWidth(menuImages, ANIM_ITEM), frameHeight(menuImages, ANIM_ITEM));
        slider->setMinimum(0);
        slider->setMaximum(VOLUME_MAX);
        slider->setStep(VOLUME_STEP);
        slider->setTextKey(text(s.key));
        slider->getText()->setAlignment(ANCHOR_CENTER);
        // The frame holds the bar, so it stays when the focus moves on; the fill tells focus.
        slider->setLook(GUIWidget::PART_CLIENT_BACKGROUND, menuImages, ANIM_SLIDER_FRAME, false, 0, 0);
        const int32_t fills[][3] = {
            {ANIM_SLIDER_FOCUSED, GUIWidget::STATE_FOCUSED | GUIWidget::STATE_ENABLED, GUIWidget::STATE_FOCUSED | GUIWidget::STATE_ENABLED},
            {ANIM_SLIDER_ENABLED, GUIWidget::STATE_ENABLED, GUIWidget::STATE_FOCUSED | GUIWidget::STATE_ENABLED},
            {ANIM_SLIDER_DISABLED, 0, GUIWidget::STATE_FOCUSED | GUIWidget::STATE_ENABLED},
        };
        for (const auto& f : fills)
            slider->setLook(GUIWidget::PART_SLIDER_FILL, menuImages, f[0], false, f[1], f[2]);
        slider->setAction(GUIWidget::EVENT_VALUE_CHANGED, action(s.change));
        makeClickable(slider, list, nullptr);
    }
    GUIWidgetPtr back = addItem(list, menuImages, -1, action(GUIAction::ACTION_POP_SCREEN));
    back->setTextKey(text(u"BACK"));
    for (const GUIWidgetPtr& entry : {controlsEntry, soundEntry, back})
        entry->getText()->setAlignment(ANCHOR_CENTER);
    stackItems(list, slot);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildHelp()
{
    GUIModalScreenPtr frame = makeScreenFrame(u"OK", u"DOWN");
    frame->setAction(GUIWidget::EVENT_FIRE, action(GUIAction::ACTION_POP_SCREEN));
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr body = addBodyText(frame, w - w / 4, h * 3 / 4, ANCHOR_JUSTIFY);
    body->setTextKey(text(u"HELP_STR"));
    body->getText()->setNewlineBreaks(true);
    body->setAction(GUIWidget::EVENT_POINTER_HELD, action(GUIAction::ACTION_TRACK_PAGE));

    // The bar straddles the text's right edge; the lines stop short of it.
    int32_t barWidth = frameWidth(menuImages, ANIM_SCROLL_UP);
    body->setClientRect(0, 0, body->boundsWidth - barWidth / 2 - 2, body->boundsHeight, false);
    guilib::GUIVScrollBarPtr bar = new guilib::GUIVScrollBar(body, 0, 0, 0, 0, -1);
    bar->setSize(barWidth, h * 3 / 4);
    bar->setAnchors(ANCHOR_CENTER, ANCHOR_CENTER);
    bar->setPosition((w - w / 4) / 2, 0);
    const std::pair<GUIWidgetPtr, int32_t> parts[] = {{bar->track, ANIM_SCROLL_TRACK},
        {bar->thumb, ANIM_SCROLL_THUMB}, {bar->downButton, ANIM_SCROLL_DOWN}, {bar->upButton, ANIM_SCROLL_UP}};
    for (const auto& part : parts)
        part.first->setLook(GUIWidget::PART_CLIENT_BACKGROUND, menuImages, part.second, false, 0, 0);
    frame->addChild(bar);

    bindVerticalScrolling(frame, body);
    frame->setAction(GUIWidget::EVENT_SOFT_RIGHT, GUIAction::ACTION_SCROLL_DOWN, h * 3 / 8, nullptr, nullptr, body);
    frame->setAction(GUIWidget::EVENT_SHOWN, GUIAction::ACTION_SCROLL_TOP, 0, nullptr, nullptr, body);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildAbout()
{
    DStringPtr site = urlStrings->get(u"VENDOR_URL");
    bool hasSite = site->length() > 0 && !site->equals(u"VENDOR_URL");
    // Without an address the site key would do nothing, so it is not offered.
    GUIModalScreenPtr frame = makeScreenFrame(u"OK", hasSite ? u"SITE" : nullptr);
    frame->setAction(GUIWidget::EVENT_FIRE, action(GUIAction::ACTION_POP_SCREEN));
    if (hasSite)
        frame->setAction(GUIWidget::EVENT_SOFT_RIGHT, action(ACTION_OPEN_LINK, 0, site));
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr body = addBodyText(frame, w, h * 5 / 8, ANCHOR_HCENTER);
    body->setTextKey(text(u"ABOUT_INFO"));
    int32_t padding = frameHeight(menuImages, ANIM_SCROLL_ARROW) / 2;
    body->setInsets(0, padding, 0, padding);
    int32_t page = h / 4;
    body->setAction(GUIWidget::EVENT_POINTER_HELD, action(GUIAction::ACTION_TRACK_PAGE));
    body->setAction(GUIWidget::EVENT_PAGE_UP, action(GUIAction::ACTION_SCROLL_UP, page));
    body->setAction(GUIWidget::EVENT_PAGE_DOWN, action(GUIAction::ACTION_SCROLL_DOWN, page));
    addScrollArrows(body);
    bindVerticalScrolling(frame, body);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildMoreGames()
{
    GUIModalScreenPtr frame = makeBackFrame();
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr list = makeList(-1, w - w / 16, h * 7 / 8);
    frame->addChild(list);
    const int32_t icons[] = {14, 13, 15};
    int32_t entryHeight = std::min(list->boundsHeight / 3 - 1, 3 * frameHeight(menuImages, icons[0]) / 2);
    for (int32_t i = 0; i < 3; ++i) {
        DStringPtr index = DInteger::toString(i);
        DStringPtr url = GameContext::get().strings->get(DStringPtr(new DString(u"MORE_GAME_URL")) + index);
        GUIWidgetPtr entry = new GUIWidget(-1);
        entry->setSize(list->boundsWidth, entryHeight);
        entry->setTextKey(DStringPtr(new DString(u"MORE_GAME")) + index);
        entry->getText()->setAlignment(ANCHOR_JUSTIFY);
        entry->getText()->setFont(Fonts::get(Fonts::GAME));
        entry->getText()->putToken(text(u"%ICON%"), new GUIAnimation(menuImages, icons[i], true));
        // An empty default, or the colour look would be chosen in every state.
        entry->setLook(GUIWidget::PART_BACKGROUND, new GUIAnimation(-1, -1), 0, 0);
        entry->setLook(GUIWidget::PART_BACKGROUND, new GUIAnimation(ENTRY_FILL, ENTRY_BORDER),
            GUIWidget::STATE_FOCUSED, GUIWidget::STATE_FOCUSED);
        makeClickable(entry, list, action(ACTION_OPEN_LINK, 0, url));
    }
    stackItems(list, entryHeight + 1);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildHighScores(bool arcade)
{
    GUIModalScreenPtr frame = makeScreenFrame(nullptr, u"BACK");
    frame->setAction(GUIWidget::EVENT_SOFT_RIGHT, action(GUIAction::ACTION_POP_SCREEN));
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr body = addBodyText(frame, w / 2, h, ANCHOR_VCENTER);
    HiscoreTable& table = tableOf(arcade);
    DStringBufferPtr markup = new DStringBuffer();
    for (int32_t row = 0; row < table.rowCount(); ++row) {
        markup->append(u"<ALIGN ALIGN=LEFT>");
        markup->append(escapeMarkup(table.names->get(row)));
        markup->append(u"<ALIGN ALIGN=RIGHT>");
        markup->append(DInteger::toString(table.values[row][0]));
        markup->append(u"<BR>");
    }
    body->setMarkup(markup->toString());
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildTips()
{
    Game& game = rules();
    GUIModalScreenPtr frame = makeScreenFrame(u"START", nullptr);
    GUIActionPtr start = action(GUIAction::ACTION_POP_SCREEN);
    chain(start, action(ACTION_START_PLAY));
    frame->setAction(GUIWidget::EVENT_FIRE, start);
    StringManager& strings = *GameContext::get().strings;
    DStringPtr tips = strings.get(game.gameType == TYPE_LINES ? u"TIPS1_LINES" : u"TIPS1_BLOCKS")
        + strings.get(u"TIPS2");
    if (!game.arcadeMode)
        tips = tips + strings.get(game.goal == GOAL_SCORE ? u"TIPS3_SCORE" : u"TIPS3_TIME");
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr body = addBodyText(frame, w - w / 8, h, ANCHOR_CENTER);
    body->setMarkup(tips);
    guilib::GUITextPtr t = body->getText();
    t->putToken(text(u"%LINE_LENGTH%"), DInteger::toString(game.lineLength));
    t->putToken(text(u"%COLORS_COUNT%"), DInteger::toString(game.colourCount));
    t->putToken(text(u"%MAX_SCORE%"), DInteger::toString(game.pointsToWin));
    t->putToken(text(u"%LEVEL_NUM%"), DInteger::toString(game.selectedLevel + 1));
    int32_t icon = game.gameType == TYPE_BLOCKS ? TIPS_ICON_BLOCKS
        : game.lineLength == 3 ? TIPS_ICON_LINES_3
        : game.lineLength == 4 ? TIPS_ICON_LINES_4 : TIPS_ICON_LINES_LONGER;
    t->putToken(text(u"%TYPE_ICON%"), new GUIAnimation(&gameScreen->sprites(), icon, true));
    return frame;
}

} // namespace tintrow
