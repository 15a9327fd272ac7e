// Enumeration interface of the containers: yields their elements one by one.
#pragma once

#include "lang/DInterface.h"
#include "lang/DObject.h"
#include "util/DEnumeration.ptr"

namespace vela::util {

class DEnumeration : public vela::lang::DInterface {
public:
    using DInterface::DInterface;
    virtual bool hasMoreElements() = 0;
    // The next element, or null when there are no more (never throws for that).
    virtual vela::lang::DObjectPtr nextElement() = 0;
};

} // namespace vela::util
