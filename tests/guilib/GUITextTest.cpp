// Markup text: parsing into chunks, line breaking, alignments, floats, tokens and painting.
#include <string>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIText.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

using namespace gamelib;
using namespace guitest;
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

// The test font's advances: α 5, β 7, γ 9, δ 11, space 5; lines are 10 high.
class GUITextTest : public GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        engine().defaultFont = testFont();
    }

    GUITextPtr text(const char16_t* markup, int32_t alignment = 0, bool newlines = false)
    {
        GUITextPtr t = new GUIText();
        t->setAlignment(alignment);
        t->setNewlineBreaks(newlines);
        t->setMarkup(new DString(markup));
        return t;
    }

    std::vector<Placed> layout(const GUITextPtr& t, int32_t width)
    {
        height = t->getHeight(width);
        std::vector<Placed> out;
        for (const GUIPlacedChunk& p : t->placedChunks()) {
            DStringPtr word = p.chunk->getWord();
            out.push_back({ word ? std::u16string(word->view()) : u"", p.x, p.y,
                            p.chunk->width });
        }
        return out;
    }

    int32_t height = 0;
};

using Lines = std::vector<Placed>;

TEST_F(GUITextTest, SpacesAndNewlinesOnlySeparateWords)
{
    const Lines oneLine = { { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 } };
    EXPECT_EQ(layout(text(u"αα  ββ"), 100), oneLine);
    EXPECT_EQ(layout(text(u" αα\nββ \n"), 100), oneLine);
    EXPECT_EQ(height, 10);
    EXPECT_EQ(layout(text(u"αα\nββ", 0, true), 100),
              (Lines{ { u"αα", 0, 0, 10 }, { u"ββ", 0, 10, 14 } }));
    EXPECT_EQ(height, 20);
}

TEST_F(GUITextTest, OnlyTheLessThanEntityIsReplaced)
{
    Lines words = layout(text(u"a&lt;b &gt; &amp;lt;"), 100);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].word, u"a<b");
    EXPECT_EQ(words[1].word, u"&gt;");
    EXPECT_EQ(words[2].word, u"&amp;lt;");
}

TEST_F(GUITextTest, TagsAndAttributeNamesIgnoreCase)
{
    const Lines right = { { u"αα", 90, 0, 10 } };
    EXPECT_EQ(layout(text(u"<ALIGN ALIGN=RIGHT>αα"), 100), right);
    EXPECT_EQ(layout(text(u"<align align=right>αα"), 100), right);
    EXPECT_EQ(layout(text(u"<Align aLign=Right>αα"), 100), right);
    EXPECT_EQ(layout(text(u"αα", 2), 100), (Lines{ { u"αα", 45, 0, 10 } }));
}

TEST_F(GUITextTest, WordsWrapAndAnOversizeWordStandsAlone)
{
    EXPECT_EQ(layout(text(u"α δδδ α"), 20),
              (Lines{ { u"α", 0, 0, 5 }, { u"δδδ", 0, 10, 33 }, { u"α", 0, 20, 5 } }));
    EXPECT_EQ(height, 30);
    layout(text(u"α δδδ"), 20);
    EXPECT_EQ(height, 20) << "an oversize last word still counts its line";
    EXPECT_EQ(layout(text(u"αα αα αα"), 25),
              (Lines{ { u"αα", 0, 0, 10 }, { u"αα", 15, 0, 10 }, { u"αα", 0, 10, 10 } }));
}

TEST_F(GUITextTest, JustifySpreadsTheLeftoverOverTheGapsOfWrappedLines)
{
    // 45 wide: three 10-wide words leave 5 over two gaps, 2 each by integer division.
    EXPECT_EQ(layout(text(u"αα αα αα αα", 3), 45),
              (Lines{ { u"αα", 0, 0, 10 },
                      { u"αα", 17, 0, 10 },
                      { u"αα", 34, 0, 10 },
                      { u"αα", 0, 10, 10 } }));
}

TEST_F(GUITextTest, AJustifiedLastLineIsFollowedNotOverprinted)
{
    EXPECT_EQ(layout(text(u"αα ββ<VALIGN ALIGN=TOP>γ", 3), 100),
              (Lines{ { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 }, { u"γ", 29, 0, 9 } }));
}

TEST_F(GUITextTest, BreaksEndLinesAndATrailingBreakAddsNoEmptyLine)
{
    layout(text(u"αα<BR>"), 100);
    EXPECT_EQ(height, 10);
    EXPECT_EQ(layout(text(u"αα<br>ββ"), 100),
              (Lines{ { u"αα", 0, 0, 10 }, { u"ββ", 0, 10, 14 } }));
    EXPECT_EQ(height, 20);
    EXPECT_EQ(layout(text(u"αα<br/>ββ"), 100),
              (Lines{ { u"αα", 0, 0, 10 }, { u"ββ", 15, 0, 14 } }))
        << "a slash makes another tag name";
}

TEST_F(GUITextTest, RunsAfterAlignContinueOnTheSameLine)
{
    EXPECT_EQ(layout(text(u"αα<ALIGN ALIGN=RIGHT>ββ γ<ALIGN ALIGN=LEFT>δ"), 100),
              (Lines{ { u"αα", 0, 0, 10 },
                      { u"ββ", 72, 0, 14 },
                      { u"γ", 91, 0, 9 },
                      { u"δ", 10, 0, 11 } }));
    EXPECT_EQ(height, 10);
}

TEST_F(GUITextTest, UnknownPictureSourcesShowTheirNameAsAWord)
{
    GUITextPtr t = text(u"<VALIGN ALIGN=VCENTER><ANIM SRC=%FLAG%> English");
    Lines words = layout(t, 200);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].word, u"%FLAG%");
    EXPECT_EQ(t->placedChunks()[0].chunk->type, GUITextChunk::TYPE_WORD);
    EXPECT_EQ(words[1].word, u"English");
}

TEST_F(GUITextTest, PicturesComeFromTokensAndTakeTheirMargins)
{
    engine().putToken(new DString(u"%PIC%"), solidImage(20, 16, 0xFF0000));
    engine().putToken(new DString(u"%ANIM%"), new GUIAnimation(testSprites(2), 0, true));
    GUITextPtr t = text(u"<VALIGN ALIGN=VCENTER><img src=%pic% margin-left=2 margin-bottom=4>"
                        u"α<ANIM SRC=%ANIM%>");
    EXPECT_EQ(layout(t, 200),
              (Lines{ { u"", 0, 0, 22 }, { u"α", 27, 5, 5 }, { u"", 37, 6, 9 } }));
    EXPECT_EQ(height, 20);
}

TEST_F(GUITextTest, FloatsNarrowTheLinesBesideThem)
{
    engine().putToken(new DString(u"%PIC%"), solidImage(20, 15, 0xFF0000));
    EXPECT_EQ(layout(text(u"<IMG SRC=%PIC% ALIGN=LEFT>αα αα αα αα ββ"), 50),
              (Lines{ { u"", 0, 0, 20 },
                      { u"αα", 20, 0, 10 },
                      { u"αα", 35, 0, 10 },
                      { u"αα", 20, 10, 10 },
                      { u"αα", 35, 10, 10 },
                      { u"ββ", 0, 20, 14 } }));
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

TEST_F(GUITextTest, TokensOfTheTextComeBeforeTheEngineAndReparse)
{
    engine().putToken(new DString(u"%N%"), new DString(u"ββ"));
    GUITextPtr t = text(u"<TOKEN TOKEN=%n%> <img token=%missing%>");
    Lines words = layout(t, 100);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].word, u"ββ");
    EXPECT_EQ(words[1].word, u"%missing%");
    t->putToken(new DString(u"%N%"), new DString(u"γ"));
    EXPECT_EQ(layout(t, 100)[0].word, u"γ");
    t->putToken(new DString(u"%n%"), nullptr);
    EXPECT_EQ(layout(t, 100)[0].word, u"ββ");
}

TEST_F(GUITextTest, NestedBlocksStartOnTheirOwnLines)
{
    EXPECT_EQ(layout(text(u"α<P>β</P>γ"), 100),
              (Lines{ { u"α", 0, 0, 5 }, { u"β", 0, 10, 7 }, { u"γ", 0, 20, 9 } }));
    EXPECT_EQ(height, 30);
    // An empty block still takes the line it opens; only a wholly empty text has no height.
    EXPECT_EQ(layout(text(u"α<P></P>γ"), 100), (Lines{ { u"α", 0, 0, 5 }, { u"γ", 0, 20, 9 } }));
    EXPECT_EQ(height, 30);
    EXPECT_EQ(text(u"<P></P>")->getHeight(100), 30);
}

TEST_F(GUITextTest, ClosingTagAtTheTopEndsTheText)
{
    EXPECT_EQ(layout(text(u"α</p>β"), 100), (Lines{ { u"α", 0, 0, 5 } }));
    EXPECT_EQ(layout(text(u"α <unknown x=1>β"), 100),
              (Lines{ { u"α", 0, 0, 5 }, { u"β", 10, 0, 7 } }));
}

TEST_F(GUITextTest, BrokenTagsThrowOrStopWithoutLooping)
{
    struct Case {
        const char16_t* markup;
        bool throws;
        size_t words;
    };
    const Case cases[] = {
        { u"α <β", true, 0 },                 // no space or ">" after "<"
        { u"α <img src=x", false, 1 },        // never closed: the text stops there
        { u"α <img src>", true, 0 },          // attribute without "="
        { u"α <img a src=x>", true, 0 },      // "=" beyond the attribute
        { u"α <p margin-left=x>β", true, 0 },  // a margin that is no number
    };
    for (const Case& c : cases) {
        GUITextPtr t = text(c.markup);
        bool threw = false;
        try {
            layout(t, 100);
        } catch (vela::lang::DExceptionBase* e) {
            threw = vela::lang::DExceptionBase::isKind(e, vela::lang::IndexOutOfBoundsException)
                || vela::lang::DExceptionBase::isKind(e, vela::lang::NumberFormatException);
            delete e;
        }
        EXPECT_EQ(threw, c.throws) << DString(c.markup).toUtf8();
        if (!c.throws) {
            EXPECT_EQ(t->placedChunks().size(), c.words) << DString(c.markup).toUtf8();
        }
    }
}

TEST_F(GUITextTest, DeeplyNestedBlocksAreBoundedAndTheTextStillShows)
{
    std::u16string markup;
    for (int i = 0; i < 5000; ++i)
        markup += u"<p>";
    markup += u"α";
    for (int i = 0; i < 5000; ++i)
        markup += u"</p>";
    markup += u"β";
    GUITextPtr t = text(markup.c_str());
    Lines words = layout(t, 100);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].word, u"α");
    EXPECT_EQ(words[1].word, u"β") << "closing tags of unopened blocks are absorbed";
}

TEST_F(GUITextTest, NoFontAtAllIsANullPointerFailure)
{
    engine().defaultFont = nullptr;
    GUITextPtr t = text(u"α");
    bool threw = false;
    try {
        t->getHeight(100);
    } catch (vela::lang::DExceptionBase* e) {
        threw = vela::lang::DExceptionBase::isKind(e, vela::lang::NullPointerException);
        delete e;
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(text(u"")->getHeight(100), 0);
    GUITextPtr none = new GUIText();
    EXPECT_EQ(none->getHeight(100), 0);
}

TEST_F(GUITextTest, PaintPlacesTheTextInItsBoxByVerticalAlignment)
{
    struct Case {
        int32_t alignment;
        int32_t top;
    };
    for (const Case& c : { Case{ 0, 0 }, Case{ 4, 40 }, Case{ 8, 20 }, Case{ 10, 20 } }) {
        DImagePtr target = solidImage(100, 50, 0);
        DGraphicsPtr g = target->getGraphics();
        text(u"α", c.alignment)->paint(g, 0, 0, 100, 50);
        int32_t x = (c.alignment & 3) == 2 ? 47 : 0;
        EXPECT_EQ(pixelAt(target, x, c.top), BLUE565) << c.alignment;
        EXPECT_EQ(pixelAt(target, x, c.top + 9), BLUE565) << c.alignment;
        EXPECT_EQ(countPixels(target, BLUE565), 4 * 10) << c.alignment;
    }
}

TEST_F(GUITextTest, WidgetDrawsItsTextInTheLooksTextRectangleClipped)
{
    DImagePtr target = solidImage(64, 64, 0);
    GUIWidgetPtr w = makeWidget(1, 10, 10, 40, 40);
    w->setLook(8, testSprites(1), 0, true, 0, 0);  // rectangle 1 at (2, 3), 4 x 5
    w->setTextRectId(1);
    w->setMarkup(new DString(u"α"));
    w->selectLooks(false);
    w->paintText(target->getGraphics(), 10, 10, 40, 40);
    EXPECT_EQ(pixelAt(target, 12, 13), BLUE565);
    EXPECT_EQ(countPixels(target, BLUE565), 4 * 5) << "clipped to the text rectangle";
}

TEST_F(GUITextTest, WidgetContentHeightFollowsItsText)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 25, 15);
    w->setMarkup(new DString(u"αα αα αα αα"));
    w->computeContentRect();
    EXPECT_EQ(w->getContentRect().height, 20);
    w->setTextKey(nullptr);
    EXPECT_EQ(w->getText(), nullptr);
}

} // namespace
