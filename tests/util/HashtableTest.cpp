// Hash tables: a long chain freed, and enumeration through removal and growth.
#include <gtest/gtest.h>

#include <pthread.h>

#include <set>
#include <vector>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "support/Probe.h"
#include "util/DHashtable.h"

using namespace vela::lang;
using namespace vela::util;
using support::Probe;
using Names = std::vector<int32_t>;

// A key with a chosen hash whose equality is by name, to build collisions on purpose.
class Key : public DObject {
public:
    Key(int32_t hash, int32_t name) : hash(hash), name(name) { }
    int32_t hashCode() override { return hash; }
    bool equals(DObjectPtr other) override
    {
        Key* key = dynamic_cast<Key*>(other.get());
        return key && key->name == name;
    }
    int32_t hash, name;
};

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

TEST(Hashtable, LongChainIsFreedWithoutDeepRecursion)
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

TEST(HashtableEnumeration, RemovingTheCurrentEntryLosesNothing)
{
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
    EXPECT_EQ(seen, (Names{3, 2, 1, 0}));
    EXPECT_EQ(destroyed, 4);
}

TEST(HashtableEnumeration, GrowthDuringEnumerationYieldsEachOldKeyOnce)
{
    DHashtablePtr table = new DHashtable;
    for (int i = 0; i < 8; ++i)
        table->put(key(i * 7, i), number(i));
    DEnumerationPtr e = table->keys();
    std::multiset<int32_t> seen{ptrCast<Key>(e->nextElement())->name};
    for (int i = 8; i < 40; ++i)
        table->put(key(i * 7, i), number(i)); // grows twice
    while (e->hasMoreElements())
        seen.insert(ptrCast<Key>(e->nextElement())->name);
    EXPECT_EQ(seen, (std::multiset<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(e->nextElement().isNull());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(valueOf(table->get(key(i * 7, i))), i);
}
