// Counted smart pointers: the object pointer template and the interface pointer base.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace vela::lang {

class DObject;
class DInterface;

// Out of line so that every null dereference throws the same way; the header and line are
// for diagnostics only and never reach the message.
[[noreturn]] void throwNullPointer(const char* header, int line);

void retainObject(DObject* object);
void releaseObject(DObject* object);
bool objectsEqual(DObject* left, DObject* right);

// Holds one counted reference to a T (a DObject subclass) or null. Always hold objects made
// with new in one of these: an object whose count returns to 0 deletes itself.
template <class T>
class DPtr {
public:
    DPtr() noexcept = default;
    DPtr(std::nullptr_t) noexcept { }
    DPtr(T* object) : p(object) { retainHeld(); }
    DPtr(const DPtr& other) : p(other.p) { retainHeld(); }
    DPtr(DPtr&& other) noexcept : p(other.p) { other.p = nullptr; }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    DPtr(const DPtr<U>& other) : p(other.get())
    {
        retainHeld();
    }
    ~DPtr() { reset(); }

    // Retain first, so that assigning a pointer to itself never frees the object.
    DPtr& operator=(const DPtr& other)
    {
        T* old = p;
        if (other.p)
            retainObject(asObject(other.p));
        p = other.p;
        if (old)
            releaseObject(asObject(old));
        return *this;
    }
    DPtr& operator=(DPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = p;
            p = other.p;
            other.p = nullptr;
            if (old)
                releaseObject(asObject(old));
        }
        return *this;
    }
    DPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    void reset()
    {
        T* old = p;
        p = nullptr;
        if (old)
            releaseObject(asObject(old));
    }

    T* get() const noexcept { return p; }
    T* operator->() const { return checked(); }
    T& operator*() const { return *checked(); }
    // Index straight through to an array object: a[i], a[i][j].
    template <class I>
    decltype(auto) operator[](I index) const
    {
        return (*checked())[index];
    }
    explicit operator bool() const noexcept { return p != nullptr; }
    bool isNull() const noexcept { return p == nullptr; }

private:
    static DObject* asObject(T* object) { return object; }
    void retainHeld()
    {
        if (p)
            retainObject(asObject(p));
    }
    T* checked() const
    {
        if (!p)
            throwNullPointer(__FILE__, __LINE__);
        return p;
    }

    T* p = nullptr;
};

// Same object (both null included) is equal, exactly one null is not, otherwise the left
// object's equals decides.
template <class T, class U>
bool operator==(const DPtr<T>& left, const DPtr<U>& right)
{
    return objectsEqual(left.get(), right.get());
}
template <class T, class U>
bool operator!=(const DPtr<T>& left, const DPtr<U>& right)
{
    return !(left == right);
}
template <class T>
bool operator==(const DPtr<T>& p, std::nullptr_t) noexcept
{
    return p.isNull();
}
template <class T>
bool operator!=(const DPtr<T>& p, std::nullptr_t) noexcept
{
    return !p.isNull();
}

// Checked downcast: null stays null; an object of another class throws ClassCastException.
[[noreturn]] void throwClassCast();
template <class T, class U>
DPtr<T> ptrCast(const DPtr<U>& from)
{
    if (!from)
        return nullptr;
    T* to = dynamic_cast<T*>(from.get());
    if (!to)
        throwClassCast();
    return DPtr<T>(to);
}

// Downcast that yields null instead of throwing when the class does not match.
template <class T, class U>
DPtr<T> ptrCastOrNull(const DPtr<U>& from)
{
    return DPtr<T>(dynamic_cast<T*>(from.get()));
}

// Base of the interface smart pointers: counting an interface reference counts its owner.
class DInterfacePtr {
public:
    DInterfacePtr() noexcept = default;
    DInterfacePtr(std::nullptr_t) noexcept { }
    DInterfacePtr(DInterface* iface);
    DInterfacePtr(const DInterfacePtr& other);
    DInterfacePtr(DInterfacePtr&& other) noexcept : held(other.held) { other.held = nullptr; }
    virtual ~DInterfacePtr();
    DInterfacePtr& operator=(const DInterfacePtr& other);
    DInterfacePtr& operator=(DInterfacePtr&& other) noexcept;

    void reset();
    DInterface* getInterface() const noexcept { return held; }
    explicit operator bool() const noexcept { return held != nullptr; }
    bool isNull() const noexcept { return held == nullptr; }

protected:
    DInterface* checkedInterface() const;

private:
    DInterface* held = nullptr;
};

// Typed interface pointer for an interface I derived from DInterface.
template <class I>
class DInterfacePtrOf : public DInterfacePtr {
public:
    using DInterfacePtr::DInterfacePtr;
    DInterfacePtrOf(I* iface) : DInterfacePtr(iface) { }
    I* get() const noexcept { return static_cast<I*>(getInterface()); }
    I* operator->() const { return static_cast<I*>(checkedInterface()); }
    I& operator*() const { return *operator->(); }
};

} // namespace vela::lang
