// Class names and storage of the array classes.
#include "lang/DArray.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "lang/DArray2d.h"
#include "lang/DExceptionBase.h"

namespace vela::lang {

namespace {

// Room for any class name of the system plus its suffix.
constexpr size_t CLASS_NAME_UNITS = 256;

// Each derived name lives in one static buffer per class that later calls overwrite but never
// free, so a name kept across the next call reads that call's text. The base may itself live
// in that buffer (an object array of object arrays), hence the copy first.
const char* composeName(char (&buffer)[CLASS_NAME_UNITS], const char* base, const char* suffix)
{
    std::string name = std::string(base) + suffix;
    size_t n = std::min(name.size(), CLASS_NAME_UNITS - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = 0;
    return buffer;
}

} // namespace

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
    static char name[CLASS_NAME_UNITS];
    return composeName(name, elements[0]->getClassName(), "Array");
}

const char* DObjectArray2d::getClassName() const
{
    if (length() < 1 || !get(0))
        return "DObjectArray2d";
    static char name[CLASS_NAME_UNITS];
    return composeName(name, get(0)->getClassName(), "2d");
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
