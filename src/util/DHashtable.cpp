// Chained hash table: buckets of counted entries, growth to 2n+1, enumerators.
#include "util/DHashtable.h"

#include "lang/DExceptionBase.h"

namespace vela::util {

using vela::lang::DObject;
using vela::lang::DObjectPtr;
using vela::lang::throwException;

class DHashtable::DEnumerator : public DObject, public DEnumeration {
public:
    DEnumerator(const DEntryArrayPtr& table, bool yieldKeys)
        : DEnumeration(this), table(table), yieldKeys(yieldKeys), index(table->length())
    {
    }

    // Buckets from the highest index down, each from head to tail.
    bool hasMoreElements() override
    {
        while (!current && index > 0)
            current = table->get(--index);
        return !current.isNull();
    }

    DObjectPtr nextElement() override
    {
        if (!hasMoreElements())
            return nullptr;
        DEntryPtr entry = current;
        current = entry->next;
        return yieldKeys ? entry->key : entry->value;
    }

private:
    DEntryArrayPtr table;
    bool yieldKeys;
    DEntryPtr current;
    int32_t index;
};

DHashtable::DEntry::DEntry(int32_t hash, DObjectPtr key, DObjectPtr value, DEntryPtr next)
    : hash(hash), key(std::move(key)), value(std::move(value)), next(std::move(next))
{
}

// Frees the rest of a chain iteratively, so a long chain of colliding keys cannot exhaust the
// stack through nested releases.
DHashtable::DEntry::~DEntry()
{
    DEntryPtr rest = std::move(next);
    while (rest && rest->refCount() == 1) {
        DEntryPtr after = std::move(rest->next);
        rest = std::move(after);
    }
}

static int32_t thresholdFor(int32_t capacity, int32_t loadFactor)
{
    return static_cast<int32_t>(int64_t { capacity } * loadFactor / 100);
}

DHashtable::DHashtable(int32_t initialCapacity, int32_t loadFactorPercent)
{
    if (initialCapacity < 0 || loadFactorPercent <= 0)
        throwException(vela::lang::IllegalArgumentException);
    capacity = initialCapacity == 0 ? 1 : initialCapacity;
    loadFactor = loadFactorPercent;
    threshold = thresholdFor(capacity, loadFactor);
    table = new DEntryArray(capacity);
}

DHashtable::~DHashtable() = default;

int32_t DHashtable::bucketOf(int32_t hash) const
{
    return static_cast<int32_t>((static_cast<uint32_t>(hash) & 0x7FFFFFFFu)
        % static_cast<uint32_t>(capacity));
}

DHashtable::DEntry* DHashtable::find(const DObjectPtr& key, int32_t hash) const
{
    for (DEntry* e = (*table)[bucketOf(hash)].get(); e; e = e->next.get())
        if (e->hash == hash && key->equals(e->key))
            return e;
    return nullptr;
}

DObjectPtr DHashtable::put(DObjectPtr key, DObjectPtr value)
{
    if (!key || !value)
        throwException(vela::lang::NullPointerException);
    int32_t hash = key->hashCode();
    if (DEntry* existing = find(key, hash)) {
        DObjectPtr old = std::move(existing->value);
        existing->value = std::move(value);
        return old;
    }
    if (count >= threshold)
        rehash();
    int32_t bucket = bucketOf(hash);
    DEntryPtr entry = new DEntry(hash, std::move(key), std::move(value), table->get(bucket));
    table->set(bucket, entry);
    ++count;
    return nullptr;
}

DObjectPtr DHashtable::get(DObjectPtr key) const
{
    DEntry* e = find(key, key->hashCode());
    return e ? e->value : nullptr;
}

DObjectPtr DHashtable::get(int32_t hash) const
{
    for (DEntry* e = (*table)[bucketOf(hash)].get(); e; e = e->next.get())
        if (e->hash == hash)
            return e->value;
    return nullptr;
}

DObjectPtr DHashtable::remove(DObjectPtr key)
{
    int32_t hash = key->hashCode();
    int32_t bucket = bucketOf(hash);
    DEntry* previous = nullptr;
    for (DEntryPtr e = table->get(bucket); e; e = e->next) {
        if (e->hash == hash && key->equals(e->key)) {
            // The removed entry keeps its successor, so an enumerator standing on it goes on.
            if (previous)
                previous->next = e->next;
            else
                table->set(bucket, e->next);
            --count;
            return e->value;
        }
        previous = e.get();
    }
    return nullptr;
}

void DHashtable::clear()
{
    DEnumerationPtr all = keys();
    while (all->hasMoreElements())
        remove(all->nextElement());
}

// Entries move to the head of their new bucket in the order of the walk. While an
// enumerator holds the old bucket array the entries are copied instead of relinked, so the
// enumerator still sees every old entry exactly once.
void DHashtable::rehash()
{
    DEntryArrayPtr old = table;
    const int32_t oldCapacity = capacity;
    const bool watched = old->refCount() > 2;
    capacity = oldCapacity * 2 + 1;
    threshold = thresholdFor(capacity, loadFactor);
    table = new DEntryArray(capacity);
    for (int32_t i = 0; i < oldCapacity; ++i) {
        DEntryPtr e = old->get(i);
        while (e) {
            DEntryPtr next = e->next;
            DEntryPtr moved = watched ? DEntryPtr(new DEntry(e->hash, e->key, e->value, nullptr)) : e;
            int32_t bucket = bucketOf(e->hash);
            moved->next = table->get(bucket);
            table->set(bucket, moved);
            e = std::move(next);
        }
    }
}

DEnumerationPtr DHashtable::keys()
{
    return DEnumerationPtr(new DEnumerator(table, true));
}

DEnumerationPtr DHashtable::elements()
{
    return DEnumerationPtr(new DEnumerator(table, false));
}

} // namespace vela::util
