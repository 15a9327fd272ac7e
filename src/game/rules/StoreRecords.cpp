// Record 1 of the game's single-record stores, with every store failure absorbed.
#include "game/rules/StoreRecords.h"

#include "lang/DArray.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

using namespace vela::lang;
using vela::microedition::rms::DRecordStore;
using vela::microedition::rms::DRecordStorePtr;

namespace tintrow {

// Store and stream failures count as "nothing there" or "not written"; anything else is a
// fault of the program and passes on.
static constexpr uint32_t ABSORBED[] = {RecordStoreException, IOException};

template <class Body>
static bool absorbing(Body&& body)
{
    try {
        body();
        return true;
    } catch (DExceptionBase* e) {
        for (uint32_t kind : ABSORBED) {
            if (DExceptionBase::isKind(e, kind)) {
                delete e;
                return false;
            }
        }
        throw;
    }
}

DbyteArrayPtr readRecordOne(const char16_t* storeName)
{
    DbyteArrayPtr bytes;
    absorbing([&] {
        DRecordStorePtr store = DRecordStore::openRecordStore(new DString(storeName), false);
        if (store->getNumRecords() > 0)
            bytes = store->getRecord(1);
    });
    return bytes;
}

bool writeRecordOne(const char16_t* storeName, const DbyteArrayPtr& bytes)
{
    return absorbing([&] {
        DRecordStorePtr store = DRecordStore::openRecordStore(new DString(storeName), true);
        if (store->getNumRecords() == 0)
            store->addRecord(bytes, 0, bytes->length());
        else
            store->setRecord(1, bytes, 0, bytes->length());
    });
}

bool storeHasRecord(const char16_t* storeName)
{
    bool has = false;
    absorbing([&] {
        DRecordStorePtr store = DRecordStore::openRecordStore(new DString(storeName), false);
        has = store->getNumRecords() > 0;
    });
    return has;
}

void removeStore(const char16_t* storeName)
{
    absorbing([&] { DRecordStore::deleteRecordStore(new DString(storeName)); });
}

} // namespace tintrow
