// tintrow-tool store: adds, replaces, reads and counts records of the game's record stores.
#include "Commands.h"
#include "ParseNumber.h"

#include "io/HostPaths.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace vela;
using microedition::rms::DRecordStore;
using microedition::rms::DRecordStorePtr;

namespace {

// The stores are the game's own: the same application name places them.
std::string gameName()
{
    return "Tintrow";
}

// A record read from standard input larger than this is refused rather than buffered.
constexpr size_t MAX_RECORD_BYTES = size_t(256) << 20;

int storeUsage()
{
    std::fputs("usage: tintrow-tool store add NAME | set NAME ID | get NAME ID | count NAME | "
               "next NAME | delete NAME\n",
               stderr);
    return 2;
}

// Standard input as one array; false when it is larger than a record may be.
bool readInput(lang::DbyteArrayPtr& data)
{
    std::vector<char> bytes;
    char chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) {
        if (bytes.size() + got > MAX_RECORD_BYTES)
            return false;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    data = new lang::DbyteArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(data->data(), bytes.data(), bytes.size());
    return true;
}

struct StoreRequest {
    std::string verb;
    lang::DStringPtr name;
    int32_t id = 0;
};

int perform(const StoreRequest& r)
{
    if (r.verb == "delete") {
        DRecordStore::deleteRecordStore(r.name);
        return 0;
    }
    bool adding = r.verb == "add";
    lang::DbyteArrayPtr input;
    if ((adding || r.verb == "set") && !readInput(input)) {
        std::fputs("tintrow-tool: standard input is larger than a record may be\n", stderr);
        return 1;
    }
    DRecordStorePtr store = DRecordStore::openRecordStore(r.name, adding);
    if (adding) {
        std::printf("%d\n", store->addRecord(input, 0, input->length()));
    } else if (r.verb == "set") {
        store->setRecord(r.id, input, 0, input->length());
    } else if (r.verb == "get") {
        lang::DbyteArrayPtr record = store->getRecord(r.id);
        std::fwrite(record->data(), 1, size_t(record->length()), stdout);
    } else if (r.verb == "count") {
        std::printf("%d\n", store->getNumRecords());
    } else {
        std::printf("%d\n", store->getNextRecordID());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int runStore(int argc, char** argv)
{
    static const struct {
        const char* verb;
        int argc;
    } VERBS[] = {{"add", 2}, {"set", 3}, {"get", 3}, {"count", 2}, {"next", 2}, {"delete", 2}};
    StoreRequest request;
    for (const auto& v : VERBS)
        if (argc == v.argc && std::strcmp(argv[0], v.verb) == 0)
            request.verb = v.verb;
    if (request.verb.empty() || (argc == 3 && !parseNumber(argv[2], INT32_MIN, INT32_MAX, request.id)))
        return storeUsage();
    io::setAppNameSource(gameName);
    request.name = lang::DString::fromUtf8(argv[1]);
    try {
        return perform(request);
    } catch (lang::DExceptionBase* e) {
        std::string kind = e ? lang::DString(lang::DExceptionBase::nameOf(e->code)).toUtf8()
                             : "unidentified failure";
        std::string what = "store " + request.verb + " \"" + argv[1] + "\"";
        if (argc == 3)
            what += std::string(" record ") + argv[2];
        std::fprintf(stderr, "tintrow-tool: %s: %s failed\n", kind.c_str(), what.c_str());
        delete e;
        return 1;
    }
}
