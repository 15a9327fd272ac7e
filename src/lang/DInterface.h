// Base of interfaces implemented by DObject subclasses; counts through its owner object.
#pragma once

#include "lang/DInterface.ptr"

namespace vela::lang {

class DInterface {
public:
    explicit DInterface(DObject* owner) : owner(owner) { }
    DInterface(const DInterface&) = delete;
    DInterface& operator=(const DInterface&) = delete;
    virtual ~DInterface() = default;

    DObject* getOwner() const { return owner; }

private:
    DObject* owner;
};

} // namespace vela::lang
