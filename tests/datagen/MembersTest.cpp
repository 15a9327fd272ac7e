// The archive member index: clashes and names that would be found by mistake.
#include "Members.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

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

