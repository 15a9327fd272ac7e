// Score arrangement: notes land where the score puts them, and bad scores are refused.
#include "Instruments.h"
#include "Score.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

static std::string score(const std::string& melody, const std::string& extra = "")
{
    return "channels 4\ntempo 100\nspeed 6\nlead flute\nbass long\ndrums k.......s.......\n" + extra +
           "section A\nchords C . Am . F . G7 .\nmelody " + melody + "\norder A A\n";
}

static const std::string MELODY =
    "e5 - g5 . ~a5 - . . | c5 - - - - - - - | bb4 - f#4 - . . . . | c6 - - - - - . .";

TEST(Score, PlacesMelodyDrumsAndTempo)
{
    Module m = arrangeScore("t", score(MELODY));
    ASSERT_EQ(m.patterns.size(), 1u);
    EXPECT_EQ(m.order, (std::vector<int>{0, 0}));
    const Pattern& p = m.patterns[0];
    EXPECT_EQ(p.at(0, 0).period, notePeriod(tableIndex(FLUTE, 76)));  // e5
    EXPECT_EQ(p.at(0, 0).instrument, FLUTE);
    EXPECT_EQ(p.at(2, 0).effect, 4) << "a held flute note gets vibrato";
    EXPECT_EQ(p.at(6, 0).effect, 0xC) << "a rest silences the note";
    EXPECT_EQ(p.at(6, 0).param, 0);
    EXPECT_EQ(p.at(8, 0).effect, 0) << "a glide after a rest starts a plain note";
    EXPECT_EQ(p.at(32, 0).period, notePeriod(tableIndex(FLUTE, 70)));  // b flat 4
    EXPECT_EQ(p.at(36, 0).period, notePeriod(tableIndex(FLUTE, 66)));  // f sharp 4
    for (int row : {0, 16, 32, 48})
        EXPECT_EQ(p.at(row, 3).instrument, KICK) << row;
    EXPECT_EQ(p.at(8, 3).instrument, SNARE);
    EXPECT_EQ(p.at(0, 3).effect, 0xF);
    EXPECT_EQ(p.at(0, 3).param, 6);
    EXPECT_EQ(p.at(1, 3).param, 100);
}

TEST(Score, AGlideFollowsASoundingNote)
{
    Module m = arrangeScore("t", score("e5 ~g5 - - - - . . " + MELODY.substr(MELODY.find('|'))));
    EXPECT_EQ(m.patterns[0].at(2, 0).effect, 3);
    EXPECT_EQ(m.patterns[0].at(4, 0).effect, 3) << "held rows keep gliding";
}

TEST(Score, RejectsWhatCannotBeArranged)
{
    const std::pair<std::string, std::string> cases[] = {
        {"bad note", score("h5" + MELODY.substr(2))},
        {"short melody", score("e5 - - -")},
        {"missing section", score(MELODY) + "order A B\n"},
        {"bad drum", score(MELODY, "drums k..x............\n")},
        {"chord without root", "section A\nchords . C . C . C . C\nmelody " + MELODY + "\norder A\n"},
        {"unknown chord", "section A\nchords Cx . . . . . . .\nmelody " + MELODY + "\norder A\n"},
        {"note too high", score("c9" + MELODY.substr(2))},
        {"slow tempo", score(MELODY) + "tempo 20\n"},
        {"tempo a player cannot keep", score(MELODY, "tempo 104\n")},
    };
    for (const auto& [what, source] : cases)
        EXPECT_THROW(arrangeScore("t", source), std::exception) << what;
}
