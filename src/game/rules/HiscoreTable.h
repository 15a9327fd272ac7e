// A high-score table kept in its own record store: names and rows of values, best first.
#pragma once

#include "game/rules/HiscoreTable.ptr"
#include "lang/DArray2d.h"
#include "lang/DObject.h"
#include "lang/DString.h"

namespace tintrow {

class HiscoreTable : public vela::lang::DObject {
public:
    void init(const vela::lang::DStringPtr& store, int32_t size,
              const vela::lang::DStringPtr& emptyName);
    // A store without a record, or a record that is short or malformed, keeps the table.
    void load();
    void save();
    bool qualifies(int32_t score) const;
    // Equal values stay above the new entry; the last row drops out.
    void insert(const vela::lang::DStringPtr& name, const vela::lang::DintArrayPtr& rowValues);
    void addScore(const vela::lang::DStringPtr& name, int32_t score);

    int32_t rowCount() const { return names ? names->length() : 0; }

    vela::lang::DStringArrayPtr names;
    vela::lang::DintArray2dPtr values;
    vela::lang::DStringPtr storeName;
};

} // namespace tintrow
