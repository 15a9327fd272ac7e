// Tests of the array classes: storage, index checks, class names and arraycopy.
#include <gtest/gtest.h>

#include <vector>

#include "lang/DArray2d.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Probe;

TEST(PrimitiveArray, ZeroFilledAndIndexChecked)
{
    DintArrayPtr ints = new DintArray(4);
    EXPECT_EQ(ints->length(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ints[i], 0);
    ints[3] = -7;
    EXPECT_EQ(ints[3], -7);
    EXPECT_THROWS_KIND(ints[4], ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(ints[-1], ArrayIndexOutOfBoundsException);
}

TEST(PrimitiveArray, EmptyAndNegativeLengthsHoldNoStorage)
{
    DbyteArrayPtr empty = new DbyteArray(0);
    EXPECT_EQ(empty->length(), 0);
    EXPECT_EQ(empty->data(), nullptr);
    EXPECT_THROWS_KIND(empty[0], ArrayIndexOutOfBoundsException);
    DshortArrayPtr negative = new DshortArray(-3);
    EXPECT_EQ(negative->length(), -3);
    EXPECT_THROWS_KIND(negative[0], ArrayIndexOutOfBoundsException);
}

TEST(ObjectArray, WritesRetainAndReleaseAndDestructionReleasesAll)
{
    int destroyed = 0;
    DObjectPtr kept = new Probe(&destroyed);
    {
        DObjectArrayPtr a = new DObjectArray(3);
        EXPECT_TRUE(a[0].isNull());
        a[0] = kept;
        a[1] = new Probe(&destroyed);
        EXPECT_EQ(kept->refCount(), 2);
        a[1] = kept;
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(kept->refCount(), 3);
        EXPECT_THROWS_KIND(a[3] = kept, ArrayIndexOutOfBoundsException);
    }
    EXPECT_EQ(kept->refCount(), 1);
    EXPECT_EQ(destroyed, 1);
}

TEST(ObjectArray, TypedSlotsReadBackTyped)
{
    DStringArrayPtr names = new DStringArray(2);
    names[0] = new DString(u"abc");
    EXPECT_EQ(names[0]->length(), 3);
    DStringPtr first = names[0];
    EXPECT_TRUE(first->equals(u"abc"));
    EXPECT_TRUE(names[1] == nullptr);
    EXPECT_TRUE(names[0] != nullptr);
    EXPECT_THROWS_KIND(names[1]->length(), NullPointerException);
}

TEST(ArrayClassNames, FixedAndDerivedNames)
{
    DObjectArrayPtr ofBytes = new DObjectArray(1);
    ofBytes[0] = new DbyteArray(2);
    DObjectArray2dPtr grid = new DObjectArray2d(2, 1);
    grid[0][0] = new DintArray(1);
    struct {
        DObjectPtr array;
        const char* name;
    } cases[] = {
        { new DbyteArray(1), "DbyteArray" },
        { new DshortArray(1), "DshortArray" },
        { new DintArray(1), "DintArray" },
        { new DObjectArray(0), "DObjectArray" },
        { ofBytes, "DbyteArrayArray" },
        { new DObjectArray2d(0), "DObjectArray2d" },
        { new DObjectArray2d(2), "DObjectArray2d" },
        { grid, "DintArrayArray2d" },
        { new DbyteArray2d(1, 1), "DbyteArray2d" },
        { new DshortArray2d(1), "DshortArray2d" },
        { new DintArray2d(2, 2), "DintArray2d" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.array->getClassName(), c.name);
}

// An element class whose name is too long for any short-string storage.
class LongNamedElement : public DObject {
public:
    const char* getClassName() const override { return "ElementWithAFairlyLongClassName"; }
};

TEST(ArrayClassNames, EachCallOverwritesTheOneBufferOfItsClass)
{
    DObjectArrayPtr longNames = new DObjectArray(1);
    longNames[0] = new LongNamedElement;
    DObjectArrayPtr bytes = new DObjectArray(1);
    bytes[0] = new DbyteArray(1);
    DObjectArray2dPtr rows = new DObjectArray2d(1);
    rows[0] = longNames;
    DObjectArray2dPtr byteRows = new DObjectArray2d(1);
    byteRows[0] = bytes;

    struct {
        DObjectPtr first;
        DObjectPtr second;
        const char* secondName;
    } cases[] = {
        { longNames, bytes, "DbyteArrayArray" },
        { bytes, longNames, "ElementWithAFairlyLongClassNameArray" },
        { rows, byteRows, "DbyteArrayArray2d" },
        { byteRows, rows, "ElementWithAFairlyLongClassNameArray2d" },
    };
    for (const auto& c : cases) {
        // A name kept across the next call reads that call's text, never freed storage.
        const char* kept = c.first->getClassName();
        const char* latest = c.second->getClassName();
        EXPECT_EQ(kept, latest);
        EXPECT_STREQ(kept, c.secondName);
    }
    DObjectArrayPtr nested = new DObjectArray(1);
    nested[0] = bytes;
    EXPECT_STREQ(nested->getClassName(), "DbyteArrayArrayArray");
}

TEST(ArrayClassNames, NullFirstElementThrows)
{
    DObjectArrayPtr a = new DObjectArray(2);
    EXPECT_THROWS_KIND(a->getClassName(), NullPointerException);
}

TEST(Array2d, RowsAndColumnsConstructors)
{
    DintArray2dPtr full = new DintArray2d(3, 4);
    ASSERT_EQ(full->length(), 3);
    for (int r = 0; r < 3; ++r) {
        ASSERT_EQ(full[r]->length(), 4);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(full[r][c], 0);
    }
    full[2][3] = 5;
    EXPECT_EQ(full[2][3], 5);
    EXPECT_EQ(full[1][3], 0);
    DintArray2dPtr rowsOnly = new DintArray2d(3);
    for (int r = 0; r < 3; ++r)
        EXPECT_FALSE(rowsOnly[r]);
    EXPECT_THROWS_KIND(rowsOnly[0][0], NullPointerException);
}

// An object array of fresh objects whose identities tell where each element came from.
static DObjectArrayPtr numbered(int n, std::vector<DObject*>& objects)
{
    DObjectArrayPtr a = new DObjectArray(n);
    for (int i = 0; i < n; ++i) {
        a[i] = new DObject;
        objects.push_back(a[i].get());
    }
    return a;
}

TEST(Arraycopy, ArgumentChecks)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(4, objects);
    DObjectArrayPtr b = new DObjectArray(4);
    struct {
        DObjectArrayPtr source;
        int32_t sourcePos;
        DObjectArrayPtr destination;
        int32_t destinationPos;
        int32_t length;
        uint32_t kind;
    } cases[] = {
        { nullptr, 0, b, 0, 1, NullPointerException },
        { a, 0, nullptr, 0, 1, NullPointerException },
        { a, -1, b, 0, 1, IndexOutOfBoundsException },
        { a, 0, b, -1, 1, IndexOutOfBoundsException },
        { a, 0, b, 0, -1, IndexOutOfBoundsException },
        { a, 5, b, 0, 1, IndexOutOfBoundsException },
        { a, 0, b, 5, 1, IndexOutOfBoundsException },
        { a, 4, b, 4, 3, testing_support::NOTHING_THROWN },
    };
    for (const auto& c : cases)
        EXPECT_THROWS_KIND(DSystem::arraycopy(c.source, c.sourcePos, c.destination,
                               c.destinationPos, c.length),
            c.kind);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(b[i].isNull());
}

TEST(Arraycopy, ClipsToTheDestinationAndStopsAtTheSourceEnd)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(4, objects);
    DObjectArrayPtr b = new DObjectArray(3);
    DSystem::arraycopy(a, 0, b, 1, 10);
    EXPECT_TRUE(b[0].isNull());
    EXPECT_EQ(b[1].get(), objects[0]);
    EXPECT_EQ(b[2].get(), objects[1]);
    DObjectArrayPtr c = new DObjectArray(5);
    DSystem::arraycopy(a, 2, c, 0, 5);
    EXPECT_EQ(c[0].get(), objects[2]);
    EXPECT_EQ(c[1].get(), objects[3]);
    EXPECT_TRUE(c[2].isNull());
}

TEST(Arraycopy, OverlappingCopiesWithinOneArray)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(5, objects);
    DSystem::arraycopy(a, 0, a, 1, 4);
    EXPECT_EQ(a[0].get(), objects[0]);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(a[i].get(), objects[i - 1]);
    std::vector<DObject*> more;
    DObjectArrayPtr b = numbered(5, more);
    DSystem::arraycopy(b, 1, b, 0, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(b[i].get(), more[i + 1]);
    EXPECT_EQ(b[4].get(), more[4]);
}

TEST(Arraycopy, SameArrayPastTheSourceThrowsAndLeavesItIntact)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(4, objects);
    EXPECT_THROWS_KIND(DSystem::arraycopy(a, 3, a, 0, 3), ArrayIndexOutOfBoundsException);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a[i].get(), objects[i]);
}

TEST(Arraycopy, PrimitiveArraysAllOrNothingAndOverlapSafe)
{
    DintArrayPtr a = new DintArray(5);
    for (int i = 0; i < 5; ++i)
        a[i] = i + 1;
    DSystem::arraycopy(a, 0, a, 1, 4);
    const int expected[] = { 1, 1, 2, 3, 4 };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a[i], expected[i]);
    DintArrayPtr b = new DintArray(2);
    EXPECT_THROWS_KIND(DSystem::arraycopy(a, 4, b, 0, 2), IndexOutOfBoundsException);
    EXPECT_THROWS_KIND(DSystem::arraycopy(a, 0, b, 1, 2), IndexOutOfBoundsException);
    EXPECT_EQ(b[0], 0);
    DbyteArrayPtr bytes = new DbyteArray(3);
    DSystem::arraycopy(DbyteArrayPtr(new DbyteArray(3)), 0, bytes, 0, 3);
    EXPECT_THROWS_KIND(DSystem::arraycopy(DbyteArrayPtr(), 0, bytes, 0, 0), NullPointerException);
}
