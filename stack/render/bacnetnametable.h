// One enumeration's names: a constant table of (value, name) pairs sorted by
// value, searched without allocating. The tables themselves are generated
// from the standard's enumeration lists (see bacnetnametables.h).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ZalvoBACnetStack {

struct BACnetNameEntry {
    uint32_t value;
    const char* name;
};

class BACnetNameTable {
public:
    // `entries` must be sorted by value and live for the program's lifetime.
    constexpr BACnetNameTable(const BACnetNameEntry* entries, size_t count) : entries_(entries), count_(count) {}

    // The name, or null when the table has no entry for the value.
    const char* Find(uint32_t value) const {
        const BACnetNameEntry* end = entries_ + count_;
        const BACnetNameEntry* it = std::lower_bound(
            entries_, end, value, [](const BACnetNameEntry& entry, uint32_t key) { return entry.value < key; });
        return it != end && it->value == value ? it->name : nullptr;
    }
    // The name, or "Unknown Enumeration Value (<value>)".
    std::string Name(uint32_t value) const {
        if (const char* name = Find(value)) return name;
        return "Unknown Enumeration Value (" + std::to_string(value) + ")";
    }
    bool Contains(uint32_t value) const { return Find(value) != nullptr; }
    size_t Size() const { return count_; }
    const BACnetNameEntry* begin() const { return entries_; }
    const BACnetNameEntry* end() const { return entries_ + count_; }

private:
    const BACnetNameEntry* entries_;
    size_t count_;
};

}  // namespace ZalvoBACnetStack
