// Growable array of counted references.
#pragma once

#include "lang/DArray.h"
#include "util/DEnumeration.h"
#include "util/DVector.ptr"
#include "util/DVectorArray.ptr"

namespace vela::util {

class DVector : public vela::lang::DObject {
public:
    static constexpr int32_t INITIAL_CAPACITY = 16;

    DVector();
    ~DVector() override;

    int32_t size() const { return count; }
    void addElement(vela::lang::DObjectPtr object);
    // Index outside 0 … size-1 throws ArrayIndexOutOfBoundsException.
    vela::lang::DObjectPtr elementAt(int32_t index) const;
    // index may equal the size (append); beyond throws ArrayIndexOutOfBoundsException.
    void insertElementAt(vela::lang::DObjectPtr object, int32_t index);
    void removeElementAt(int32_t index);
    // Stored elements decide through their equals; a null element on the way throws
    // NullPointerException.
    bool removeElement(vela::lang::DObjectPtr object);
    int32_t indexOf(vela::lang::DObjectPtr object) const;
    void removeAllElements();
    // Copies the first min(size, array length) elements.
    void copyInto(const vela::lang::DObjectArrayPtr& array) const;
    DEnumerationPtr elements();
    int32_t capacity() const { return allocated; }

private:
    class DEnumerator;
    void ensureCapacity(int32_t needed);
    void checkIndex(int32_t index) const;

    int32_t allocated;
    int32_t count = 0;
    vela::lang::DObjectPtr* slots;
};

class DVectorArray : public vela::lang::DObjectArrayOf<DVector> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace vela::util
