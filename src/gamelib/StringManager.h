// Key-to-text table loaded from a string file: language strings, resolution settings, links.
#pragma once

#include "gamelib/StringManager.ptr"
#include "io/DDataInputStream.ptr"
#include "io/DInputStream.ptr"
#include "lang/DString.h"
#include "util/DEnumeration.ptr"
#include "util/DHashtable.ptr"

namespace gamelib {

class StringManager : public vela::lang::DObject {
public:
    StringManager();
    ~StringManager() override;

    // Language files hold modified UTF-8 entries; text files hold byte lines ended by CR LF.
    // Throws the stream's failures for damaged data; a missing resource leaves the table empty.
    void load(const vela::lang::DStringPtr& name, bool languageFile);
    // The same from a stream already open; null leaves the table empty.
    void load(const vela::io::DInputStreamPtr& stream, bool languageFile);
    // The text of the key, or the key itself when it is missing (never null).
    vela::lang::DStringPtr get(const vela::lang::DStringPtr& key);
    vela::lang::DStringPtr get(const char16_t* key);
    // The keys of the table (none before a load), in no particular order.
    vela::util::DEnumerationPtr keys();

    // One more part than there are separators; empty parts are kept.
    static vela::lang::DStringArrayPtr split(const vela::lang::DStringPtr& text, char16_t separator);

    // The stored language choice ("/langid"); -1 when missing or unreadable.
    static int32_t readLanguageIndex();
    // False when the choice could not be stored.
    static bool writeLanguageIndex(int32_t index);

private:
    vela::util::DHashtablePtr table;
};

} // namespace gamelib
