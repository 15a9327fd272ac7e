// Markup texts: key resolution per language, local tokens, height and painting.

#include "gamelib/ImageFont.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIRect.h"
#include "guilib/GUIText.h"
#include "lang/DString.h"
#include "util/DHashtable.h"

using gamelib::ImageFontPtr;
using gamelib::StringManagerPtr;
using vela::lang::DObjectPtr;
using vela::lang::DStringPtr;

namespace guilib {

GUIText::GUIText() = default;

GUIText::~GUIText() = default;

void GUIText::resolveKey()
{
    GUIEnginePtr engine = GUIEngine::getInstance();
    StringManagerPtr table = strings ? strings : engine->defaultStrings;
    if (!key || !table)
        return;
    resolvedLanguage = engine->language;
    setMarkup(table->get(key));
}

void GUIText::setTextKey(const DStringPtr& newKey)
{
    key = newKey;
    markup = nullptr;
    root = nullptr;
    layoutWidth = -1;
    resolveKey();
}

void GUIText::setMarkup(const DStringPtr& text)
{
    markup = text;
    root = nullptr;
    layoutWidth = -1;
}

void GUIText::setFont(const ImageFontPtr& newFont)
{
    font = newFont;
    parse();
}

void GUIText::putToken(const DStringPtr& tokenKey, const DObjectPtr& value)
{
    if (!value && !tokens)
        return;
    DStringPtr lower = tokenKey->toLowerCase();
    if (!value) {
        tokens->remove(lower);
    } else {
        if (!tokens)
            tokens = new vela::util::DHashtable(11, 75);
        tokens->put(lower, value);
    }
    root = nullptr;
    layoutWidth = -1;
}

DObjectPtr GUIText::getToken(const DStringPtr& tokenKey) const
{
    if (tokens)
        if (DObjectPtr value = tokens->get(tokenKey->toLowerCase()))
            return value;
    return GUIEngine::getInstance()->getToken(tokenKey);
}

void GUIText::ensureReady()
{
    if (resolvedLanguage != GUIEngine::getInstance()->language)
        resolveKey();
    if (!root)
        parse();
}

void GUIText::layout(int32_t width)
{
    if (!root || layoutWidth == width)
        return;
    maxLineWidth = 0;
    endX = endY = 0;
    // An empty text shows nothing and needs no font for that; an empty nested block still
    // takes its line.
    layoutHeight = root->getChildCount() == 0 ? 0 : layoutBlock(*root, width);
    layoutWidth = width;
}

int32_t GUIText::getHeight(int32_t width)
{
    ensureReady();
    if (!root)
        return 0;
    layout(width);
    return layoutHeight;
}

void GUIText::paint(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    int32_t textHeight = getHeight(width);
    if (textHeight == 0)
        return;
    if (textHeight < height) {
        if ((alignment & ANCHOR_VERTICAL) == ANCHOR_BOTTOM)
            y += height - textHeight;
        else if ((alignment & ANCHOR_VERTICAL) == ANCHOR_VCENTER)
            y += (height - textHeight) / 2;
    }
    drawBlock(g, *root, x, y);
}

} // namespace guilib
