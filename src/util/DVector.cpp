// Growable array of counted references and its enumerator.
#include "util/DVector.h"

#include <algorithm>

#include "lang/DExceptionBase.h"

namespace vela::util {

using vela::lang::DObject;
using vela::lang::DObjectArrayPtr;
using vela::lang::DObjectPtr;

class DVector::DEnumerator : public DObject, public DEnumeration {
public:
    explicit DEnumerator(DVector* vector) : DEnumeration(this), vector(vector) { }

    bool hasMoreElements() override { return index < vector->size(); }
    DObjectPtr nextElement() override
    {
        if (!hasMoreElements())
            return nullptr;
        return vector->elementAt(index++);
    }

private:
    DVectorPtr vector;
    int32_t index = 0;
};

DVector::DVector() : allocated(INITIAL_CAPACITY), slots(new DObjectPtr[INITIAL_CAPACITY]) { }

DVector::~DVector()
{
    delete[] slots;
}

void DVector::ensureCapacity(int32_t needed)
{
    if (needed <= allocated)
        return;
    int32_t grown = std::max(needed, allocated * 2);
    DObjectPtr* moved = new DObjectPtr[grown];
    std::move(slots, slots + count, moved);
    delete[] slots;
    slots = moved;
    allocated = grown;
}

void DVector::checkIndex(int32_t index) const
{
    if (index < 0 || index >= count)
        vela::lang::throwArrayIndex();
}

void DVector::addElement(DObjectPtr object)
{
    ensureCapacity(count + 1);
    slots[count++] = std::move(object);
}

DObjectPtr DVector::elementAt(int32_t index) const
{
    checkIndex(index);
    return slots[index];
}

void DVector::insertElementAt(DObjectPtr object, int32_t index)
{
    if (index < 0 || index > count)
        vela::lang::throwArrayIndex();
    ensureCapacity(count + 1);
    std::move_backward(slots + index, slots + count, slots + count + 1);
    slots[index] = std::move(object);
    ++count;
}

void DVector::removeElementAt(int32_t index)
{
    checkIndex(index);
    // Keep the removed element until the slots are consistent again: its release may run
    // arbitrary destructors.
    DObjectPtr removed = std::move(slots[index]);
    std::move(slots + index + 1, slots + count, slots + index);
    --count;
    slots[count] = nullptr;
}

bool DVector::removeElement(DObjectPtr object)
{
    int32_t index = indexOf(std::move(object));
    if (index < 0)
        return false;
    removeElementAt(index);
    return true;
}

int32_t DVector::indexOf(DObjectPtr object) const
{
    for (int32_t i = 0; i < count; ++i)
        if (slots[i]->equals(object))
            return i;
    return -1;
}

void DVector::removeAllElements()
{
    int32_t old = count;
    count = 0;
    for (int32_t i = 0; i < old; ++i)
        slots[i] = nullptr;
}

void DVector::copyInto(const DObjectArrayPtr& array) const
{
    int32_t n = std::min(count, array->length());
    for (int32_t i = 0; i < n; ++i)
        (*array)[i] = slots[i];
}

DEnumerationPtr DVector::elements()
{
    return DEnumerationPtr(new DEnumerator(this));
}

} // namespace vela::util
