// Root class of every runtime object: intrusive reference count and identity operations.
#pragma once

#include <cstdint>

#include "lang/DObject.ptr"
#include "lang/DString.ptr"

namespace vela::lang {

class DObject {
public:
    DObject() = default;
    DObject(const DObject&) = delete;
    DObject& operator=(const DObject&) = delete;

    // Virtual operations, in the slot order every runtime class keeps.
    virtual void reserved0() { }
    virtual const char* getClassName() const;
    virtual ~DObject();
    virtual DStringPtr toString();
    virtual int32_t hashCode();
    virtual bool equals(DObjectPtr other);
    virtual DObjectPtr reserved6();

    void retain() { ++count; }
    // A count of 0 or below is left alone: such an object is owned by whoever made it.
    void release()
    {
        if (count >= 1 && --count == 0) {
            // References taken and dropped while the destructors run must not free it twice.
            count = DESTROYING;
            delete this;
        }
    }
    int32_t refCount() const { return count; }

private:
    static constexpr int32_t DESTROYING = -0x40000000;
    int32_t count = 0;
};

} // namespace vela::lang
