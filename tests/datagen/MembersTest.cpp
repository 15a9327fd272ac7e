// The archive member index: name hashes, clashes and names that would be found by mistake.
#include "Members.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

TEST(MemberNameHash, MultipliesBy31OverSignedBytes)
{
    EXPECT_EQ(memberNameHash(""), 0);
    EXPECT_EQ(memberNameHash("a"), 97);
    EXPECT_EQ(memberNameHash("ab"), 97 * 31 + 98);
    EXPECT_EQ(memberNameHash("\xC3"), -61) << "bytes above 127 count as negative";
    // Wraps in 32 bits rather than overflowing.
    EXPECT_EQ(memberNameHash("s24/img/Game.png"), memberNameHash("s24/img/Game.png"));
}

TEST(Members, ReportsNamesThatHashAlike)
{
    Members m;
    m.add("Aa", {1});
    m.add("b", {2});
    EXPECT_TRUE(m.hashClashes().empty());
    m.add("BB", {3});  // "Aa" and "BB" hash alike
    ASSERT_EQ(m.hashClashes().size(), 1u);
    EXPECT_EQ(m.hashClashes()[0], "Aa / BB");
    EXPECT_THROW(m.add("b", {4}), std::runtime_error);
}

