// Text sources, language files and resolution files.
#include "Generate.h"
#include "TextFit.h"
#include "TextRules.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

TEST(TextTable, NamesTheLineOfAFault)
{
    const std::pair<const char*, const char*> cases[] = {
        {"A=1\nno equals sign\n", "t:2"},
        {"=value\n", "t:1"},
        {"A=1\nB=bad \\q escape\n", "t:2"},
        {"A=ends with \\", "t:1"},
    };
    for (const auto& [source, where] : cases) {
        try {
            parseTextTable("t", source);
            ADD_FAILURE() << source;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
        }
    }
}

TEST(Markup, FindsWhatTheGameParserWouldTripOver)
{
    EXPECT_TRUE(markupFaults("Level <TOKEN TOKEN=%LEVEL_NUM%><BR>a &lt; b").empty());
    EXPECT_TRUE(markupFaults("<ANIM SRC=%ICON% ALIGN=LEFT MARGIN-RIGHT=4>text").empty());
    const char* const bad[] = {
        "2 < 3",                    // a bare "<" with no ">" after it
        "<BR/>",                    // not a line break: the slash joins the name
        "<IMAGE SRC=%LOGO%>",       // unknown tag
        "<FONT %FONT_MENU%>",       // attribute without "="
        "done</P> lost",            // a closing tag at the top ends the text
    };
    for (const char* text : bad)
        EXPECT_FALSE(markupFaults(text).empty()) << text;
}

TEST(Texts, WrappedLinesCountAsATextWidgetBreaksThem)
{
    auto oneEach = [](const std::u32string& s) { return int(s.size()); };  // every character 1 pixel
    const struct {
        const char* markup;
        int box, lines;
    } cases[] = {
        {"aaa bbb", 7, 1},
        {"aaa bbb", 6, 2},
        {"aaa  bbb", 7, 1},  // runs of spaces collapse
        {"a<BR>b", 10, 2},
        {"a<BR>", 10, 2},
        {"", 10, 1},
        {"<TOKEN TOKEN=%N%> apples", 9, 1},  // a token shows as two digits
        {"<TOKEN TOKEN=%N%> apples", 8, 2},
        {"<FONT FACE=DEFAULT>word<ANIM SRC=%ICON%>", 4, 1},  // other tags take no room
        {"averyveryverylongword", 5, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wrappedLines(c.markup, c.box, oneEach), c.lines) << c.markup << " in " << c.box;
}

TEST(LinkFile, HoldsTheVendorUrlOnlyWhenTheGameCanOpenIt)
{
    EXPECT_EQ(*linkTable("").find("VENDOR_URL"), "") << "no site: the about screen shows none";
    EXPECT_EQ(*linkTable("https://tintrow.example/").find("VENDOR_URL"), "https://tintrow.example/");
    for (const char* bad : {"tintrow.example", "ftp://tintrow.example", "https://a b", "https://a\nb"})
        EXPECT_THROW(linkTable(bad), std::runtime_error) << bad;
}

TEST(TextRules, CatchWhatAReaderWouldStumbleOver)
{
    const struct {
        const char* language;
        const char* source;
        bool clean;
    } cases[] = {
        {"fr", "A=Quitter~? Son~: «~oui~» 2~×~2\nU=https://a.example/x?y=1\nCTRL_ACTIONS=Haut;Bas\n", true},
        {"ru", "A=Выстройте в~ряд и~всё\n", true},
        {"en", "A=the game's tools\n", false},
        {"en", "A=a \"word\"\n", false},
        {"en", "A=2 × 2\n", false},
        {"fr", "A=Quitter ?\n", false},
        {"fr", "A=Son: coupé\n", false},
        {"fr", "A=«~oui »\n", false},
        {"ru", "A=Выстройте в ряд\n", false},
        {"en", "NEW_GAME=Again\nRESTART_LEVEL=Again\n", false},
        {"es", "CONTINUE=Continuar\nTERMINATE_CURRENT_GAME=Se pierde la partida. ¿Continuar?\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textRuleFaults(parseTextTable("t", c.source), c.language).empty(), c.clean) << c.source;
}

TEST(TextFit, RefusesTextsTheirBoxesCannotHold)
{
    const Profile& p = profiles().back();  // 176 x 220
    FontMeasure pixel{10, [](const std::u32string& s) { return int(s.size()) * 6; }};
    TextHeights heights{12, 10, 20, 40};
    auto faults = [&](const std::string& source, const std::string& url = "") {
        return textFitFaults(p, parseTextTable("t", source), pixel, pixel, heights, url).size();
    };
    EXPECT_EQ(faults("EXIT=Exit\nHELP_STR=Short words only\nMORE_GAME0=A short entry\n"), 0u);
    EXPECT_EQ(faults("EXIT=An exit label far too long for a plate\n"), 1u);
    EXPECT_EQ(faults("HELP_STR=Unbreakablewordwiderthanthehelptext\n"), 1u);
    EXPECT_EQ(faults("ABOUT_INFO=Site\n", "https://a-rather-long-address.example/"), 1u);
    EXPECT_EQ(faults("MORE_GAME0=An entry that goes on and on, over far more lines than its place holds\n"), 1u);
}
