// Markup text: parsing into chunks, line breaking and alignments, and broken markup.
#include <string>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIText.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

using namespace gamelib;
using namespace guilib;
using namespace guitest;
using vela::lang::DExceptionBase;
using vela::lang::DString;
using vela::lang::DStringPtr;

namespace {

// What a placed chunk shows and where: the word ("" for pictures), x, y, width.
struct Placed {
    std::u16string word;
    int32_t x, y, w;
    bool operator==(const Placed& o) const
    {
        return word == o.word && x == o.x && y == o.y && w == o.w;
    }
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << DString(p.word.c_str()).toUtf8() << "@" << p.x << "," << p.y << "/" << p.w;
}

using Lines = std::vector<Placed>;

// The test font's advances: α 5, β 7, γ 9, δ 11, space 5; lines are 10 high.
class GUITextTest : public GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        engine().defaultFont = testFont();
    }

    GUITextPtr text(const std::u16string& markup, int32_t alignment = 0, bool newlines = false)
    {
        GUITextPtr t = new GUIText();
        t->setAlignment(alignment);
        t->setNewlineBreaks(newlines);
        t->setMarkup(new DString(markup.c_str()));
        return t;
    }

    Lines layout(const GUITextPtr& t, int32_t width)
    {
        height = t->getHeight(width);
        Lines out;
        for (const GUIPlacedChunk& p : t->placedChunks()) {
            DStringPtr word = p.chunk->getWord();
            out.push_back({ word ? std::u16string(word->view()) : u"", p.x, p.y, p.chunk->width });
        }
        return out;
    }

    // The words alone, joined by "|".
    std::u16string words(const GUITextPtr& t, int32_t width = 100)
    {
        std::u16string joined;
        for (const Placed& p : layout(t, width))
            joined += (joined.empty() ? u"" : u"|") + p.word;
        return joined;
    }

    int32_t height = 0;
};

TEST_F(GUITextTest, LayoutsPlaceWordsByPosition)
{
    struct Case {
        const char16_t* markup;
        int32_t alignment, width;
        Lines placed;
        int32_t height;
    };
    const Lines oneLine = { { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 } };
    const Lines twoLines = { { u"αα", 0, 0, 10 }, { u"ββ", 0, 10, 14 } };
    const Case cases[] = {
        // Spaces and newlines only separate words.
        { u" αα\nββ \n", 0, 100, oneLine, 10 },
        // Tag and attribute names ignore case.
        { u"<Align aLign=Right>αα", 0, 100, { { u"αα", 90, 0, 10 } }, 10 },
        { u"αα", 2, 100, { { u"αα", 45, 0, 10 } }, 10 },
        // An oversize word stands alone and still counts its line.
        { u"α δδδ α", 0, 20, { { u"α", 0, 0, 5 }, { u"δδδ", 0, 10, 33 }, { u"α", 0, 20, 5 } }, 30 },
        // Justify: three 10-wide words in 45 leave 5 over two gaps, 2 each.
        { u"αα αα αα αα", 3, 45,
            { { u"αα", 0, 0, 10 }, { u"αα", 17, 0, 10 }, { u"αα", 34, 0, 10 },
                { u"αα", 0, 10, 10 } },
            20 },
        // A justified last line is followed, not overprinted.
        { u"αα ββ<VALIGN ALIGN=TOP>γ", 3, 100,
            { { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 }, { u"γ", 29, 0, 9 } }, 10 },
        // A trailing break adds no empty line; "<br/>" is another tag.
        { u"αα<BR>", 0, 100, { { u"αα", 0, 0, 10 } }, 10 },
        { u"αα<br/>ββ", 0, 100, oneLine, 10 },
        // Runs after an alignment switch continue on the same line.
        { u"αα<ALIGN ALIGN=RIGHT>ββ γ<ALIGN ALIGN=LEFT>δ", 0, 100,
            { { u"αα", 0, 0, 10 }, { u"ββ", 72, 0, 14 }, { u"γ", 91, 0, 9 }, { u"δ", 10, 0, 11 } },
            10 },
        // Nested blocks start on their own lines; an empty block still takes its line.
        { u"α<P>β</P>γ", 0, 100, { { u"α", 0, 0, 5 }, { u"β", 0, 10, 7 }, { u"γ", 0, 20, 9 } },
            30 },
        { u"α<P></P>γ", 0, 100, { { u"α", 0, 0, 5 }, { u"γ", 0, 20, 9 } }, 30 },
        { u"<P></P>", 0, 100, {}, 30 },
        // A closing tag at the top ends the text; unknown tags are skipped.
        { u"α</p>β", 0, 100, { { u"α", 0, 0, 5 } }, 10 },
        { u"α <unknown x=1>β", 0, 100, { { u"α", 0, 0, 5 }, { u"β", 10, 0, 7 } }, 10 },
    };
    for (const Case& c : cases) {
        const std::string name = DString(c.markup).toUtf8();
        EXPECT_EQ(layout(text(c.markup, c.alignment), c.width), c.placed) << name;
        EXPECT_EQ(height, c.height) << name;
    }
    EXPECT_EQ(layout(text(u"αα\nββ", 0, true), 100), twoLines) << "newlines as breaks";
    EXPECT_EQ(height, 20);
}

TEST_F(GUITextTest, BrokenMarkupThrowsOrStopsWithoutLooping)
{
    struct Case {
        const char16_t* markup;
        vela::lang::DExceptionKind failure; // or 0: the text shows `shown`
        const char16_t* shown;
    };
    std::u16string open, close;
    for (int i = 0; i < 5000; ++i) {
        open += u"<p>";
        close += u"</p>";
    }
    const std::u16string deep = open + u"α" + close + u"β";
    const Case cases[] = {
        { u"α <β", vela::lang::IndexOutOfBoundsException, nullptr }, // nothing after "<"
        { u"α <img src=x", {}, u"α" }, // never closed: stops
        { u"α <img src>", vela::lang::IndexOutOfBoundsException, nullptr }, // no "="
        { u"α <img a src=x>", vela::lang::IndexOutOfBoundsException, nullptr }, // "=" beyond
        { u"α <p margin-left=x>β", vela::lang::NumberFormatException, nullptr },
        // Nesting is bounded; closing tags of unopened blocks are absorbed.
        { deep.c_str(), {}, u"α|β" },
    };
    for (const Case& c : cases) {
        const std::string name = DString(c.markup).toUtf8().substr(0, 30);
        try {
            EXPECT_EQ(words(text(c.markup)), c.shown ? c.shown : u"(throws)") << name;
        } catch (DExceptionBase* e) {
            EXPECT_TRUE(c.failure && DExceptionBase::isKind(e, c.failure)) << name;
            delete e;
        }
    }
    engine().defaultFont = nullptr;
    EXPECT_EQ(text(u"")->getHeight(100), 0);
    EXPECT_EQ(GUITextPtr(new GUIText())->getHeight(100), 0);
    try {
        text(u"α")->getHeight(100);
        ADD_FAILURE() << "no font at all must fail";
    } catch (DExceptionBase* e) {
        EXPECT_TRUE(DExceptionBase::isKind(e, vela::lang::NullPointerException));
        delete e;
    }
}

} // namespace
