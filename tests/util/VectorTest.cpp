// Tests of DVector: growth, removal, searches through equals, copies and enumeration.
#include <gtest/gtest.h>

#include <vector>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"
#include "util/DVector.h"

using namespace vela::lang;
using namespace vela::util;
using testing_support::Probe;

static DVectorPtr numbers(int count)
{
    DVectorPtr v = new DVector;
    for (int i = 0; i < count; ++i)
        v->addElement(new DInteger(i));
    return v;
}

static std::vector<int32_t> values(const DVectorPtr& v)
{
    std::vector<int32_t> result;
    for (int32_t i = 0; i < v->size(); ++i)
        result.push_back(ptrCast<DInteger>(v->elementAt(i))->intValue());
    return result;
}

TEST(Vector, GrowsByDoublingShiftsOnRemoveAndInsertAndChecksIndices)
{
    EXPECT_EQ(DVectorPtr(new DVector)->capacity(), 16);
    DVectorPtr v = numbers(17);
    EXPECT_EQ(v->capacity(), 32);
    EXPECT_EQ(values(v)[16], 16);
    v = numbers(5);
    v->removeElementAt(1);
    v->insertElementAt(new DInteger(9), 0);
    EXPECT_EQ(values(v), (std::vector<int32_t> { 9, 0, 2, 3, 4 }));
    EXPECT_THROWS_KIND(v->elementAt(-1), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->elementAt(5), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->removeElementAt(v->size()), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->insertElementAt(new DInteger(1), 6), ArrayIndexOutOfBoundsException);
    EXPECT_EQ(v->size(), 5);
}

TEST(Vector, RemovalsReleaseTheElements)
{
    int destroyed = 0;
    DVectorPtr v = new DVector;
    v->addElement(new Probe(&destroyed));
    v->removeElementAt(0);
    EXPECT_EQ(v->size(), 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_THROWS_KIND(v->elementAt(0), ArrayIndexOutOfBoundsException);
    for (int i = 0; i < 20; ++i)
        v->addElement(new Probe(&destroyed));
    v->removeAllElements();
    EXPECT_EQ(destroyed, 21);
    EXPECT_EQ(v->size(), 0);
    EXPECT_EQ(v->capacity(), 32);
}

TEST(Vector, SearchesUseTheStoredElementsEquals)
{
    DVectorPtr v = new DVector;
    v->addElement(new DString(u"a"));
    v->addElement(new DInteger(5));
    v->addElement(new DString(u"b"));
    EXPECT_EQ(v->indexOf(new DString(u"b")), 2);
    EXPECT_EQ(v->indexOf(new DInteger(5)), 1);
    EXPECT_EQ(v->indexOf(new DString(u"zz")), -1);
    EXPECT_TRUE(v->removeElement(new DString(u"a")));
    EXPECT_FALSE(v->removeElement(new DString(u"a")));
    EXPECT_EQ(v->size(), 2);
    DVectorPtr withNull = new DVector;
    withNull->addElement(nullptr);
    withNull->addElement(new DInteger(1));
    EXPECT_THROWS_KIND(withNull->removeElement(new DInteger(1)), NullPointerException);
    EXPECT_EQ(withNull->size(), 2);
}

TEST(Vector, CopyIntoCopiesTheShorterLength)
{
    DVectorPtr v = numbers(3);
    DObjectArrayPtr small = new DObjectArray(2), large = new DObjectArray(5);
    v->copyInto(small);
    v->copyInto(large);
    EXPECT_EQ(ptrCast<DInteger>(small[1])->intValue(), 1);
    EXPECT_EQ(ptrCast<DInteger>(large[2])->intValue(), 2);
    EXPECT_TRUE(large[3].isNull());
}

TEST(Vector, EnumerationSeesElementsInOrderAndKeepsTheVectorAlive)
{
    DEnumerationPtr e = numbers(3)->elements();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(e->hasMoreElements());
        EXPECT_EQ(ptrCast<DInteger>(e->nextElement())->intValue(), i);
    }
    EXPECT_FALSE(e->hasMoreElements());
    EXPECT_TRUE(e->nextElement().isNull());
}
