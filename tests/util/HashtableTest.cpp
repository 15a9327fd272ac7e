// Tests of DHashtable: construction rules, growth order, collisions, removal, enumeration.
#include <gtest/gtest.h>

#include <pthread.h>

#include <set>
#include <vector>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"
#include "util/DHashtable.h"

using namespace vela::lang;
using namespace vela::util;
using testing_support::Probe;
using Names = std::vector<int32_t>;

// A key with a chosen hash whose equality is by name, to build collisions on purpose.
class Key : public DObject {
public:
    Key(int32_t hash, int32_t name) : hash(hash), name(name) { }
    int32_t hashCode() override
    {
        ++hashCalls;
        return hash;
    }
    bool equals(DObjectPtr other) override
    {
        Key* key = dynamic_cast<Key*>(other.get());
        return key && key->name == name;
    }
    int32_t hash, name;
    static int hashCalls;
};
int Key::hashCalls = 0;

static DObjectPtr key(int32_t hash, int32_t name)
{
    return new Key(hash, name);
}

static DObjectPtr number(int32_t value)
{
    return new DInteger(value);
}

static int32_t valueOf(const DObjectPtr& value)
{
    return value ? ptrCast<DInteger>(value)->intValue() : -999;
}

static Names keyNames(const DHashtablePtr& table)
{
    Names names;
    for (DEnumerationPtr e = table->keys(); e->hasMoreElements();)
        names.push_back(ptrCast<Key>(e->nextElement())->name);
    return names;
}

TEST(HashtableConstruction, ArgumentsThresholdAndReplacingPut)
{
    DHashtablePtr tiny = new DHashtable(0, 75);
    EXPECT_EQ(tiny->getCapacity(), 1);
    EXPECT_EQ(tiny->getThreshold(), 0);
    tiny->put(number(1), number(1));
    tiny->put(number(2), number(2));
    EXPECT_EQ(valueOf(tiny->get(number(1))), 1);
    EXPECT_THROWS_KIND(DHashtablePtr(new DHashtable(-1, 75)), IllegalArgumentException);
    EXPECT_THROWS_KIND(DHashtablePtr(new DHashtable(11, 0)), IllegalArgumentException);
    DHashtablePtr table = new DHashtable;
    EXPECT_EQ(table->getCapacity(), 11);
    EXPECT_EQ(table->getThreshold(), 8);
    EXPECT_TRUE(table->put(new DString(u"k"), number(1)).isNull());
    EXPECT_EQ(valueOf(table->put(new DString(u"k"), number(2))), 1);
    EXPECT_EQ(valueOf(table->get(new DString(u"k"))), 2);
    EXPECT_THROWS_KIND(table->put(nullptr, number(1)), NullPointerException);
    EXPECT_THROWS_KIND(table->put(number(1), nullptr), NullPointerException);
    EXPECT_EQ(table->size(), 1);
}

TEST(HashtableGrowth, NinthKeyGrowsTo23WithThreshold17WithoutRehashingKeys)
{
    DHashtablePtr table = new DHashtable(11, 75);
    for (int i = 0; i < 8; ++i)
        table->put(key(i, i), number(i));
    EXPECT_EQ(table->getCapacity(), 11);
    Key::hashCalls = 0;
    table->put(key(8, 8), number(8));
    EXPECT_EQ(Key::hashCalls, 1); // only the new key's hash
    EXPECT_EQ(table->getCapacity(), 23);
    EXPECT_EQ(table->getThreshold(), 17);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(valueOf(table->get(key(i, i))), i);
}

TEST(HashtableGrowth, EntriesSharingANewBucketEndUpReversed)
{
    DHashtablePtr table = new DHashtable(2, 100);
    table->put(key(0, 1), number(1));
    table->put(key(10, 2), number(2)); // bucket 0 of 2, chain 2 -> 1
    EXPECT_EQ(keyNames(table), (Names { 2, 1 }));
    table->put(key(1, 3), number(3)); // grows to 5: the walk moves 2, then 1 to the head
    EXPECT_EQ(table->getCapacity(), 5);
    EXPECT_EQ(keyNames(table), (Names { 3, 1, 2 }));
}

TEST(HashtableCollisions, SameHashDifferentKeysStayApartThroughRemovals)
{
    DHashtablePtr table = new DHashtable;
    table->put(new DString(u"Aa"), number(1)); // "Aa" and "BB" share a hash code
    table->put(new DString(u"BB"), number(2));
    EXPECT_EQ(valueOf(table->get(new DString(u"Aa"))), 1);
    EXPECT_EQ(valueOf(table->get(new DString(u"BB"))), 2);
    for (int i = 0; i < 50; ++i)
        table->put(key(77, i), number(i));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(valueOf(table->get(key(77, i))), i);
    EXPECT_TRUE(table->get(key(77, 50)).isNull());
    for (int i : { 25, 49, 0 }) // middle, head and tail of the chain
        EXPECT_EQ(valueOf(table->remove(key(77, i))), i);
    EXPECT_TRUE(table->get(key(77, 25)).isNull());
    EXPECT_EQ(valueOf(table->get(key(77, 24))) + valueOf(table->get(key(77, 26))), 50);
    EXPECT_TRUE(table->remove(key(77, 25)).isNull());
    EXPECT_EQ(table->size(), 49);
    table->clear();
    EXPECT_EQ(table->size(), 0);
    EXPECT_FALSE(table->keys()->hasMoreElements());
}

constexpr int LONG_CHAIN = 50000;

// Builds and frees one long chain; runs on a thread with a small stack.
static void* buildAndFreeChain(void* destroyed)
{
    DHashtable::DEntryPtr head;
    for (int i = 0; i < LONG_CHAIN; ++i)
        head = new DHashtable::DEntry(5, number(i), new Probe(static_cast<int*>(destroyed)), head);
    head.reset();
    return nullptr;
}

TEST(HashtableCollisions, LongChainIsFreedWithoutDeepRecursion)
{
    // Nested releases would need several frames per entry: far more than this stack holds.
    pthread_attr_t small;
    pthread_attr_init(&small);
    pthread_attr_setstacksize(&small, 256 * 1024);
    int destroyed = 0;
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &small, buildAndFreeChain, &destroyed), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&small);
    EXPECT_EQ(destroyed, LONG_CHAIN);
}

TEST(HashtableGetByInteger, FirstEntryWithThatHash)
{
    DHashtablePtr table = new DHashtable;
    for (int i = -5; i < 40; ++i)
        table->put(number(i), number(i * 10));
    EXPECT_EQ(valueOf(table->get(int32_t { 17 })), 170);
    EXPECT_EQ(valueOf(table->get(int32_t { -5 })), -50);
    EXPECT_TRUE(table->get(int32_t { 40 }).isNull());
    // Keys are not compared: any key whose stored hash matches answers.
    table->put(key(1000, 1), number(1));
    EXPECT_EQ(valueOf(table->get(int32_t { 1000 })), 1);
}

TEST(HashtableEnumeration, HighestBucketFirstAndRemovingTheCurrentEntryLosesNothing)
{
    DHashtablePtr table = new DHashtable;
    table->put(key(2, 20), number(0));
    table->put(key(5, 50), number(1));
    EXPECT_EQ(keyNames(table), (Names { 50, 20 }));
    DEnumerationPtr e = table->elements();
    EXPECT_EQ(valueOf(e->nextElement()), 1);
    EXPECT_EQ(valueOf(e->nextElement()), 0);
    EXPECT_FALSE(e->hasMoreElements());
    EXPECT_TRUE(e->nextElement().isNull());
    int destroyed = 0;
    DHashtablePtr chain = new DHashtable(1, 1000);
    for (int i = 0; i < 4; ++i)
        chain->put(key(0, i), new Probe(&destroyed));
    Names seen;
    for (DEnumerationPtr k = chain->keys(); k->hasMoreElements();) {
        DObjectPtr current = k->nextElement();
        seen.push_back(ptrCast<Key>(current)->name);
        chain->remove(current);
    }
    EXPECT_EQ(seen, (Names { 3, 2, 1, 0 }));
    EXPECT_EQ(chain->size(), 0);
    EXPECT_EQ(destroyed, 4);
}

TEST(HashtableEnumeration, GrowthDuringEnumerationYieldsEachOldKeyOnce)
{
    DHashtablePtr table = new DHashtable;
    for (int i = 0; i < 8; ++i)
        table->put(key(i * 7, i), number(i));
    DEnumerationPtr e = table->keys();
    std::multiset<int32_t> seen { ptrCast<Key>(e->nextElement())->name };
    for (int i = 8; i < 40; ++i)
        table->put(key(i * 7, i), number(i)); // grows twice
    while (e->hasMoreElements())
        seen.insert(ptrCast<Key>(e->nextElement())->name);
    EXPECT_EQ(seen, (std::multiset<int32_t> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(valueOf(table->get(key(i * 7, i))), i);
}
