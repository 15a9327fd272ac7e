// Markup text: parsing into chunks, line breaking, alignments, floats, tokens and painting.
#include <string>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIText.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

using namespace guilib;
using namespace guitest;
using namespace gamelib;
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
        { u"αα  ββ", 0, 100, oneLine, 10 },
        { u" αα\nββ \n", 0, 100, oneLine, 10 },
        // Tag and attribute names ignore case.
        { u"<ALIGN ALIGN=RIGHT>αα", 0, 100, { { u"αα", 90, 0, 10 } }, 10 },
        { u"<Align aLign=Right>αα", 0, 100, { { u"αα", 90, 0, 10 } }, 10 },
        { u"αα", 2, 100, { { u"αα", 45, 0, 10 } }, 10 },
        // Wrapping; an oversize word stands alone and still counts its line.
        { u"α δδδ α", 0, 20, { { u"α", 0, 0, 5 }, { u"δδδ", 0, 10, 33 }, { u"α", 0, 20, 5 } }, 30 },
        { u"α δδδ", 0, 20, { { u"α", 0, 0, 5 }, { u"δδδ", 0, 10, 33 } }, 20 },
        { u"αα αα αα", 0, 25, { { u"αα", 0, 0, 10 }, { u"αα", 15, 0, 10 }, { u"αα", 0, 10, 10 } },
            20 },
        // Justify: three 10-wide words in 45 leave 5 over two gaps, 2 each.
        { u"αα αα αα αα", 3, 45,
            { { u"αα", 0, 0, 10 }, { u"αα", 17, 0, 10 }, { u"αα", 34, 0, 10 },
                { u"αα", 0, 10, 10 } },
            20 },
        // A justified last line is followed, not overprinted.
        { u"αα ββ<VALIGN ALIGN=TOP>γ", 3, 100,
            { { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 }, { u"γ", 29, 0, 9 } }, 10 },
        // Breaks end lines; a trailing one adds no empty line; "<br/>" is another tag.
        { u"αα<BR>", 0, 100, { { u"αα", 0, 0, 10 } }, 10 },
        { u"αα<br>ββ", 0, 100, twoLines, 20 },
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

TEST_F(GUITextTest, PicturesComeFromTokensAndTakeTheirMarginsOrShowTheirName)
{
    engine().putToken(new DString(u"%PIC%"), solidImage(20, 16, 0xFF0000));
    engine().putToken(new DString(u"%ANIM%"), new GUIAnimation(testSprites(2), 0, true));
    GUITextPtr t = text(u"<VALIGN ALIGN=VCENTER><img src=%pic% margin-left=2 margin-bottom=4>"
                        u"α<ANIM SRC=%ANIM%>");
    EXPECT_EQ(layout(t, 200), (Lines { { u"", 0, 0, 22 }, { u"α", 27, 5, 5 }, { u"", 37, 6, 9 } }));
    EXPECT_EQ(height, 20);
    t = text(u"<VALIGN ALIGN=VCENTER><ANIM SRC=%FLAG%> English");
    EXPECT_EQ(words(t, 200), u"%FLAG%|English");
    EXPECT_EQ(t->placedChunks()[0].chunk->type, GUITextChunk::TYPE_WORD);
}

TEST_F(GUITextTest, FloatsNarrowTheLinesBesideThem)
{
    engine().putToken(new DString(u"%PIC%"), solidImage(20, 15, 0xFF0000));
    EXPECT_EQ(layout(text(u"<IMG SRC=%PIC% ALIGN=LEFT>αα αα αα αα ββ"), 50),
        (Lines { { u"", 0, 0, 20 }, { u"αα", 20, 0, 10 }, { u"αα", 35, 0, 10 },
            { u"αα", 20, 10, 10 }, { u"αα", 35, 10, 10 }, { u"ββ", 0, 20, 14 } }));
}

TEST_F(GUITextTest, FontTagsSwitchFontsAndDefaultReturnsToTheTextFont)
{
    ImageFontPtr big = testFont(20);
    engine().putToken(new DString(u"%BIG%"), big);
    GUITextPtr t = text(u"α <FONT FACE=%BIG%>β <FONT FACE=default>γ");
    layout(t, 100);
    std::vector<GUIPlacedChunk> chunks = t->placedChunks();
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].chunk->wordFont, engine().defaultFont);
    EXPECT_EQ(chunks[1].chunk->wordFont, big);
    EXPECT_EQ(chunks[2].chunk->wordFont, engine().defaultFont);
    EXPECT_EQ(height, 20) << "the line is as high as its highest word";
}

TEST_F(GUITextTest, TokensOfTheTextComeBeforeTheEngineAndOnlyLessThanIsAnEntity)
{
    engine().putToken(new DString(u"%N%"), new DString(u"ββ"));
    GUITextPtr t = text(u"<TOKEN TOKEN=%n%> <img token=%missing%>");
    EXPECT_EQ(words(t), u"ββ|%missing%");
    t->putToken(new DString(u"%N%"), new DString(u"γ"));
    EXPECT_EQ(words(t), u"γ|%missing%");
    t->putToken(new DString(u"%n%"), nullptr);
    EXPECT_EQ(words(t), u"ββ|%missing%");
    engine().putToken(new DString(u"%n%"), nullptr);
    EXPECT_EQ(engine().getToken(new DString(u"%N%")), nullptr) << "engine tokens ignore case too";
    EXPECT_EQ(words(text(u"a&lt;b &gt; &amp;lt;")), u"a<b|&gt;|&amp;lt;");
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

TEST_F(GUITextTest, PaintPlacesTheTextInItsBoxByVerticalAlignment)
{
    struct Case {
        int32_t alignment, top;
    };
    for (const Case& c : { Case { 0, 0 }, Case { 4, 40 }, Case { 8, 20 }, Case { 10, 20 } }) {
        DImagePtr target = solidImage(100, 50, 0);
        text(u"α", c.alignment)->paint(target->getGraphics(), 0, 0, 100, 50);
        int32_t x = (c.alignment & 3) == 2 ? 47 : 0;
        EXPECT_EQ(pixelAt(target, x, c.top), BLUE565) << c.alignment;
        EXPECT_EQ(pixelAt(target, x, c.top + 9), BLUE565) << c.alignment;
        EXPECT_EQ(countPixels(target, BLUE565), 4 * 10) << c.alignment;
    }
}

TEST_F(GUITextTest, WidgetDrawsItsTextInTheLooksTextRectangleAndSizesItsContent)
{
    DImagePtr target = solidImage(64, 64, 0);
    GUIWidgetPtr w = makeWidget(1, 10, 10, 40, 40);
    w->setLook(8, testSprites(1), 0, true, 0, 0); // rectangle 1 at (2, 3), 4 x 5
    w->setTextRectId(1);
    w->setMarkup(new DString(u"α"));
    w->selectLooks(false);
    w->paintText(target->getGraphics(), 10, 10, 40, 40);
    EXPECT_EQ(pixelAt(target, 12, 13), BLUE565);
    EXPECT_EQ(countPixels(target, BLUE565), 4 * 5) << "clipped to the text rectangle";
    GUIWidgetPtr wrapped = makeWidget(2, 0, 0, 25, 15);
    wrapped->setMarkup(new DString(u"αα αα αα αα"));
    wrapped->computeContentRect();
    EXPECT_EQ(wrapped->getContentRect().height, 20);
    wrapped->setTextKey(nullptr);
    EXPECT_EQ(wrapped->getText(), nullptr);
}

} // namespace
