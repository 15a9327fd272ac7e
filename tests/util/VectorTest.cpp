// Tests of DVector: growth, removal, searches through equals, copies and enumeration.
#include <gtest/gtest.h>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"
#include "util/DVector.h"

using namespace vela::lang;
using namespace vela::util;
using testing_support::Probe;

static DObjectPtr number(int32_t value)
{
    return new DInteger(value);
}

static int32_t valueAt(const DVectorPtr& v, int32_t index)
{
    return ptrCast<DInteger>(v->elementAt(index))->intValue();
}

TEST(Vector, GrowsByDoublingAndKeepsOrder)
{
    DVectorPtr v = new DVector;
    EXPECT_EQ(v->capacity(), 16);
    for (int i = 0; i < 17; ++i)
        v->addElement(number(i));
    EXPECT_EQ(v->size(), 17);
    EXPECT_EQ(v->capacity(), 32);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(valueAt(v, i), i);
}

TEST(Vector, IndexChecks)
{
    DVectorPtr v = new DVector;
    v->addElement(number(7));
    EXPECT_THROWS_KIND(v->elementAt(-1), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->elementAt(1), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->removeElementAt(v->size()), ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(v->insertElementAt(number(1), 2), ArrayIndexOutOfBoundsException);
    EXPECT_EQ(v->size(), 1);
}

TEST(Vector, RemovingTheOnlyElementLeavesAnEmptyVectorAndFreesIt)
{
    int destroyed = 0;
    DVectorPtr v = new DVector;
    v->addElement(new Probe(&destroyed));
    v->removeElementAt(0);
    EXPECT_EQ(v->size(), 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_THROWS_KIND(v->elementAt(0), ArrayIndexOutOfBoundsException);
}

TEST(Vector, RemoveElementAtShiftsDown)
{
    DVectorPtr v = new DVector;
    for (int i = 0; i < 5; ++i)
        v->addElement(number(i));
    v->removeElementAt(1);
    ASSERT_EQ(v->size(), 4);
    EXPECT_EQ(valueAt(v, 0), 0);
    EXPECT_EQ(valueAt(v, 1), 2);
    EXPECT_EQ(valueAt(v, 3), 4);
    v->insertElementAt(number(9), 0);
    EXPECT_EQ(valueAt(v, 0), 9);
    EXPECT_EQ(valueAt(v, 1), 0);
}

TEST(Vector, SearchesUseTheStoredElementsEquals)
{
    DVectorPtr v = new DVector;
    v->addElement(new DString(u"a"));
    v->addElement(number(5));
    v->addElement(new DString(u"b"));
    EXPECT_EQ(v->indexOf(new DString(u"b")), 2);
    EXPECT_EQ(v->indexOf(number(5)), 1);
    EXPECT_EQ(v->indexOf(new DString(u"zz")), -1);
    EXPECT_TRUE(v->removeElement(new DString(u"a")));
    EXPECT_FALSE(v->removeElement(new DString(u"a")));
    EXPECT_EQ(v->size(), 2);
}

TEST(Vector, NullElementOnTheWayThrows)
{
    DVectorPtr v = new DVector;
    v->addElement(nullptr);
    v->addElement(number(1));
    EXPECT_THROWS_KIND(v->removeElement(number(1)), NullPointerException);
    EXPECT_EQ(v->size(), 2);
}

TEST(Vector, RemoveAllReleasesEverythingAndKeepsCapacity)
{
    int destroyed = 0;
    DVectorPtr v = new DVector;
    for (int i = 0; i < 20; ++i)
        v->addElement(new Probe(&destroyed));
    v->removeAllElements();
    EXPECT_EQ(destroyed, 20);
    EXPECT_EQ(v->size(), 0);
    EXPECT_EQ(v->capacity(), 32);
}

TEST(Vector, CopyIntoCopiesTheShorterLength)
{
    DVectorPtr v = new DVector;
    for (int i = 0; i < 3; ++i)
        v->addElement(number(i));
    DObjectArrayPtr small = new DObjectArray(2);
    v->copyInto(small);
    EXPECT_EQ(ptrCast<DInteger>(small[1])->intValue(), 1);
    DObjectArrayPtr large = new DObjectArray(5);
    v->copyInto(large);
    EXPECT_EQ(ptrCast<DInteger>(large[2])->intValue(), 2);
    EXPECT_TRUE(large[3].isNull());
}

TEST(Vector, EnumerationSeesElementsInOrderAndKeepsTheVectorAlive)
{
    DEnumerationPtr e;
    {
        DVectorPtr v = new DVector;
        for (int i = 0; i < 3; ++i)
            v->addElement(number(i));
        e = v->elements();
    }
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(e->hasMoreElements());
        EXPECT_EQ(ptrCast<DInteger>(e->nextElement())->intValue(), i);
    }
    EXPECT_FALSE(e->hasMoreElements());
    EXPECT_TRUE(e->nextElement().isNull());
}
