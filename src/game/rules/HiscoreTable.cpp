// A high-score table kept in its own record store: names and rows of values, best first.
#include "game/rules/HiscoreTable.h"

#include <string>

#include "game/rules/StoreRecords.h"
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"

using namespace vela::lang;
using namespace vela::io;

namespace tintrow {

void HiscoreTable::init(const DStringPtr& store, int32_t size, const DStringPtr& emptyName)
{
    storeName = store;
    names = new DStringArray(size);
    values = new DintArray2d(size, 1);
    for (int32_t i = 0; i < size; ++i)
        names[i] = emptyName;
}

// Each row needs at least a two-byte name length and a one-byte value count, so a record
// cannot honestly declare more rows than that allows.
static constexpr int32_t MIN_ROW_BYTES = 3;

void HiscoreTable::load()
{
    DbyteArrayPtr bytes = readRecordOne(storeName->getChars());
    if (!bytes)
        return;
    try {
        DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(bytes));
        int32_t n = in->readInt();
        if (n < 0 || n > (bytes->length() - 4) / MIN_ROW_BYTES)
            return;
        DStringArrayPtr readNames = new DStringArray(n);
        for (int32_t i = 0; i < n; ++i)
            readNames[i] = in->readUTF();
        DintArray2dPtr readValues = new DintArray2d(n);
        for (int32_t i = 0; i < n; ++i) {
            int32_t k = in->readByte();
            // Every row holds its score at position 0.
            if (k < 1 || k * 4 > in->available())
                return;
            DintArrayPtr row = new DintArray(k);
            for (int32_t j = 0; j < k; ++j)
                row[j] = in->readInt();
            readValues[i] = row;
        }
        names = readNames;
        values = readValues;
    } catch (DExceptionBase* e) {
        acceptException(e, IOException);
    }
}

void HiscoreTable::save()
{
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(bytes);
    int32_t n = rowCount();
    out->writeInt(n);
    for (int32_t i = 0; i < n; ++i)
        out->writeUTF(names[i]);
    for (int32_t i = 0; i < n; ++i) {
        DintArrayPtr row = values[i];
        out->writeByte(row->length());
        for (int32_t j = 0; j < row->length(); ++j)
            out->writeInt(row[j]);
    }
    writeRecordOne(storeName->getChars(), bytes->toByteArray());
}

bool HiscoreTable::qualifies(int32_t score) const
{
    for (int32_t i = 0; i < rowCount(); ++i)
        if (values[i][0] < score)
            return true;
    return false;
}

void HiscoreTable::insert(const DStringPtr& name, const DintArrayPtr& rowValues)
{
    int32_t v = rowValues[0];
    int32_t n = rowCount();
    for (int32_t i = 0; i < n; ++i) {
        if (values[i][0] >= v)
            continue;
        for (int32_t j = n - 1; j > i; --j) {
            names[j] = names[j - 1];
            values[j] = values[j - 1];
        }
        names[i] = name;
        values[i] = rowValues;
        return;
    }
}

void HiscoreTable::addScore(const DStringPtr& name, int32_t score)
{
    DintArrayPtr row = new DintArray(1);
    row[0] = score;
    insert(name, row);
}

} // namespace tintrow
