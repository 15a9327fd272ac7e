// Arrays: derived class names and arraycopy.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lang/DArray2d.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "support/Thrown.h"

using namespace vela::lang;
using support::NOTHING_THROWN;

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
    const struct {
        DObjectPtr first, second;
        const char* secondName;
    } cases[] = {
        {longNames, bytes, "DbyteArrayArray"},
        {bytes, longNames, "ElementWithAFairlyLongClassNameArray"},
        {rows, byteRows, "DbyteArrayArray2d"},
        {byteRows, rows, "ElementWithAFairlyLongClassNameArray2d"},
    };
    for (const auto& c : cases) {
        // A name kept across the next call reads that call's text, never freed storage.
        const char* kept = c.first->getClassName();
        EXPECT_EQ(kept, c.second->getClassName());
        EXPECT_STREQ(kept, c.secondName);
    }
    EXPECT_THROWS_KIND(DObjectArrayPtr(new DObjectArray(2))->getClassName(), NullPointerException);
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

TEST(Arraycopy, BadArgumentsCopyNothingAndGoodOnesClipAndOverlap)
{
    std::vector<DObject*> objects;
    DObjectArrayPtr a = new DObjectArray(4), b = new DObjectArray(4);
    for (int i = 0; i < 4; ++i) {
        a[i] = new DObject;
        objects.push_back(a[i].get());
    }
    const struct {
        DObjectArrayPtr source;
        int32_t sourcePos;
        DObjectArrayPtr destination;
        int32_t destinationPos, length;
        uint32_t kind;
    } bad[] = {
        {nullptr, 0, b, 0, 1, NullPointerException},    {a, 0, nullptr, 0, 1, NullPointerException},
        {a, -1, b, 0, 1, IndexOutOfBoundsException},    {a, 0, b, 5, 1, IndexOutOfBoundsException},
        {a, 4, b, 4, 3, NOTHING_THROWN},
        {a, 3, a, 0, 3, ArrayIndexOutOfBoundsException}, // same array, past the source
    };
    for (const auto& c : bad)
        EXPECT_THROWS_KIND(DSystem::arraycopy(c.source, c.sourcePos, c.destination, c.destinationPos, c.length),
                           c.kind);
    EXPECT_EQ(origins(b, objects), (std::vector<int>{-1, -1, -1, -1}));
    DObjectArrayPtr c = new DObjectArray(3);
    DSystem::arraycopy(a, 0, c, 1, 10);
    EXPECT_EQ(origins(c, objects), (std::vector<int>{-1, 0, 1}));
    DSystem::arraycopy(a, 0, a, 1, 3);
    EXPECT_EQ(origins(a, objects), (std::vector<int>{0, 0, 1, 2}));
    DSystem::arraycopy(a, 1, a, 0, 3);
    EXPECT_EQ(origins(a, objects), (std::vector<int>{0, 1, 2, 2}));
}
