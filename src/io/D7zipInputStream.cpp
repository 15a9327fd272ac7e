// Input stream over one member of the resource archive, decoded whole when opened.
#include "io/D7zipInputStream.h"

#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace vela::io {

using namespace lang;

namespace {

constexpr size_t MAX_NAME_BYTES = 256;

} // namespace

std::string D7zipInputStream::memberKey(const DStringPtr& name)
{
    std::u16string_view units = name->view();
    if (!units.empty() && (units[0] == u'/' || units[0] == u'\\'))
        units.remove_prefix(1);
    std::string key;
    for (char16_t u : units.substr(0, MAX_NAME_BYTES))
        key += u == u'\\' ? '/' : char(u & 0xFF);
    return key;
}

D7zipInputStream::D7zipInputStream(const DStringPtr& name)
{
    if (!name)
        throwException(NullPointerException);
    setData(readArchiveMember(memberKey(name)));
}

} // namespace vela::io
