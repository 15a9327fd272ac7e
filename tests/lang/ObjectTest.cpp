// References taken while an object is destroyed, and the hash of an address.
#include <gtest/gtest.h>

#include <new>
#include <sys/mman.h>

#include "lang/DObject.h"
#include "lang/DString.h"
#include "support/Probe.h"
#include "support/Thrown.h"

using namespace vela::lang;
using support::Probe;

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

TEST(DObjectOperations, HashAndToStringDropBit31OfTheAddress)
{
    // An object built on a page whose address has bit 31 set (the first free candidate).
    void* page = MAP_FAILED;
    for (uintptr_t at : {0x700080000000u, 0x680080000000u, 0x500080000000u, 0x180000000u}) {
        void* wanted = reinterpret_cast<void*>(at);
        page = mmap(wanted, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (page == wanted)
            break;
        if (page != MAP_FAILED)
            munmap(page, 4096);
        page = MAP_FAILED;
    }
    ASSERT_NE(page, MAP_FAILED) << "no address with bit 31 set is free";
    DObject* object = new (static_cast<char*>(page) + 16) DObject;
    EXPECT_EQ(object->hashCode(), 16);
    EXPECT_EQ(object->toString()->toUtf8(), "DObject@10");
    object->~DObject();
    munmap(page, 4096);
}
