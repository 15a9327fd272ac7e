// Root object operations and the out-of-line helpers of the smart pointers.
#include "lang/DObject.h"

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DInterface.h"
#include "lang/DString.h"

namespace vela::lang {

const char* DObject::getClassName() const
{
    return "DObject";
}

DObject::~DObject() = default;

DStringPtr DObject::toString()
{
    return u"DObject@" + DInteger::toString(hashCode(), 16);
}

int32_t DObject::hashCode()
{
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this) & 0x7FFFFFFFu);
}

bool DObject::equals(DObjectPtr other)
{
    return other.get() == this;
}

DObjectPtr DObject::reserved6()
{
    return nullptr;
}

void throwNullPointer(const char*, int)
{
    throw new DExceptionBase(NullPointerException);
}

void throwClassCast()
{
    throw new DExceptionBase(ClassCastException);
}

void retainObject(DObject* object)
{
    object->retain();
}

void releaseObject(DObject* object)
{
    object->release();
}

bool objectsEqual(DObject* left, DObject* right)
{
    if (left == right)
        return true;
    if (!left || !right)
        return false;
    return left->equals(DObjectPtr(right));
}

DInterfacePtr::DInterfacePtr(DInterface* iface) : held(iface)
{
    if (held)
        held->getOwner()->retain();
}

DInterfacePtr::DInterfacePtr(const DInterfacePtr& other) : DInterfacePtr(other.held) { }

DInterfacePtr::~DInterfacePtr()
{
    reset();
}

DInterfacePtr& DInterfacePtr::operator=(const DInterfacePtr& other)
{
    DInterface* old = held;
    if (other.held)
        other.held->getOwner()->retain();
    held = other.held;
    if (old)
        old->getOwner()->release();
    return *this;
}

DInterfacePtr& DInterfacePtr::operator=(DInterfacePtr&& other) noexcept
{
    if (this != &other) {
        DInterface* old = held;
        held = other.held;
        other.held = nullptr;
        if (old)
            old->getOwner()->release();
    }
    return *this;
}

void DInterfacePtr::reset()
{
    DInterface* old = held;
    held = nullptr;
    if (old)
        old->getOwner()->release();
}

DInterface* DInterfacePtr::checkedInterface() const
{
    if (!held)
        throwNullPointer(__FILE__, __LINE__);
    return held;
}

} // namespace vela::lang
