// Tests of the array classes: storage, index checks, class names and arraycopy.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lang/DArray2d.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::NOTHING_THROWN;
using testing_support::Probe;
using testing_support::Table;

TEST(PrimitiveArray, ZeroFilledIndexCheckedAndEmptyLengthsHoldNoStorage)
{
    DintArrayPtr ints = new DintArray(4);
    ints[3] = -7;
    EXPECT_EQ(ints[0] + ints[1] + ints[2], 0);
    EXPECT_EQ(ints[3], -7);
    EXPECT_THROWS_KIND(ints[4], ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(ints[-1], ArrayIndexOutOfBoundsException);
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
        a[1] = kept;
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(kept->refCount(), 3);
        EXPECT_THROWS_KIND(a[3] = kept, ArrayIndexOutOfBoundsException);
    }
    EXPECT_EQ(kept->refCount(), 1);
    DStringArrayPtr names = new DStringArray(2);
    names[0] = new DString(u"abc");
    EXPECT_EQ(names[0]->length(), 3);
    EXPECT_TRUE(names[1] == nullptr);
    EXPECT_THROWS_KIND(names[1]->length(), NullPointerException);
}

TEST(ArrayClassNames, FixedAndDerivedNames)
{
    DObjectArrayPtr ofBytes = new DObjectArray(1);
    ofBytes[0] = new DbyteArray(2);
    DObjectArray2dPtr grid = new DObjectArray2d(2, 1);
    grid[0][0] = new DintArray(1);
    for (auto [array, name] : Table<DObjectPtr, const char*> {
        { new DbyteArray(1), "DbyteArray" }, { new DshortArray(1), "DshortArray" },
        { new DintArray(1), "DintArray" }, { new DObjectArray(0), "DObjectArray" },
        { ofBytes, "DbyteArrayArray" }, { new DObjectArray2d(0), "DObjectArray2d" },
        { new DObjectArray2d(2), "DObjectArray2d" }, { grid, "DintArrayArray2d" },
        { new DbyteArray2d(1, 1), "DbyteArray2d" }, { new DshortArray2d(1), "DshortArray2d" },
        { new DintArray2d(2, 2), "DintArray2d" } })
        EXPECT_STREQ(array->getClassName(), name);
    EXPECT_THROWS_KIND(DObjectArrayPtr(new DObjectArray(2))->getClassName(), NullPointerException);
}

// An element class whose name is too long for any short-string storage.
class LongNamedElement : public DObject {
public:
    const char* getClassName() const override { return "ElementWithAFairlyLongClassName"; }
};

TEST(ArrayClassNames, EachCallOverwritesTheOneBufferOfItsClass)
{
    DObjectArrayPtr longNames = new DObjectArray(1), bytes = new DObjectArray(1);
    longNames[0] = new LongNamedElement;
    bytes[0] = new DbyteArray(1);
    DObjectArray2dPtr rows = new DObjectArray2d(1), byteRows = new DObjectArray2d(1);
    rows[0] = longNames;
    byteRows[0] = bytes;
    struct {
        DObjectPtr first, second;
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
        EXPECT_EQ(kept, c.second->getClassName());
        EXPECT_STREQ(kept, c.secondName);
    }
    DObjectArrayPtr nested = new DObjectArray(1);
    nested[0] = bytes;
    EXPECT_STREQ(nested->getClassName(), "DbyteArrayArrayArray");
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

// The elements of `a` as indices into `objects`, -1 for null.
static std::vector<int> origins(const DObjectArrayPtr& a, const std::vector<DObject*>& objects)
{
    std::vector<int> result;
    for (int i = 0; i < a->length(); ++i) {
        auto at = std::find(objects.begin(), objects.end(), a[i].get());
        result.push_back(at == objects.end() ? -1 : int(at - objects.begin()));
    }
    return result;
}

TEST(Arraycopy, ArgumentChecksCopyNothing)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(4, objects);
    DObjectArrayPtr b = new DObjectArray(4);
    struct {
        DObjectArrayPtr source;
        int32_t sourcePos;
        DObjectArrayPtr destination;
        int32_t destinationPos, length;
        uint32_t kind;
    } cases[] = {
        { nullptr, 0, b, 0, 1, NullPointerException },
        { a, 0, nullptr, 0, 1, NullPointerException },
        { a, -1, b, 0, 1, IndexOutOfBoundsException },
        { a, 0, b, -1, 1, IndexOutOfBoundsException },
        { a, 0, b, 0, -1, IndexOutOfBoundsException },
        { a, 5, b, 0, 1, IndexOutOfBoundsException },
        { a, 0, b, 5, 1, IndexOutOfBoundsException },
        { a, 4, b, 4, 3, NOTHING_THROWN },
        { a, 3, a, 0, 3, ArrayIndexOutOfBoundsException }, // same array, past the source
    };
    for (const auto& c : cases)
        EXPECT_THROWS_KIND(DSystem::arraycopy(c.source, c.sourcePos, c.destination,
                               c.destinationPos, c.length),
            c.kind);
    EXPECT_EQ(origins(b, objects), (std::vector<int> { -1, -1, -1, -1 }));
    EXPECT_EQ(origins(a, objects), (std::vector<int> { 0, 1, 2, 3 }));
}

TEST(Arraycopy, ClipsStopsAtTheSourceEndAndHandlesOverlap)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = numbered(4, objects);
    DObjectArrayPtr b = new DObjectArray(3), c = new DObjectArray(5);
    DSystem::arraycopy(a, 0, b, 1, 10);
    EXPECT_EQ(origins(b, objects), (std::vector<int> { -1, 0, 1 }));
    DSystem::arraycopy(a, 2, c, 0, 5);
    EXPECT_EQ(origins(c, objects), (std::vector<int> { 2, 3, -1, -1, -1 }));
    DSystem::arraycopy(a, 0, a, 1, 3);
    EXPECT_EQ(origins(a, objects), (std::vector<int> { 0, 0, 1, 2 }));
    DSystem::arraycopy(a, 1, a, 0, 3);
    EXPECT_EQ(origins(a, objects), (std::vector<int> { 0, 1, 2, 2 }));
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
    EXPECT_THROWS_KIND(DSystem::arraycopy(DbyteArrayPtr(), 0, bytes, 0, 0), NullPointerException);
}
