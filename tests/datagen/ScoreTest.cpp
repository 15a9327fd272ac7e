// Score arrangement: scores that cannot be arranged or played are refused.
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
