// tintrow-tool dat: lists the members of a 7z archive and prints one member's bytes.
#include "Commands.h"

#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace vela;

namespace {

int datUsage()
{
    std::fputs("usage: tintrow-tool dat ls ARCHIVE | dat cat ARCHIVE MEMBER\n", stderr);
    return 2;
}

int listMembers()
{
    for (const std::string& name : io::archiveMemberNames())
        std::printf("%s\n", name.c_str());
    return 0;
}

int catMember(const char* member)
{
    io::D7zipInputStreamPtr in = new io::D7zipInputStream(lang::DString::fromUtf8(member));
    lang::DbyteArrayPtr chunk = new lang::DbyteArray(65536);
    for (int32_t got; (got = in->read(chunk, 0, chunk->length())) > 0;)
        std::fwrite(chunk->data(), 1, size_t(got), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int runDat(int argc, char** argv)
{
    bool ls = argc == 2 && std::strcmp(argv[0], "ls") == 0;
    bool cat = argc == 3 && std::strcmp(argv[0], "cat") == 0;
    if (!ls && !cat)
        return datUsage();
    std::string doing = std::string("cannot open archive \"") + argv[1] + "\"";
    try {
        io::openArchiveAt(argv[1]);
        if (ls)
            return listMembers();
        doing = std::string("cannot read member \"") + argv[2] + "\" of \"" + argv[1] + "\"";
        return catMember(argv[2]);
    } catch (lang::DExceptionBase* e) {
        std::string kind = e ? lang::DString(lang::DExceptionBase::nameOf(e->code)).toUtf8()
                             : "unidentified failure";
        const std::string& reason = io::archiveFailureReason();
        std::fprintf(stderr, "tintrow-tool: %s: %s%s%s\n", kind.c_str(), doing.c_str(),
                     reason.empty() ? "" : ": ", reason.c_str());
        delete e;
        return 1;
    }
}
