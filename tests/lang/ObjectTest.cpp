// Tests of DObject counting, the smart pointers and the interface pointer.
#include <gtest/gtest.h>

#include <new>
#include <sys/mman.h>

#include "lang/DInterface.h"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Probe;

TEST(Counting, ReleaseAtZeroSelfAssignmentAndLastReference)
{
    int destroyed = 0;
    Probe* loose = new Probe(&destroyed);
    loose->release(); // count 0: nothing is freed
    EXPECT_EQ(loose->refCount(), 0);
    EXPECT_EQ(destroyed, 0);
    delete loose;
    DObjectPtr p = new Probe(&destroyed);
    DObjectPtr& alias = p;
    p = alias;
    EXPECT_EQ(p->refCount(), 1);
    DObjectPtr q = p;
    p = new Probe(&destroyed);
    EXPECT_EQ(q->refCount(), 1);
    q = p; // drops the old object, exactly once
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(p->refCount(), 2);
    p.reset();
    q = std::move(p);
    EXPECT_EQ(destroyed, 3);
}

// Hands itself to a smart pointer while being destroyed, as a listener unregistering would.
class SelfReferencingOnDestruction : public Probe {
public:
    using Probe::Probe;
    ~SelfReferencingOnDestruction() override { DObjectPtr self = this; }
};

TEST(Counting, ReferencesTakenDuringDestructionDoNotFreeTwice)
{
    int destroyed = 0;
    DObjectPtr p = new SelfReferencingOnDestruction(&destroyed);
    p.reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(SmartPointer, DereferencingNullThrowsNullPointerWithEmptyMessage)
{
    DObjectPtr empty;
    try {
        empty->hashCode();
        ADD_FAILURE() << "nothing thrown";
    } catch (DExceptionBase* e) {
        EXPECT_EQ(e->code, uint32_t { NullPointerException });
        EXPECT_EQ(e->message[0], 0);
        delete e;
    }
    EXPECT_THROWS_KIND(*empty, NullPointerException);
}

// Counts calls of equals, to show which comparisons reach it.
class EqualsCounter : public DObject {
public:
    bool equals(DObjectPtr other) override
    {
        ++calls;
        return other.get() == this || answer;
    }
    int calls = 0;
    bool answer = false;
};

TEST(SmartPointer, EqualityRulesAndTheBaseOperations)
{
    DObjectPtr none, alsoNone;
    EqualsCounter* counter = new EqualsCounter;
    DPtr<EqualsCounter> left = counter;
    DObjectPtr right = new DObject;
    EXPECT_TRUE(none == alsoNone);
    EXPECT_FALSE(left == none);
    EXPECT_FALSE(none == left);
    EXPECT_TRUE(left == left);
    EXPECT_EQ(counter->calls, 0);
    EXPECT_FALSE(left == right);
    EXPECT_EQ(counter->calls, 1);
    counter->answer = true;
    EXPECT_TRUE(left == right);
    EXPECT_EQ(right->refCount(), 1); // equals released the reference it was given
    EXPECT_STREQ(right->getClassName(), "DObject");
    EXPECT_TRUE(right->equals(right));
    EXPECT_FALSE(right->equals(new DObject));
    EXPECT_FALSE(right->equals(nullptr));
    EXPECT_TRUE(right->reserved6().isNull());
    EXPECT_EQ(uint32_t(right->hashCode()), reinterpret_cast<uintptr_t>(right.get()) & 0x7FFFFFFF);
}

TEST(DObjectOperations, ToStringUsesTheHashWithoutBit31)
{
    // An object built on a page whose address has bit 31 set (the first free candidate).
    void* page = MAP_FAILED;
    for (uintptr_t at : { 0x700080000000u, 0x680080000000u, 0x500080000000u, 0x180000000u }) {
        void* wanted = reinterpret_cast<void*>(at);
        page = mmap(wanted, 4096, PROT_READ | PROT_WRITE,
            MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (page == wanted)
            break;
        if (page != MAP_FAILED)
            munmap(page, 4096);
        page = MAP_FAILED;
    }
    if (page == MAP_FAILED)
        GTEST_SKIP() << "no address with bit 31 set is free";
    DObject* object = new (static_cast<char*>(page) + 16) DObject;
    EXPECT_EQ(object->hashCode(), 16);
    EXPECT_EQ(object->toString()->toUtf8(), "DObject@10");
    object->~DObject();
    munmap(page, 4096);
}

class Greeting : public DInterface {
public:
    using DInterface::DInterface;
    virtual int greet() = 0;
};

class Greeter : public Probe, public Greeting {
public:
    explicit Greeter(int* destroyed) : Probe(destroyed), Greeting(this) { }
    int greet() override { return 42; }
};

TEST(InterfacePointer, CountsTheOwnerAndCastsAreChecked)
{
    int destroyed = 0;
    Greeter* greeter = new Greeter(&destroyed);
    {
        DInterfacePtrOf<Greeting> p(greeter);
        DInterfacePtrOf<Greeting> copy = p;
        copy = p;
        EXPECT_EQ(greeter->refCount(), 2);
        EXPECT_EQ(copy->greet(), 42);
    }
    EXPECT_EQ(destroyed, 1);
    DInterfacePtrOf<Greeting> empty;
    EXPECT_THROWS_KIND(empty->greet(), NullPointerException);
    EXPECT_EQ(ptrCast<DString>(DObjectPtr(new DString(u"x")))->length(), 1);
    EXPECT_TRUE(ptrCast<DString>(DObjectPtr()).isNull());
    EXPECT_THROWS_KIND(ptrCast<DString>(DObjectPtr(new DObject)), ClassCastException);
    EXPECT_TRUE(ptrCastOrNull<DString>(DObjectPtr(new DObject)).isNull());
}
