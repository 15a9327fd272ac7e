// Persistent named stores of numbered byte records, kept by the host between runs.
#include "microedition/rms/DRecordStore.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/rms/RecordFolder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace vela::microedition::rms {

using namespace lang;

DRecordStorePtr DRecordStore::openRecordStore(const DStringPtr& name, bool create)
{
    if (!name)
        throwException(IllegalArgumentException);
    std::string path = storeFolderPath(name->toUtf8());
    if (path.empty())
        throwException(RecordStoreException);
    int fd = openStoreFolder(path, create);
    if (fd == -ENOENT)
        throwException(RecordStoreNotFoundException);
    if (fd < 0)
        throwException(RecordStoreException);
    return new DRecordStore(name, fd);
}

void DRecordStore::deleteRecordStore(const DStringPtr& name)
{
    if (!name)
        throwException(IllegalArgumentException);
    std::string path = storeFolderPath(name->toUtf8());
    if (path.empty() || deleteStoreFolder(path) != 0)
        throwException(RecordStoreNotFoundException);
}

DRecordStore::DRecordStore(const DStringPtr& name, int folderFd) : name(name), folderFd(folderFd) { }

DRecordStore::~DRecordStore()
{
    if (folderFd >= 0)
        ::close(folderFd);
}

int DRecordStore::openFolder() const
{
    if (folderFd < 0)
        throwException(RecordStoreNotOpenException);
    return folderFd;
}

void DRecordStore::clip(const DbyteArrayPtr& data, int32_t offset, int32_t& count)
{
    int32_t length = data->length();
    if (offset < 0 || offset > length || count < 0)
        throwException(RecordStoreException);
    count = std::min(count, length - offset);
}

int32_t DRecordStore::getNextRecordID()
{
    std::vector<int32_t> ids;
    if (!listRecordIds(openFolder(), ids))
        throwException(RecordStoreException);
    int32_t largest = ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end());
    if (largest == INT32_MAX) // ids are positive 32-bit numbers: no next one
        throwException(RecordStoreFullException);
    return largest + 1;
}

int32_t DRecordStore::getNumRecords()
{
    std::vector<int32_t> ids;
    if (!listRecordIds(openFolder(), ids))
        throwException(RecordStoreNotOpenException);
    return int32_t(ids.size());
}

int32_t DRecordStore::addRecord(DbyteArrayPtr data, int32_t offset, int32_t count)
{
    if (!data)
        return getNextRecordID();
    int fd = openFolder();
    clip(data, offset, count);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(data->data()) + offset;
    // Another store object (or process) may take the id first; the write never replaces,
    // so then the next free id is tried.
    for (;;) {
        int32_t id = getNextRecordID();
        int error = writeRecord(fd, id, bytes, size_t(count), false);
        if (error == 0)
            return id;
        if (error != EEXIST)
            throwException(RecordStoreException);
    }
}

void DRecordStore::setRecord(int32_t id, DbyteArrayPtr data, int32_t offset, int32_t count)
{
    int fd = openFolder();
    clip(data, offset, count);
    if (id < 1 || recordSize(fd, id) == -ENOENT)
        throwException(InvalidRecordIDException);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(data->data()) + offset;
    if (writeRecord(fd, id, bytes, size_t(count), true) != 0)
        throwException(RecordStoreException);
}

int32_t DRecordStore::getRecordSize(int32_t id)
{
    int fd = openFolder();
    int64_t size = id < 1 ? -ENOENT : recordSize(fd, id);
    if (size < 0 || size > INT32_MAX)
        throwException(RecordStoreException);
    return int32_t(size);
}

DbyteArrayPtr DRecordStore::getRecord(int32_t id)
{
    int fd = openFolder();
    std::vector<uint8_t> bytes;
    if (id < 1 || readRecord(fd, id, bytes) != 0 || bytes.size() > size_t(INT32_MAX))
        throwException(RecordStoreException);
    DbyteArrayPtr record = new DbyteArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(record->data(), bytes.data(), bytes.size());
    return record;
}

} // namespace vela::microedition::rms
