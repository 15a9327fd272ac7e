// The process's one resource archive: opening, closing and finding members by name.
#include "io/DArchive.h"

#include "io/HostPaths.h"
#include "io/SevenZipArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

#include <cstring>
#include <vector>

namespace vela::io {

using namespace lang;

namespace {

struct IndexNode {
    int32_t hash;
    uint32_t member;
};

struct ResourceArchive {
    SevenZipArchive reader;
    // One bucket per non-directory member; chains keep archive order, so of two names with
    // the same hash the earlier member is always found.
    std::vector<std::vector<IndexNode>> buckets;
    std::string failure;
};

ResourceArchive& archive()
{
    static ResourceArchive instance;
    return instance;
}

// The reason is the exception's message too: a player whose game ends on it learns what broke.
[[noreturn]] void fail(const std::string& reason)
{
    archive().failure = reason;
    throw new DExceptionBase(IOException, reason.c_str());
}

void buildIndex(ResourceArchive& a)
{
    uint32_t members = a.reader.memberCount();
    size_t files = 0;
    for (uint32_t i = 0; i < members; ++i)
        files += a.reader.isDirectory(i) ? 0 : 1;
    a.buckets.assign(files, {});
    for (uint32_t i = 0; i < members; ++i) {
        if (a.reader.isDirectory(i))
            continue;
        int32_t hash = archiveNameHash(a.reader.name8(i));
        a.buckets[uint32_t(hash) % files].push_back({hash, i});
    }
}

// The first node of the name's bucket with its hash: names are compared by hash only.
const IndexNode* findMember(const ResourceArchive& a, const std::string& name8)
{
    if (a.buckets.empty())
        return nullptr;
    int32_t hash = archiveNameHash(name8);
    for (const IndexNode& node : a.buckets[uint32_t(hash) % a.buckets.size()])
        if (node.hash == hash)
            return &node;
    return nullptr;
}

} // namespace

int32_t archiveNameHash(const std::string& name8)
{
    uint32_t h = 0;
    for (char c : name8)
        h = h * 31u + uint32_t(int32_t(static_cast<signed char>(c)));
    return int32_t(h);
}

void openArchive(const DStringPtr& name)
{
    if (!name)
        throwException(NullPointerException);
    openArchiveAt(joinPath(programDirectory(), toHostSeparators(name->toUtf8())));
}

void openArchiveAt(const std::string& hostPath)
{
    closeArchive();
    ResourceArchive& a = archive();
    std::string error;
    if (!a.reader.open(hostPath, error))
        fail(hostPath.substr(hostPath.rfind('/') + 1) + " cannot be read: " + error);
    buildIndex(a);
    a.failure.clear();
}

void closeArchive()
{
    ResourceArchive& a = archive();
    a.reader.close();
    a.buckets.clear();
}

bool isArchiveOpen()
{
    return archive().reader.isOpen();
}

std::vector<std::string> archiveMemberNames()
{
    ResourceArchive& a = archive();
    std::vector<std::string> names;
    for (uint32_t i = 0; i < a.reader.memberCount(); ++i)
        if (!a.reader.isDirectory(i))
            names.push_back(a.reader.nameUtf8(i));
    return names;
}

const std::string& archiveFailureReason()
{
    return archive().failure;
}

DbyteArrayPtr readArchiveMember(const std::string& name8)
{
    ResourceArchive& a = archive();
    if (!a.reader.isOpen())
        fail("no archive is open");
    const IndexNode* node = findMember(a, name8);
    if (!node)
        fail("no member \"" + name8 + "\"");
    std::vector<uint8_t> bytes;
    std::string error;
    if (!a.reader.extract(node->member, bytes, error))
        fail("member \"" + name8 + "\": " + error);
    DbyteArrayPtr data = new DbyteArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(data->data(), bytes.data(), bytes.size());
    a.failure.clear();
    return data;
}

int64_t archiveMemberSize(const std::string& name8)
{
    ResourceArchive& a = archive();
    const IndexNode* node = a.reader.isOpen() ? findMember(a, name8) : nullptr;
    return node ? int64_t(a.reader.memberSize(node->member)) : -1;
}

} // namespace vela::io
