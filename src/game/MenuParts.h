// Building blocks of the menu screens: lists of entries, their looks, sounds and bindings.
#pragma once

#include <cstdint>

#include "gamelib/ImageManager.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIWidget.h"

namespace tintrow::menu {

// Animations of the menu sprite set that the screens use by number.
enum MenuAnimation : int32_t {
    ANIM_SOFT_KEY = 0,
    ANIM_ITEM_FOCUSED = 1,
    ANIM_ITEM_PRESSED = 2,
    ANIM_ITEM = 3,
    ANIM_SCROLL_ARROW = 4,
    ANIM_SLIDER_FRAME = 5,
    ANIM_SLIDER_FOCUSED = 6,
    ANIM_SLIDER_ENABLED = 7,
    ANIM_SLIDER_DISABLED = 8,
    ANIM_LIST_TOP = 9,
    ANIM_LIST_BOTTOM = 10,
    ANIM_PREVIOUS = 11,
    ANIM_NEXT = 12,
    ANIM_SCROLL_UP = 16,
    ANIM_SCROLL_DOWN = 17,
    ANIM_SCROLL_THUMB = 18,
    ANIM_SCROLL_TRACK = 19,
};

// Widgets that the actions find again by id.
enum WidgetId : int32_t {
    ID_SOUND_VOLUME = 1,
    ID_MUSIC_VOLUME = 2,
    ID_LEVEL_LIST = 3,
    ID_FIRST_LEVEL_ITEM = 4,
    ID_SOUND_ENTRY = 5,
    ID_LANGUAGE_ITEM = 505,
    ID_CONTINUE_ITEM = 506,
    ID_RESTART_ITEM = 507,
    ID_MAIN_LIST = 508,
};

// Sounds the menus play when an action has run.
enum : int32_t { SOUND_MENU_MOVE = 8, SOUND_MENU_SELECT = 9 };

// The first-frame size of a menu animation.
int32_t frameWidth(const gamelib::ImageManagerPtr& images, int32_t animation);
int32_t frameHeight(const gamelib::ImageManagerPtr& images, int32_t animation);

// The height of an entry's slot in a list: the item plate and a gap of 1/gapDivisor of it.
int32_t slotHeight(const gamelib::ImageManagerPtr& images, int32_t gapDivisor);

// A scrolling container for entries: up and down move the focus (with the move sound), page
// events scroll it by a quarter of the screen.
guilib::GUIWidgetPtr makeList(int32_t id, int32_t width, int32_t height);

// An entry of a list on the item plate: a tap or the fire key clicks it (with the select
// sound), and a click fires `click`. Its tab index follows the entries before it.
guilib::GUIWidgetPtr addItem(const guilib::GUIWidgetPtr& list, const gamelib::ImageManagerPtr& images,
    int32_t id, const guilib::GUIActionPtr& click);
// The same for any widget that already has its looks (sliders, more-games entries).
void makeClickable(const guilib::GUIWidgetPtr& entry, const guilib::GUIWidgetPtr& list,
    const guilib::GUIActionPtr& click);

// Places the visible entries one under the other, `step` apart, and gives the first visible
// one the focus when the focused one was hidden.
void stackItems(const guilib::GUIWidgetPtr& list, int32_t step);

guilib::GUIActionPtr action(int32_t type, int32_t param = 0,
    const vela::lang::DObjectPtr& target = nullptr);
// Appends `next` at the end of the chain that starts with `first`.
void chain(const guilib::GUIActionPtr& first, const guilib::GUIActionPtr& next);

// Disposes a widget and everything under it, so that the engine forgets the whole tree.
void disposeTree(const guilib::GUIWidgetPtr& widget);

} // namespace tintrow::menu
