// Arrays of the platform model: primitive arrays, object arrays and typed object arrays.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lang/DObject.h"
#include "lang/DObjectArray.ptr"
#include "lang/DbyteArray.ptr"
#include "lang/DintArray.ptr"
#include "lang/DshortArray.ptr"

namespace vela::lang {

[[noreturn]] void throwArrayIndex();

// Zero-filled storage of `length` elements; no storage when the length is below 1.
template <class E>
class DPrimitiveArray : public DObject {
public:
    explicit DPrimitiveArray(int32_t length)
        : elements(length >= 1 ? new E[length]() : nullptr), count(length)
    {
    }
    ~DPrimitiveArray() override { delete[] elements; }

    E& operator[](int32_t index) { return elements[checked(index)]; }
    const E& operator[](int32_t index) const { return elements[checked(index)]; }
    int32_t length() const { return count; }
    E* data() { return elements; }
    const E* data() const { return elements; }

private:
    int32_t checked(int32_t index) const
    {
        if (index < 0 || index >= count)
            throwArrayIndex();
        return index;
    }

    E* elements;
    int32_t count;
};

class DbyteArray : public DPrimitiveArray<int8_t> {
public:
    using DPrimitiveArray::DPrimitiveArray;
    const char* getClassName() const override;
};

class DshortArray : public DPrimitiveArray<int16_t> {
public:
    using DPrimitiveArray::DPrimitiveArray;
    const char* getClassName() const override;
};

class DintArray : public DPrimitiveArray<int32_t> {
public:
    using DPrimitiveArray::DPrimitiveArray;
    const char* getClassName() const override;
};

// `length` counted references, all null at first. Writing an element retains the new
// reference and releases the old one.
class DObjectArray : public DObject {
public:
    explicit DObjectArray(int32_t length);
    ~DObjectArray() override;

    // The class name of element 0 followed by "Array" (one shared buffer, overwritten by each
    // call); "DObjectArray" when empty; a null element 0 throws NullPointerException.
    const char* getClassName() const override;

    DObjectPtr& operator[](int32_t index) { return elements[checked(index)]; }
    const DObjectPtr& operator[](int32_t index) const { return elements[checked(index)]; }
    int32_t length() const { return count; }

private:
    int32_t checked(int32_t index) const
    {
        if (index < 0 || index >= count)
            throwArrayIndex();
        return index;
    }

    DObjectPtr* elements;
    int32_t count;
};

// An object array whose elements are all of class T: reads come back typed.
template <class T>
class DObjectArrayOf : public DObjectArray {
public:
    using DObjectArray::DObjectArray;

    // One element slot seen as a T reference.
    class Slot {
    public:
        explicit Slot(DObjectPtr& slot) : slot(slot) { }
        Slot& operator=(const DPtr<T>& value)
        {
            slot = value;
            return *this;
        }
        Slot& operator=(const Slot& other) { return *this = DPtr<T>(other); }
        operator DPtr<T>() const { return DPtr<T>(get()); }
        T* get() const { return static_cast<T*>(slot.get()); }
        T* operator->() const
        {
            slot.operator->();
            return get();
        }
        T& operator*() const { return *operator->(); }
        explicit operator bool() const { return !slot.isNull(); }
        bool isNull() const { return slot.isNull(); }
        bool operator==(std::nullptr_t) const { return slot.isNull(); }
        bool operator!=(std::nullptr_t) const { return !slot.isNull(); }
        template <class I>
        decltype(auto) operator[](I index) const
        {
            return (*operator->())[index];
        }

    private:
        DObjectPtr& slot;
    };

    Slot operator[](int32_t index) { return Slot(DObjectArray::operator[](index)); }
    DPtr<T> operator[](int32_t index) const
    {
        return DPtr<T>(static_cast<T*>(DObjectArray::operator[](index).get()));
    }
    DPtr<T> get(int32_t index) const { return (*this)[index]; }
    void set(int32_t index, const DPtr<T>& value) { DObjectArray::operator[](index) = value; }
};

} // namespace vela::lang
