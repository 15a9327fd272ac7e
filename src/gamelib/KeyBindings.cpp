// The key-binding store of the controls screen ("keys_" + application name) and the defaults.
#include "gamelib/CustomControls.h"

#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DCanvas.h"
#include "microedition/rms/DRecordStore.h"

using namespace vela::lang;
using namespace vela::io;
using vela::microedition::rms::DRecordStore;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::rms::DRecordStore;
using vela::microedition::rms::DRecordStorePtr;

namespace gamelib {

void CustomControls::defaultKeys(int32_t action, int32_t* keys, int32_t count)
{
    int32_t found = 0;
    for (int32_t i = 0; i < DCanvas::DEFAULT_KEY_COUNT && found < count; ++i)
        if (DCanvas::DEFAULT_KEYS[i].action == action)
            keys[found++] = DCanvas::DEFAULT_KEYS[i].key;
    while (found < count)
        keys[found++] = -1;
}

void CustomControls::resetToDefaults()
{
    for (int32_t a = 0; a < SLOT_COUNT; ++a) {
        DintArrayPtr keys = ptrCastOrNull<DintArray>((*bindings)[a]);
        if (keys)
            defaultKeys(a, keys->data(), keys->length());
    }
}

// Reads every record before changing anything; false when the store is missing, empty or
// damaged.
bool CustomControls::readStore(const DObjectArrayPtr& into)
{
    bool complete = false;
    catchKind(Exception, [&] {
        DRecordStorePtr store = DRecordStore::openRecordStore(storeName, false);
        if (store->getNumRecords() == 0)
            return;
        int32_t record = 1;
        for (int32_t a = 0; a < SLOT_COUNT; ++a) {
            if (!(*bindings)[a])
                continue;
            DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(store->getRecord(record++)));
            DintArrayPtr keys = new DintArray(keysPerAction);
            for (int32_t k = 0; k < keysPerAction; ++k)
                (*keys)[k] = in->readInt();
            (*into)[a] = keys;
        }
        complete = true;
    });
    return complete;
}

DObjectArrayPtr CustomControls::loadBindings()
{
    DObjectArrayPtr stored = new DObjectArray(SLOT_COUNT);
    if (readStore(stored)) {
        for (int32_t a = 0; a < SLOT_COUNT; ++a)
            if ((*bindings)[a])
                (*bindings)[a] = (*stored)[a];
    } else {
        resetToDefaults();
    }
    return bindings;
}

bool CustomControls::saveBindings()
{
    return !catchKind(Exception, [&] {
        DRecordStorePtr store = DRecordStore::openRecordStore(storeName, true);
        const int32_t existing = store->getNumRecords();
        int32_t record = 0;
        for (int32_t a = 0; a < SLOT_COUNT; ++a) {
            DintArrayPtr keys = ptrCastOrNull<DintArray>((*bindings)[a]);
            if (!keys)
                continue;
            DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
            DDataOutputStreamPtr out = new DDataOutputStream(bytes);
            for (int32_t k = 0; k < keys->length(); ++k)
                out->writeInt((*keys)[k]);
            DbyteArrayPtr data = bytes->toByteArray();
            if (existing < record + 1)
                store->addRecord(data, 0, data->length());
            else
                store->setRecord(record + 1, data, 0, data->length());
            ++record;
        }
    });
}

} // namespace gamelib
