// The markup parser: words, tags and attributes into a tree of chunks, without recursion.
#include <vector>

#include "guilib/GUIRect.h"
#include "guilib/GUIText.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"

using vela::lang::DInteger;
using vela::lang::DObjectPtr;
using vela::lang::DString;
using vela::lang::DStringPtr;

namespace guilib {

static void throwIndexError()
{
    vela::lang::throwException(vela::lang::StringIndexOutOfBoundsException);
}

// The first index of either unit at or after `from`, or -1; one pass, so that a text full
// of tags is not scanned to its end for each of them.
static int32_t indexOfEither(const DString& text, char16_t a, char16_t b, int32_t from)
{
    std::u16string_view units = text.view();
    for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < units.size(); ++i)
        if (units[i] == a || units[i] == b)
            return static_cast<int32_t>(i);
    return -1;
}

static bool equalsLiteral(const DStringPtr& s, const char16_t* literal)
{
    return s->equals(literal);
}

void GUIText::addWord(GUITextChunk& block, std::u16string& buffer)
{
    if (buffer.empty())
        return;
    GUITextChunkPtr word = new GUITextChunk(GUITextChunk::TYPE_WORD, 0);
    DStringPtr text = new DString(buffer.c_str(), static_cast<int32_t>(buffer.size()));
    // "&lt;" is the one character entity; every other ampersand stays as written.
    word->content = text->replace(new DString(u"&lt;"), new DString(u"<"));
    block.addChild(word);
    buffer.clear();
}

// The alignment value an "align" attribute names, or -1 for a value it does not know.
static int32_t alignValue(const DStringPtr& value, int32_t textAlignment)
{
    struct Row {
        const char16_t* name;
        int32_t align;
    };
    static const Row rows[] = {
        { u"right", ANCHOR_RIGHT }, { u"justify", ANCHOR_JUSTIFY }, { u"center", ANCHOR_HCENTER },
        { u"left", ANCHOR_LEFT },   { u"top", ANCHOR_TOP },         { u"bottom", ANCHOR_BOTTOM },
        { u"vcenter", ANCHOR_VCENTER } };
    if (equalsLiteral(value, u"default"))
        return textAlignment & (ANCHOR_HORIZONTAL | ANCHOR_VERTICAL);
    for (const Row& row : rows)
        if (equalsLiteral(value, row.name))
            return row.align;
    return -1;
}

void GUIText::parseAttributes(GUITextChunk& chunk, const DStringPtr& text, int32_t pos,
                              int32_t end)
{
    while (pos < end) {
        if (text->charAt(pos) == u' ') {
            ++pos;
            continue;
        }
        int32_t attributeEnd = indexOfEither(*text, u' ', u'>', pos);
        int32_t eq = text->indexOf(u'=', pos);
        if (eq < 0 || eq > attributeEnd)
            throwIndexError();
        DStringPtr name = text->substring(pos, eq)->toLowerCase();
        DStringPtr value = text->substring(eq + 1, attributeEnd);
        DStringPtr lower = value->toLowerCase();
        if (equalsLiteral(name, u"margin-left"))
            chunk.marginLeft = DInteger::parseInt(value);
        else if (equalsLiteral(name, u"margin-top"))
            chunk.marginTop = DInteger::parseInt(value);
        else if (equalsLiteral(name, u"margin-right"))
            chunk.marginRight = DInteger::parseInt(value);
        else if (equalsLiteral(name, u"margin-bottom"))
            chunk.marginBottom = DInteger::parseInt(value);
        else if (equalsLiteral(name, u"align")) {
            int32_t align = alignValue(lower, alignment);
            if (align >= 0)
                chunk.align = align;
            if (chunk.type == GUITextChunk::TYPE_IMAGE)
                chunk.type = GUITextChunk::TYPE_FLOAT_IMAGE;
            else if (chunk.type == GUITextChunk::TYPE_ANIMATION)
                chunk.type = GUITextChunk::TYPE_FLOAT_ANIMATION;
        }
        if (chunk.type == GUITextChunk::TYPE_FONT && equalsLiteral(name, u"face"))
            chunk.content = equalsLiteral(lower, u"default") ? nullptr : getToken(value);
        if (equalsLiteral(name, u"token")) {
            chunk.type = GUITextChunk::TYPE_WORD;
            DObjectPtr token = getToken(value);
            chunk.content = token ? token : DObjectPtr(value);
        } else if (chunk.type >= GUITextChunk::TYPE_ANIMATION
                   && chunk.type <= GUITextChunk::TYPE_FLOAT_IMAGE && equalsLiteral(name, u"src")) {
            chunk.content = getToken(value);
            if (!chunk.content) {
                chunk.type = GUITextChunk::TYPE_WORD;
                chunk.content = value;
            }
        }
        pos = attributeEnd;
    }
}

// Tags that make a chunk: name, chunk type, whether attributes are read, whether it is
// measured when made.
struct TagRow {
    const char16_t* name;
    int32_t type;
    bool attributes;
    bool measured;
};
static const TagRow tagTable[] = {
    { u"br", GUITextChunk::TYPE_BREAK, false, false },
    { u"align", GUITextChunk::TYPE_ALIGN, true, false },
    { u"valign", GUITextChunk::TYPE_VALIGN, true, false },
    { u"anim", GUITextChunk::TYPE_ANIMATION, true, true },
    { u"img", GUITextChunk::TYPE_IMAGE, true, true },
    { u"token", GUITextChunk::TYPE_WORD, true, false },
    { u"font", GUITextChunk::TYPE_FONT, true, false },
};

void GUIText::parse()
{
    root = nullptr;
    layoutWidth = -1;
    if (!markup)
        return;
    root = new GUITextChunk(GUITextChunk::TYPE_BLOCK, 0);
    const DStringPtr text = markup;
    const int32_t length = text->length();
    std::vector<GUITextChunk*> blocks{ root.get() };
    // Blocks opened beyond the depth bound: their closing tags are swallowed.
    int32_t phantoms = 0;
    std::u16string buffer;
    int32_t pos = 0;
    while (pos < length) {
        char16_t ch = text->charAt(pos);
        GUITextChunk& block = *blocks.back();
        if (ch == u' ' || ch == u'<' || ch == u'\n')
            addWord(block, buffer);
        if (newlineBreaks && ch == u'\n')
            block.addChild(new GUITextChunk(GUITextChunk::TYPE_BREAK, 0));
        if (ch != u'<') {
            if (ch != u' ' && ch != u'\n')
                buffer.push_back(ch);
            ++pos;
            continue;
        }
        int32_t nameEnd = indexOfEither(*text, u' ', u'>', pos + 1);
        if (nameEnd < 0)
            throwIndexError();
        int32_t close = text->charAt(nameEnd) == u'>' ? nameEnd : text->indexOf(u'>', nameEnd);
        // A tag that is never closed ends the text rather than being read again.
        if (close < 0)
            return;
        DStringPtr name = text->substring(pos + 1, nameEnd)->toLowerCase();
        pos = close + 1;
        if (name->length() > 0 && name->charAt(0) == u'/') {
            if (phantoms > 0)
                --phantoms;
            else if (blocks.size() > 1)
                blocks.pop_back();
            else
                return;
            continue;
        }
        if (equalsLiteral(name, u"p")) {
            if (static_cast<int32_t>(blocks.size()) >= MAX_BLOCK_DEPTH) {
                ++phantoms;
                continue;
            }
            GUITextChunkPtr inner = new GUITextChunk(GUITextChunk::TYPE_BLOCK, 0);
            parseAttributes(*inner, text, nameEnd, close);
            block.addChild(inner);
            blocks.push_back(inner.get());
            continue;
        }
        for (const TagRow& row : tagTable) {
            if (!equalsLiteral(name, row.name))
                continue;
            GUITextChunkPtr chunk = new GUITextChunk(row.type, 0);
            if (row.attributes)
                parseAttributes(*chunk, text, nameEnd, close);
            if (row.measured)
                measureChunk(*chunk);
            block.addChild(chunk);
            break;
        }
    }
    addWord(*blocks.back(), buffer);
}

} // namespace guilib
