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

static const std::string kMelody =
    "e5 - g5 . ~a5 - . . | c5 - - - - - - - | bb4 - f#4 - . . . . | c6 - - - - - . .";

TEST(Score, RejectsWhatCannotBeArranged)
{
    const std::pair<std::string, std::string> cases[] = {
        {"bad note", score("h5" + kMelody.substr(2))},
        {"short melody", score("e5 - - -")},
        {"missing section", score(kMelody) + "order A B\n"},
        {"bad drum", score(kMelody, "drums k..x............\n")},
        {"chord without root", "section A\nchords . C . C . C . C\nmelody " + kMelody + "\norder A\n"},
        {"unknown chord", "section A\nchords Cx . . . . . . .\nmelody " + kMelody + "\norder A\n"},
        {"note too high", score("c9" + kMelody.substr(2))},
        {"slow tempo", score(kMelody) + "tempo 20\n"},
        {"tempo a player cannot keep", score(kMelody, "tempo 104\n")},
    };
    for (const auto& [what, source] : cases)
        EXPECT_THROW(arrangeScore("t", source), std::exception) << what;
}
