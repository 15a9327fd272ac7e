// Chained hash table from object keys to object values.
#pragma once

#include "lang/DArray.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.ptr"

namespace vela::util {

class DHashtable : public vela::lang::DObject {
public:
    class DEntry;
    class DEntryArray;
    using DEntryPtr = vela::lang::DPtr<DEntry>;
    using DEntryArrayPtr = vela::lang::DPtr<DEntryArray>;

    // capacity < 0 or loadFactorPercent <= 0 throws IllegalArgumentException.
    explicit DHashtable(int32_t initialCapacity = 11, int32_t loadFactorPercent = 75);
    ~DHashtable() override;

    // Null key or value throws NullPointerException. Returns the replaced value or null.
    vela::lang::DObjectPtr put(vela::lang::DObjectPtr key, vela::lang::DObjectPtr value);
    vela::lang::DObjectPtr get(vela::lang::DObjectPtr key) const;
    // The value of the first entry in the integer's bucket whose stored hash is that integer,
    // keys not compared: a lookup by DInteger key that allocates nothing.
    vela::lang::DObjectPtr get(int32_t hash) const;
    vela::lang::DObjectPtr remove(vela::lang::DObjectPtr key);
    void clear();
    int32_t size() const { return count; }
    DEnumerationPtr keys();
    DEnumerationPtr elements();

    int32_t getCapacity() const { return capacity; }
    int32_t getThreshold() const { return threshold; }

private:
    class DEnumerator;
    int32_t bucketOf(int32_t hash) const;
    DEntry* find(const vela::lang::DObjectPtr& key, int32_t hash) const;
    void rehash();

    DEntryArrayPtr table;
    int32_t capacity;
    int32_t count = 0;
    int32_t loadFactor;
    int32_t threshold;
};

class DHashtable::DEntry : public vela::lang::DObject {
public:
    DEntry(int32_t hash, vela::lang::DObjectPtr key, vela::lang::DObjectPtr value, DEntryPtr next);
    ~DEntry() override;

    int32_t hash;
    vela::lang::DObjectPtr key;
    vela::lang::DObjectPtr value;
    DEntryPtr next;
};

class DHashtable::DEntryArray : public vela::lang::DObjectArrayOf<DEntry> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace vela::util
