// The one node type of every screen: placement, children, scrolling, state, looks, text.
#pragma once

#include <cstdint>

#include "guilib/GUIAction.h"
#include "gamelib/ImageManager.ptr"
#include "guilib/GUIAnimation.ptr"
#include "guilib/GUIGraphics.h"
#include "guilib/GUIRect.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.ptr"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.ptr"
#include "util/DHashtable.ptr"
#include "util/DVector.ptr"
#include "util/DVectorArray.ptr"

namespace guilib {

using GUIPaintHook = bool (*)(GUIWidget& widget, const DGraphicsPtr& g);
using GUIPostPaintHook = void (*)(GUIWidget& widget, const DGraphicsPtr& g);
using GUITickHook = bool (*)(GUIWidget& widget);
using GUITickHook2 = void (*)(GUIWidget& widget);

class GUIWidget : public vela::lang::DObject {
public:
    enum : uint32_t {
        STATE_VISIBLE = 0x01,
        STATE_ENABLED = 0x02,
        STATE_FOCUSED = 0x04,
        STATE_ACTIVATED = 0x08,
        STATE_DRAGGED = 0x10,
        STATE_PRESSED = 0x20,
    };

    enum : int32_t {
        EVENT_SOFT_LEFT = 1,
        EVENT_FIRE = 2,
        EVENT_SOFT_RIGHT = 3,
        EVENT_POINTER_PRESSED = 4,
        EVENT_POINTER_HELD = 5,
        EVENT_HIDDEN = 6,
        EVENT_SHOWN = 7,
        EVENT_UP = 8,
        EVENT_DOWN = 9,
        EVENT_LEFT = 10,
        EVENT_RIGHT = 11,
        EVENT_SCROLLED = 12,
        EVENT_PAGE_UP = 13,
        EVENT_PAGE_DOWN = 14,
        EVENT_POINTER_DRAGGED = 17,
        EVENT_KEY = 18,
        EVENT_BOUNDS_CHANGED = 19,
        EVENT_STATE_SET = 20,
        EVENT_STATE_CLEARED = 52,
        EVENT_VALUE_CHANGED = 256,
    };

    // Look parts: corners, edges, backgrounds and the slider fill.
    enum : int32_t {
        PART_TOP_LEFT = 0,
        PART_TOP_RIGHT = 1,
        PART_BOTTOM_LEFT = 2,
        PART_BOTTOM_RIGHT = 3,
        PART_TOP = 4,
        PART_BOTTOM = 5,
        PART_LEFT = 6,
        PART_RIGHT = 7,
        PART_CLIENT_BACKGROUND = 8,
        PART_BACKGROUND = 9,
        PART_SLIDER_FILL = 256,
    };

    static constexpr int32_t LAYER_COUNT = 3;
    // Bit 31 of a look mask marks a transition entry.
    static constexpr uint32_t TRANSITION_BIT = 0x80000000u;

    explicit GUIWidget(int32_t id);
    ~GUIWidget() override;

    // Virtual operations, in slot order after those of DObject.
    virtual void checkPointer(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void paintClientBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                                       int32_t h);
    virtual void paintBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                                 int32_t h);
    virtual void paintBorder(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void paintText(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void validate();
    virtual void layoutChildren(int32_t layer, const GUIRect& clip, const GUIRect& origin);
    virtual void tick();
    virtual bool handleEvent(int32_t event, bool broadcast, const void* data, int32_t length);
    virtual void layout(const GUIRect& clip, const GUIRect& origin);
    virtual void paint(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void paintOverlay(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                              int32_t h);
    virtual bool update();
    virtual void dispose();

    // Children and tree.
    GUIWidgetPtr addChild(GUIWidgetPtr child);
    void removeChild(const GUIWidgetPtr& child);
    void setLayer(int32_t newLayer);
    void raise();
    GUIWidgetPtr findChild(int32_t childId, bool recursive) const;
    GUIWidgetPtr getParent() const { return parent; }
    GUIWidgetPtr getFocusedChild() const { return focusedChild; }
    vela::util::DVectorPtr getChildren(int32_t layerIndex) const;
    int32_t getChildCount(int32_t layerIndex) const;
    GUIWidgetPtr getChild(int32_t layerIndex, int32_t index) const;

    // Geometry.
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h);
    void setPosition(int32_t x, int32_t y);
    void setSize(int32_t w, int32_t h);
    void setFullScreen();
    void setClientRect(int32_t x, int32_t y, int32_t w, int32_t h, bool growBounds);
    GUIRect getBounds();
    GUIRect getClientRect() const { return { clientX, clientY, clientWidth, clientHeight }; }
    GUIRect getContentRect();
    void computeContentRect();
    void setInsets(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void setAnchors(int32_t parentAnchorFlags, int32_t selfAnchorFlags);
    void setTabIndex(int32_t index) { tabIndex = index; }
    void setFitToBackground(bool on) { fitToBackground = on; }
    void setSelfFirst(bool on) { selfFirst = on; }
    void setFocusableWhenDisabled(bool on) { focusableWhenDisabled = on; }
    void setScrollable(bool x, bool y);
    void setTextRectId(int32_t rectId) { textRectId = rectId; }
    void setPaintHook(GUIPaintHook hook) { paintHook = hook; }
    void setPostPaintHook(GUIPostPaintHook hook) { postPaintHook = hook; }
    void setTickHook(GUITickHook hook) { tickHook = hook; }
    void setTickHook2(GUITickHook2 hook) { tickHook2 = hook; }

    // Origin relative to the container: the parent's client area for layer 0 (client origin
    // left out), the parent's bounds for layers 1 and 2, the screen for a root.
    GUIPoint positionInContainer(bool scrolled) const;
    // Where this widget's origin sits in its parent's coordinates (scrolled or not).
    GUIPoint positionInParent(bool scrolled) const;
    GUIPoint widgetToParent(GUIPoint p, bool scrolled) const;
    GUIPoint widgetToScreen(GUIPoint p) const;
    GUIPoint clientToScreen(GUIPoint p) const;
    GUIPoint screenToClient(GUIPoint p) const;
    GUIRect widgetToParent(const GUIRect& r, bool scrolled) const;
    GUIRect widgetToScreen(const GUIRect& r) const;
    GUIRect clientToScreen(const GUIRect& r) const;
    GUIRect screenToClient(const GUIRect& r) const;

    // Scrolling: these move the targets; the smooth-scroll step moves the position.
    void scrollUp(int32_t step);
    void scrollDown(int32_t step);
    void scrollLeft(int32_t step);
    void scrollRight(int32_t step);
    void scrollToTop();
    void scrollToBottom();
    void scrollToLeftEnd();
    void scrollToRightEnd();
    void setScrollTarget(int32_t x, int32_t y);
    void setScrollPosition(int32_t x, int32_t y);
    int32_t clampX(int32_t v);
    int32_t clampY(int32_t v);
    void smoothScrollStep();
    void scrollFocusedIntoView();

    // State and focus.
    void setState(uint32_t mask, bool on);
    void setStateNow(uint32_t mask, bool on);
    bool hasState(uint32_t mask) const { return (state & mask) == mask; }
    bool isRequested(uint32_t mask) const { return (requestedState & mask) == mask; }
    bool stateChanged(uint32_t mask) const { return ((state ^ previousState) & mask) != 0; }
    bool stateBecame(uint32_t mask, bool on) const
    {
        return stateChanged(mask) && hasState(mask) == on;
    }
    bool canFocus() const;
    void requestFocus(bool on);
    void focusFirst();
    void focusLast();
    void focusNext();
    void focusPrevious();
    void focusVertical();
    bool isStatePending() const { return state != requestedState; }
    // Applies a pending change once every transition look has finished.
    void checkPendingState();

    // Actions.
    void setAction(int32_t event, const GUIActionPtr& action);
    void addAction(int32_t event, const GUIActionPtr& action);
    GUIActionPtr getAction(int32_t event) const;
    GUIActionPtr addAction(int32_t event, int32_t type, int32_t param,
                           vela::lang::DObjectPtr target, GUIActionCallback callback);
    GUIActionPtr setAction(int32_t event, int32_t type, int32_t param,
                           vela::lang::DObjectPtr target, GUIActionCallback callback,
                           const GUIWidgetPtr& presetSource);
    GUIActionPtr addAction(int32_t event, int32_t type, int32_t param,
                           vela::lang::DObjectPtr target, GUIActionCallback callback,
                           const GUIWidgetPtr& presetSource);
    GUIActionPtr setCallback(int32_t event, GUIActionCallback callback);

    // Text.
    void setTextKey(const vela::lang::DStringPtr& key);
    void setMarkup(const vela::lang::DStringPtr& markup);
    void setText(const GUITextPtr& newText);
    GUITextPtr getText() const { return text; }

    // Looks.
    void setLook(int32_t part, const GUIAnimationPtr& animation, uint32_t stateBits,
                 uint32_t mask);
    void setLook(int32_t part, const gamelib::ImageManagerPtr& images, int32_t animationIndex, bool loop,
                 uint32_t stateBits, uint32_t mask);
    void setLook(int32_t part, const vela::microedition::lcdui::DImagePtr& image,
                 uint32_t stateBits, uint32_t mask);
    void setLook(int32_t part, int32_t fillColor, int32_t borderColor, uint32_t stateBits,
                 uint32_t mask);
    GUIAnimationPtr getLook(int32_t part) const;
    int32_t selectLooks(bool transition);

    int32_t id;
    GUIWidgetPtr parent;
    vela::util::DHashtablePtr actions;
    vela::util::DVectorArrayPtr children;
    GUIWidgetPtr focusedChild;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    int32_t scrollTargetX = 0;
    int32_t scrollTargetY = 0;
    int32_t contentX = 0;
    int32_t contentY = 0;
    int32_t contentWidth = 0;
    int32_t contentHeight = 0;
    bool scrollableX = true;
    bool scrollableY = true;
    int32_t boundsX = 0;
    int32_t boundsY = 0;
    int32_t boundsWidth = 0;
    int32_t boundsHeight = 0;
    int32_t clientX = 0;
    int32_t clientY = 0;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t parentAnchor = 0;
    int32_t selfAnchor = 0;
    int32_t layer = 0;
    bool fitToBackground = false;
    uint32_t previousState = STATE_VISIBLE | STATE_ENABLED;
    uint32_t state = STATE_VISIBLE | STATE_ENABLED;
    uint32_t requestedState = STATE_VISIBLE | STATE_ENABLED;
    int32_t tabIndex = -1;
    vela::util::DHashtablePtr lookDefinitions;
    vela::util::DHashtablePtr transitionLooks;
    vela::util::DHashtablePtr steadyLooks;
    GUITextPtr text;
    int32_t textRectId = 0;
    int64_t keyRepeatDelay = 200;
    int64_t lastKeyTime = 0;
    bool selfFirst = false;
    bool focusableWhenDisabled = false;
    int32_t insetLeft = 0;
    int32_t insetTop = 0;
    int32_t insetRight = 0;
    int32_t insetBottom = 0;
    GUIPaintHook paintHook = nullptr;
    GUIPostPaintHook postPaintHook = nullptr;
    GUITickHook tickHook = nullptr;
    GUITickHook2 tickHook2 = nullptr;

protected:
    bool updateChildren();
    bool isVisibleOrRequested() const
    {
        return ((state | requestedState) & STATE_VISIBLE) != 0;
    }

private:
    void onShown();
    void applyStateChange();
    void resetTransitionLooks();
    void setFocusedChild(const GUIWidgetPtr& child);
    void paintLayer(const DGraphicsPtr& g, int32_t layerIndex, const GUIRect& origin);
    GUIRect textRect(const GUIRect& client) const;
};

} // namespace guilib
