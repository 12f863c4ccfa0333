// A hash table from an integer key to an integer value. Copies share one
// table; the table goes with its last copy.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class KeyedTable {
public:
    enum class Kind { Integer };

    // Replaces any table held before with an empty one.
    bool create(Kind keyKind = Kind::Integer, Kind valueKind = Kind::Integer);
    bool isCreated() const { return table_ != nullptr; }

    // 1 when an existing key's value was replaced, 0 when a key was added,
    // -1 without a table.
    int set(INT_PTR key, INT_PTR value);
    // The value, 0 when the key is absent.
    INT_PTR get(INT_PTR key) const;
    bool containsKey(INT_PTR key) const;
    // 1 when an entry was removed, 0 when the key was absent.
    int remove(INT_PTR key);
    // The keys bucket by bucket and, within a bucket, in chain order.
    int keys(std::vector<INT_PTR>& out) const;
    void clear();

    size_t count() const;
    size_t bucketCount() const;

private:
    struct Entry {
        uint32_t hash;
        INT_PTR key;
        INT_PTR value;
        Entry* next;
    };
    struct Table {
        std::vector<Entry*> buckets;
        size_t count = 0;
        size_t threshold = 0;
        float loadFactor = 0.75f;
        void freeEntries();
        ~Table() { freeEntries(); }
    };

    Entry* find(INT_PTR key) const;
    static uint32_t hashOf(INT_PTR key) { return uint32_t(UINT_PTR(key)); }
    static size_t bucketOf(uint32_t hash, size_t buckets) { return (hash & 0x7FFFFFFFu) % buckets; }
    void grow();

    std::shared_ptr<Table> table_;
};
