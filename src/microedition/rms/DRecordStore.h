// Persistent named stores of numbered byte records, kept by the host between runs.
#pragma once

#include "lang/DArray.h"
#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "microedition/rms/DRecordStore.ptr"

namespace vela::microedition::rms {

// One folder per store under the application's data folder, one file per record; each
// write replaces a record atomically. Failures throw the RecordStoreException family.
class DRecordStore : public lang::DObject {
public:
    // A null name throws IllegalArgumentException; a missing store without `create`
    // RecordStoreNotFoundException; any other failure RecordStoreException.
    static DRecordStorePtr openRecordStore(const lang::DStringPtr& name, bool create);
    // Removes the store and its records; failure throws RecordStoreNotFoundException.
    static void deleteRecordStore(const lang::DStringPtr& name);

    ~DRecordStore() override;

    // Stores `count` bytes (clipped to the array) from `offset` as a new record and returns
    // its id, one past the largest id in the store. A null array stores nothing and returns
    // the id the next record would get.
    int32_t addRecord(lang::DbyteArrayPtr data, int32_t offset, int32_t count);
    // Replaces an existing record; a missing id throws InvalidRecordIDException.
    void setRecord(int32_t id, lang::DbyteArrayPtr data, int32_t offset, int32_t count);
    lang::DbyteArrayPtr getRecord(int32_t id);
    int32_t getRecordSize(int32_t id);
    int32_t getNumRecords();
    int32_t getNextRecordID();

private:
    DRecordStore(const lang::DStringPtr& name, int folderFd);
    int openFolder() const;
    // The bytes to store from (data, offset, count), after the offset check and clipping.
    static void clip(const lang::DbyteArrayPtr& data, int32_t offset, int32_t& count);

    lang::DStringPtr name;
    int folderFd;
};

} // namespace vela::microedition::rms
