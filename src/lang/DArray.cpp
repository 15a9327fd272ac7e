// Class names and storage of the array classes.
#include "lang/DArray.h"

#include <string>

#include "lang/DArray2d.h"
#include "lang/DExceptionBase.h"

namespace vela::lang {

const char* DbyteArray::getClassName() const
{
    return "DbyteArray";
}

const char* DshortArray::getClassName() const
{
    return "DshortArray";
}

const char* DintArray::getClassName() const
{
    return "DintArray";
}

DObjectArray::DObjectArray(int32_t length)
    : elements(length >= 1 ? new DObjectPtr[length] : nullptr), count(length)
{
}

DObjectArray::~DObjectArray()
{
    delete[] elements;
}

const char* DObjectArray::getClassName() const
{
    if (count < 1)
        return "DObjectArray";
    static std::string name;
    name = std::string(elements[0]->getClassName()) + "Array";
    return name.c_str();
}

const char* DObjectArray2d::getClassName() const
{
    if (length() < 1 || !get(0))
        return "DObjectArray2d";
    static std::string name;
    name = std::string(get(0)->getClassName()) + "2d";
    return name.c_str();
}

const char* DbyteArray2d::getClassName() const
{
    return "DbyteArray2d";
}

const char* DshortArray2d::getClassName() const
{
    return "DshortArray2d";
}

const char* DintArray2d::getClassName() const
{
    return "DintArray2d";
}

} // namespace vela::lang
