// The menu screens: the common frame, yes/no boxes, the main and in-game menu, and the choices
// of high-score table, level and language.
#include "game/MenuParts.h"
#include "game/ScreenFlow.h"
#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "microedition/lcdui/DImage.h"
#include "lang/DInteger.h"

using namespace vela::lang;
using namespace tintrow::menu;
using gamelib::Fonts;
using gamelib::ImageManagerPtr;
using gamelib::Resources;
using guilib::ANCHOR_BOTTOM;
using guilib::ANCHOR_CENTER;
using guilib::ANCHOR_HCENTER;
using guilib::ANCHOR_LEFT;
using guilib::ANCHOR_RIGHT;
using guilib::ANCHOR_VCENTER;
using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUIModalScreen;
using guilib::GUIModalScreenPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;
using vela::microedition::lcdui::DImagePtr;

namespace tintrow {

namespace {

DStringPtr text(const char16_t* s)
{
    return new DString(s);
}

GUIWidgetPtr addTextItem(const GUIWidgetPtr& list, const ImageManagerPtr& images, int32_t id,
    const char16_t* key, const GUIActionPtr& click)
{
    GUIWidgetPtr item = addItem(list, images, id, click);
    item->setTextKey(text(key));
    item->getText()->setAlignment(ANCHOR_CENTER);
    return item;
}

void setLabel(const GUIWidgetPtr& label, const ImageManagerPtr& images, const char16_t* key)
{
    if (!key) {
        label->setStateNow(GUIWidget::STATE_VISIBLE, false);
        return;
    }
    label->setTextKey(text(key));
    label->getText()->setAlignment(ANCHOR_CENTER);
    label->setLook(GUIWidget::PART_CLIENT_BACKGROUND, images, ANIM_SOFT_KEY, false, 0, 0);
}

// A short list centred on the screen: its top is where the entries fill the middle.
GUIWidgetPtr centredList(const GUIModalScreenPtr& screen, int32_t slot, int32_t count)
{
    int32_t w = screen->boundsWidth;
    GUIWidgetPtr list = makeList(-1, w, slot * count);
    list->setAnchors(ANCHOR_HCENTER, ANCHOR_HCENTER);
    list->setPosition(0, (screen->boundsHeight - slot * count) / 2);
    screen->addChild(list);
    return list;
}

} // namespace

GUIModalScreenPtr ScreenFlow::makeScreenFrame(const char16_t* left, const char16_t* right)
{
    if (!menuBackground)
        menuBackground = Resources::loadImage(u"img/back_menu");
    GUIModalScreenPtr frame = new GUIModalScreen(-1);
    if (menuBackground)
        frame->setLook(GUIWidget::PART_CLIENT_BACKGROUND, menuBackground, 0, 0);
    setLabel(frame->leftSoftKey, menuImages, left);
    setLabel(frame->rightSoftKey, menuImages, right);
    frame->setAction(GUIWidget::EVENT_SOFT_LEFT, action(GUIAction::ACTION_SEND_TO_TOP, GUIWidget::EVENT_FIRE));
    // Built anew each time it opens: forgotten when it closes.
    frame->setAction(GUIWidget::EVENT_HIDDEN, action(ACTION_DISPOSE_SCREEN));
    return frame;
}

GUIModalScreenPtr ScreenFlow::makeBackFrame()
{
    GUIModalScreenPtr frame = makeScreenFrame(u"OK", u"BACK");
    frame->setAction(GUIWidget::EVENT_SOFT_RIGHT, action(GUIAction::ACTION_POP_SCREEN));
    return frame;
}

// A list taller than its box: half a slot of room above and below for the scroll arrows.
void ScreenFlow::stackScrollingList(const GUIWidgetPtr& list)
{
    int32_t slot = slotHeight(menuImages, 8);
    list->setInsets(0, slot / 2, 0, slot / 2);
    stackItems(list, slot);
    addScrollArrows(list);
}

// The answer of a soft key: close the box, run the action, open the next screen.
static GUIActionPtr answer(int32_t answerAction, const GUIWidgetPtr& next)
{
    GUIActionPtr a = action(GUIAction::ACTION_POP_SCREEN);
    if (answerAction > 0)
        chain(a, action(answerAction));
    if (next)
        chain(a, action(GUIAction::ACTION_PUSH_SCREEN, 0, next));
    return a;
}

static GUIModalScreenPtr makeBox(GUIModalScreenPtr box, const char16_t* textKey,
    const GUIActionPtr& yes, const GUIActionPtr& no)
{
    int32_t w = box->boundsWidth, h = box->boundsHeight;
    GUIWidgetPtr message = new GUIWidget(-1);
    message->setSize(w - w / 8, h / 2);
    message->setAnchors(ANCHOR_CENTER, ANCHOR_CENTER);
    message->setTextKey(text(textKey));
    message->getText()->setAlignment(ANCHOR_CENTER);
    message->getText()->setFont(Fonts::get(Fonts::GAME));
    box->addChild(message);
    box->setAction(GUIWidget::EVENT_SOFT_LEFT, yes);
    // The action key answers like the left soft key: a box has no entry to click.
    box->setAction(GUIWidget::EVENT_FIRE, yes);
    box->setAction(GUIWidget::EVENT_SOFT_RIGHT, no);
    return box;
}

GUIModalScreenPtr ScreenFlow::showConfirm(const char16_t* textKey, int32_t yesAction,
    int32_t noAction, const GUIWidgetPtr& yesTarget, const GUIWidgetPtr& noTarget)
{
    return makeBox(makeScreenFrame(u"YES", u"NO"), textKey, answer(yesAction, yesTarget),
        answer(noAction, noTarget));
}

GUIModalScreenPtr ScreenFlow::showMessage(const char16_t* textKey, const char16_t* leftLabel,
    int32_t leftAction, const char16_t* rightLabel, int32_t rightAction)
{
    return makeBox(makeScreenFrame(leftLabel, rightLabel), textKey,
        leftLabel ? answer(leftAction, nullptr) : nullptr,
        rightLabel ? answer(rightAction, nullptr) : nullptr);
}

void ScreenFlow::addScrollArrows(const GUIWidgetPtr& list)
{
    struct Overlay {
        int32_t animation, parentAnchor, selfAnchor, scroll;
    };
    const Overlay overlays[] = {
        {ANIM_SCROLL_ARROW, ANCHOR_HCENTER, ANCHOR_CENTER, GUIAction::ACTION_SCROLL_UP},
        {ANIM_SCROLL_ARROW, ANCHOR_HCENTER | ANCHOR_BOTTOM, ANCHOR_CENTER, GUIAction::ACTION_SCROLL_DOWN},
        {ANIM_LIST_TOP, ANCHOR_HCENTER, ANCHOR_HCENTER | ANCHOR_BOTTOM, GUIAction::ACTION_NONE},
        {ANIM_LIST_BOTTOM, ANCHOR_HCENTER | ANCHOR_BOTTOM, ANCHOR_HCENTER, GUIAction::ACTION_NONE},
    };
    int32_t step = list->getBounds().height > 0 ? GUIEngine::getInstance()->getScreenHeight() / 4 : 0;
    for (const Overlay& o : overlays) {
        GUIWidgetPtr overlay = new GUIWidget(-1);
        // Fixed over the list: a layer of their own would only be painted on a screen.
        overlay->setLayer(1);
        overlay->setFitToBackground(true);
        overlay->setLook(GUIWidget::PART_CLIENT_BACKGROUND, menuImages, o.animation, true, 0, 0);
        overlay->setAnchors(o.parentAnchor, o.selfAnchor);
        if (o.scroll != GUIAction::ACTION_NONE)
            overlay->setAction(GUIWidget::EVENT_POINTER_HELD, o.scroll, step, nullptr, nullptr, list);
        list->addChild(overlay);
    }
}

GUIModalScreenPtr ScreenFlow::buildMainMenu(bool inGame)
{
    GUIModalScreenPtr frame = makeScreenFrame(u"OK", u"EXIT");
    // The menu is kept for the whole run, not forgotten when it closes.
    frame->setAction(GUIWidget::EVENT_HIDDEN, nullptr);
    frame->setAction(GUIWidget::EVENT_SHOWN, action(ACTION_REFRESH_LANGUAGE_ITEM));
    frame->setAction(GUIWidget::EVENT_SOFT_RIGHT, action(ACTION_OPEN_EXIT_QUESTION));
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr list = makeList(ID_MAIN_LIST, w, h * 5 / 8);
    list->setAction(GUIWidget::EVENT_POINTER_PRESSED, action(GUIAction::ACTION_TRACK_PAGE));
    frame->addChild(list);

    struct Entry {
        int32_t id;
        const char16_t* key;
        int32_t click;
    };
    const Entry entries[] = {
        {ID_CONTINUE_ITEM, u"CONTINUE", ACTION_CONTINUE},
        {ID_RESTART_ITEM, u"RESTART_LEVEL", ACTION_RESTART_LEVEL},
        {-1, u"PROGRESS_GAME", ACTION_PROGRESS_GAME},
        {-1, u"ARCADE_GAME", ACTION_OPEN_ARCADE_LEVELS},
        {ID_LANGUAGE_ITEM, nullptr, ACTION_NEXT_LANGUAGE},
        {-1, u"SETTINGS", ACTION_OPEN_SETTINGS},
        {-1, u"HIGHSCORES", ACTION_OPEN_SCORE_CHOICE},
        {-1, u"HELP", ACTION_OPEN_HELP},
        {-1, u"MORE_GAMES", ACTION_OPEN_MORE_GAMES},
        {-1, u"ABOUT", ACTION_OPEN_ABOUT},
        {-1, u"EXIT", ACTION_OPEN_EXIT_QUESTION},
    };
    for (const Entry& e : entries) {
        if (!e.key) {
            GUIWidgetPtr item = addItem(list, menuImages, e.id, action(e.click));
            item->setAction(GUIWidget::EVENT_LEFT, action(ACTION_PREVIOUS_LANGUAGE));
            item->setAction(GUIWidget::EVENT_RIGHT, action(ACTION_NEXT_LANGUAGE));
            const int32_t arrows[][4] = {
                {ANIM_PREVIOUS, ANCHOR_LEFT | ANCHOR_VCENTER, ANCHOR_RIGHT | ANCHOR_VCENTER, ACTION_PREVIOUS_LANGUAGE},
                {ANIM_NEXT, ANCHOR_RIGHT | ANCHOR_VCENTER, ANCHOR_LEFT | ANCHOR_VCENTER, ACTION_NEXT_LANGUAGE},
            };
            for (const auto& a : arrows) {
                GUIWidgetPtr arrow = new GUIWidget(-1);
                arrow->setLayer(1);
                arrow->setFitToBackground(true);
                arrow->setLook(GUIWidget::PART_CLIENT_BACKGROUND, menuImages, a[0], false, 0, 0);
                arrow->setAnchors(a[1], a[2]);
                arrow->setAction(GUIWidget::EVENT_POINTER_PRESSED, action(a[3]));
                if (languageNames->length() < 2)
                    arrow->setStateNow(GUIWidget::STATE_VISIBLE, false);
                item->addChild(arrow);
            }
            refreshLanguageItem(item);
            continue;
        }
        GUIWidgetPtr item = addTextItem(list, menuImages, e.id, e.key, action(e.click));
        if (e.click == ACTION_PROGRESS_GAME)
            item->getText()->setFont(Fonts::get(Fonts::MENU_RED));
        if (!inGame && (e.id == ID_CONTINUE_ITEM || e.id == ID_RESTART_ITEM))
            item->setStateNow(GUIWidget::STATE_VISIBLE, false);
    }
    stackScrollingList(list);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildModeChoice()
{
    GUIModalScreenPtr frame = makeBackFrame();
    int32_t slot = slotHeight(menuImages, 8);
    GUIWidgetPtr list = centredList(frame, slot, 3);
    addTextItem(list, menuImages, -1, u"PROGRESS_GAME", action(ACTION_PROGRESS_SCORES));
    addTextItem(list, menuImages, -1, u"ARCADE_GAME", action(ACTION_ARCADE_SCORES));
    addTextItem(list, menuImages, -1, u"BACK", action(GUIAction::ACTION_POP_SCREEN));
    stackItems(list, slot);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildLevelChoice(bool arcade)
{
    GUIModalScreenPtr frame = makeBackFrame();
    frame->addAction(GUIWidget::EVENT_SHOWN, action(ACTION_REFRESH_LEVELS));
    int32_t w = frame->boundsWidth, h = frame->boundsHeight;
    GUIWidgetPtr list = makeList(ID_LEVEL_LIST, w, h * 2 / 3);
    list->setAction(GUIWidget::EVENT_POINTER_HELD, action(GUIAction::ACTION_TRACK_PAGE));
    frame->addChild(list);
    int32_t first = arcade ? ACTION_START_ARCADE : ACTION_START_PROGRESS;
    for (int32_t i = 0; i < rules().levelCount; ++i) {
        GUIWidgetPtr item = addTextItem(list, menuImages, ID_FIRST_LEVEL_ITEM + i, u"LEVEL_NUM", action(first + i));
        item->getText()->putToken(text(u"%LEVEL_NUM%"), DInteger::toString(i + 1));
        // A locked level is a bare label, not a button; the keys still reach it, to tell why
        // it does not start.
        item->setFitToBackground(false);
        item->setSize(frameWidth(menuImages, ANIM_ITEM), frameHeight(menuImages, ANIM_ITEM));
        item->setLook(GUIWidget::PART_CLIENT_BACKGROUND, new guilib::GUIAnimation(-1, -1), 0,
            GUIWidget::STATE_ENABLED);
        item->setFocusableWhenDisabled(true);
    }
    addTextItem(list, menuImages, -1, u"BACK", action(GUIAction::ACTION_POP_SCREEN));
    stackScrollingList(list);
    return frame;
}

GUIModalScreenPtr ScreenFlow::buildLanguageChoice()
{
    menuScreen = buildMainMenu(false);
    GUIModalScreenPtr soundQuestion =
        showConfirm(u"ENABLE_SOUND", ACTION_SOUND_ON, ACTION_SOUND_OFF, menuScreen, menuScreen);
    GUIModalScreenPtr frame = makeScreenFrame(u"OK", nullptr);
    int32_t count = languageNames->length();
    int32_t slot = slotHeight(menuImages, 4);
    GUIWidgetPtr list = centredList(frame, slot, count);
    for (int32_t i = 0; i < count; ++i) {
        GUIActionPtr click = action(ACTION_CHOOSE_LANGUAGE + i);
        chain(click, action(GUIAction::ACTION_POP_SCREEN));
        chain(click, action(GUIAction::ACTION_PUSH_SCREEN, 0, soundQuestion));
        GUIWidgetPtr item = addItem(list, menuImages, -1, click);
        item->setMarkup(languageNames->get(i));
        item->getText()->setAlignment(ANCHOR_CENTER);
    }
    stackItems(list, slot);
    return frame;
}

void ScreenFlow::refreshLanguageItem(const GUIWidgetPtr& item)
{
    if (!item)
        return;
    int32_t language = GUIEngine::getInstance()->language;
    item->setMarkup(DStringPtr(new DString(u"<VALIGN ALIGN=VCENTER><ANIM SRC=%FLAG%> "))
        + languageNames->get(language));
    item->getText()->setAlignment(ANCHOR_CENTER);
    DImagePtr flag = Resources::loadImage(DStringPtr(new DString(u"lang_")) + languageIds->get(language));
    item->getText()->putToken(text(u"%FLAG%"), flag ? new guilib::GUIAnimation(flag) : nullptr);
}

} // namespace tintrow
