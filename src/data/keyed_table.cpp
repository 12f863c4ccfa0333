#include "keyed_table.h"

namespace {
constexpr size_t initialBuckets = 11;
}

void KeyedTable::Table::freeEntries() {
    for (Entry*& head : buckets)
        while (head) {
            Entry* next = head->next;
            delete head;
            head = next;
        }
    count = 0;
}

bool KeyedTable::create(Kind, Kind) {
    table_ = std::make_shared<Table>();
    table_->buckets.assign(initialBuckets, nullptr);
    table_->threshold = size_t(float(initialBuckets) * table_->loadFactor);
    return true;
}

KeyedTable::Entry* KeyedTable::find(INT_PTR key) const {
    if (!table_) return nullptr;
    uint32_t hash = hashOf(key);
    for (Entry* e = table_->buckets[bucketOf(hash, table_->buckets.size())]; e; e = e->next)
        if (e->hash == hash && e->key == key) return e;
    return nullptr;
}

void KeyedTable::grow() {
    std::vector<Entry*> old;
    old.swap(table_->buckets);
    size_t buckets = 2 * old.size() + 1;
    table_->buckets.assign(buckets, nullptr);
    table_->threshold = size_t(float(buckets) * table_->loadFactor);
    for (Entry* e : old)
        while (e) {
            Entry* next = e->next;
            Entry*& head = table_->buckets[bucketOf(e->hash, buckets)];
            e->next = head;
            head = e;
            e = next;
        }
}

int KeyedTable::set(INT_PTR key, INT_PTR value) {
    if (!table_) return -1;
    if (Entry* e = find(key)) {
        e->value = value;
        return 1;
    }
    if (table_->count >= table_->threshold) grow();
    uint32_t hash = hashOf(key);
    Entry*& head = table_->buckets[bucketOf(hash, table_->buckets.size())];
    head = new Entry{hash, key, value, head};
    ++table_->count;
    return 0;
}

INT_PTR KeyedTable::get(INT_PTR key) const {
    Entry* e = find(key);
    return e ? e->value : 0;
}

bool KeyedTable::containsKey(INT_PTR key) const { return find(key) != nullptr; }

int KeyedTable::remove(INT_PTR key) {
    if (!table_) return 0;
    uint32_t hash = hashOf(key);
    for (Entry** link = &table_->buckets[bucketOf(hash, table_->buckets.size())]; *link; link = &(*link)->next) {
        Entry* e = *link;
        if (e->hash == hash && e->key == key) {
            *link = e->next;
            delete e;
            --table_->count;
            return 1;
        }
    }
    return 0;
}

int KeyedTable::keys(std::vector<INT_PTR>& out) const {
    out.clear();
    if (!table_) return 0;
    out.reserve(table_->count);
    for (Entry* e : table_->buckets)
        for (; e; e = e->next) out.push_back(e->key);
    return int(out.size());
}

void KeyedTable::clear() {
    if (table_) table_->freeEntries();
}

size_t KeyedTable::count() const { return table_ ? table_->count : 0; }
size_t KeyedTable::bucketCount() const { return table_ ? table_->buckets.size() : 0; }
