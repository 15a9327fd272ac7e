// Key-to-text table loaded from a string file.
#include "gamelib/StringManager.h"

#include "gamelib/Resources.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DStringBuffer.h"
#include "util/DHashtable.h"

#include <vector>

using namespace vela::lang;
using vela::io::DDataInputStream;
using vela::io::DDataInputStreamPtr;
using vela::io::DInputStreamPtr;

namespace gamelib {

namespace {

const char16_t INCLUDE_KEYWORD[] = u"#INCLUDE";
// The keyword and one separator come before the file name.
const int32_t INCLUDE_NAME_START = 9;
const int32_t CARRIAGE_RETURN = 0x0D;

// Reads one entry or line; throws EOFException at the end of the data, which drops a
// partial last line of a text file.
DStringPtr readEntry(DDataInputStream& in, bool languageFile)
{
    if (languageFile)
        return in.readUTF();
    std::u16string line;
    for (;;) {
        int8_t byte = in.readByte();
        if (byte == CARRIAGE_RETURN)
            break;
        line.push_back(static_cast<char16_t>(static_cast<int16_t>(byte)));
    }
    in.readByte(); // the line feed
    return new DString(line.data(), static_cast<int32_t>(line.size()));
}

// Calls `take` for each entry of the stream until the data ends.
template <class Take>
void readEntries(const DInputStreamPtr& stream, bool languageFile, Take take)
{
    DDataInputStreamPtr in = new DDataInputStream(stream);
    try {
        for (;;)
            take(readEntry(*in, languageFile));
    } catch (DExceptionBase* e) {
        stream->close();
        acceptException(e, EOFException);
        return;
    }
}

// The contents of an included resource: every entry followed by a line feed; empty when the
// resource is missing.
DStringPtr readInclude(const DStringPtr& value, bool languageFile)
{
    DStringPtr name = value->length() > INCLUDE_NAME_START
        ? value->substring(INCLUDE_NAME_START)->toLowerCase()
        : DStringPtr(new DString());
    DStringBufferPtr text = new DStringBuffer();
    DInputStreamPtr stream = Resources::openResource(name);
    if (stream)
        readEntries(stream, languageFile, [&text](const DStringPtr& entry) {
            text->append(entry);
            text->append(u'\n');
        });
    return text->toString();
}

}

StringManager::StringManager() = default;
StringManager::~StringManager() = default;

void StringManager::load(const DStringPtr& name, bool languageFile)
{
    load(Resources::openResource(name), languageFile);
}

void StringManager::load(const DInputStreamPtr& stream, bool languageFile)
{
    table = new vela::util::DHashtable(11, 75);
    if (!stream)
        return;
    const DStringPtr keyword = new DString(INCLUDE_KEYWORD);
    readEntries(stream, languageFile, [&](const DStringPtr& entry) {
        int32_t equals = entry->indexOf(u'=');
        if (equals < 0)
            return;
        DStringPtr value = entry->substring(equals + 1);
        if (value->toUpperCase()->startsWith(keyword))
            value = readInclude(value, languageFile);
        table->put(entry->substring(0, equals), value);
    });
}

DStringPtr StringManager::get(const DStringPtr& key)
{
    if (table && key) {
        DStringPtr text = ptrCastOrNull<DString>(table->get(key));
        if (text)
            return text;
    }
    return key;
}

DStringPtr StringManager::get(const char16_t* key)
{
    return get(DStringPtr(new DString(key)));
}

vela::util::DEnumerationPtr StringManager::keys()
{
    if (!table)
        table = new vela::util::DHashtable(11, 75);
    return table->keys();
}

DStringArrayPtr StringManager::split(const DStringPtr& text, char16_t separator)
{
    std::vector<int32_t> cuts;
    for (int32_t at = text->indexOf(separator); at >= 0; at = text->indexOf(separator, at + 1))
        cuts.push_back(at);
    DStringArrayPtr parts = new DStringArray(static_cast<int32_t>(cuts.size()) + 1);
    int32_t begin = 0;
    for (size_t i = 0; i < cuts.size(); ++i) {
        parts->set(static_cast<int32_t>(i), text->substring(begin, cuts[i]));
        begin = cuts[i] + 1;
    }
    parts->set(static_cast<int32_t>(cuts.size()), text->substring(begin));
    return parts;
}

} // namespace gamelib
