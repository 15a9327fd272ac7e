// Tracker modules: periods, the file layout, what the player would not play and the timing of one pass.
#include "GameReaders.h"
#include "Module.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

TEST(NotePeriod, FollowsTheSevenOctaveTable)
{
    const std::pair<int, int> cases[] = {{0, 1712}, {12, 856}, {24, 428}, {25, 404}, {35, 226}, {36, 214}, {48, 107}};
    for (auto [index, period] : cases)
        EXPECT_EQ(notePeriod(index), period) << index;
    EXPECT_GE(notePeriod(83), 13);
    EXPECT_THROW(notePeriod(84), std::out_of_range);
}

static Module tiny(int tracks)
{
    Module m;
    m.title = "t";
    m.tracks = tracks;
    Instrument in;
    in.name = "square";
    in.data = {100, 100, -100, -100};
    in.volume = 40;
    in.loopLength = 4;
    m.instruments = {in};
    m.patterns.emplace_back(tracks);
    m.order = {0};
    return m;
}

TEST(ModuleFile, HasTheLayoutThePlayerReads)
{
    Module m = tiny(4);
    Note& n = m.patterns[0].at(0, 1);
    n.instrument = 17, n.period = 428, n.effect = 0xC, n.param = 40;
    m.instruments.resize(17, m.instruments[0]);
    Bytes b = encodeModule(m);
    EXPECT_EQ(std::string(b.begin() + 1080, b.begin() + 1084), "M.K.");
    EXPECT_EQ(b[950], 1);
    EXPECT_EQ(b[20 + 25], 40) << "instrument volume";
    EXPECT_EQ(b[20 + 29], 2) << "loop length in words";
    size_t cell = 1084 + 4;
    EXPECT_EQ((Bytes(b.begin() + long(cell), b.begin() + long(cell) + 4)), (Bytes{0x11, 0xAC, 0x1C, 40}));
    EXPECT_EQ(b.size(), 1084u + 64 * 4 * 4 + 17 * 4);
    Bytes eight = encodeModule(tiny(8));
    EXPECT_EQ(std::string(eight.begin() + 1080, eight.begin() + 1084), "8CHN");
}

TEST(ModuleFile, OnePassIsTimedLikeThePlayer)
{
    // The player stops a module that does not loop as its last row begins.
    auto rows = [](int n, int speed, int tempo) { return (n - 1) * speed / double(tempo); };
    Module m = tiny(4);
    EXPECT_NEAR(moduleSeconds(encodeModule(m)), rows(64, 6, 50), 0.001);
    m.patterns[0].at(0, 0).effect = 0xF, m.patterns[0].at(0, 0).param = 3;   // speed 3
    m.patterns[0].at(0, 1).effect = 0xF, m.patterns[0].at(0, 1).param = 100;  // 40 ticks a second
    EXPECT_NEAR(moduleSeconds(encodeModule(m)), rows(64, 3, 40), 0.001);
    m.patterns[0].at(15, 2).effect = 0xD;  // break after row 15 to the (missing) next order
    EXPECT_NEAR(moduleSeconds(encodeModule(m)), rows(16, 3, 40), 0.001);
}

TEST(ModuleFile, WhatThePlayerCannotPlayIsRejected)
{
    EXPECT_TRUE(moduleFaults(tiny(4)).empty());
    Bytes good = encodeModule(tiny(4));
    EXPECT_NO_THROW(moduleSeconds(good));
    Bytes flt = good;
    flt[1080] = 'F', flt[1081] = 'L', flt[1082] = 'T', flt[1083] = '4';
    EXPECT_THROW(moduleSeconds(flt), std::runtime_error);
    EXPECT_THROW(moduleSeconds(Bytes(good.begin(), good.end() - 1)), std::runtime_error);
    Module ignored = tiny(4);
    ignored.patterns[0].at(3, 0).effect = 8;
    EXPECT_FALSE(moduleFaults(ignored).empty());
    Module filter = tiny(4);
    filter.patterns[0].at(3, 0).effect = 0xE, filter.patterns[0].at(3, 0).param = 0x01;
    EXPECT_FALSE(moduleFaults(filter).empty());
    Module empty = tiny(4);
    empty.patterns[0].at(0, 0).instrument = 2;
    empty.instruments.push_back(Instrument{});
    EXPECT_FALSE(moduleFaults(empty).empty());
}
