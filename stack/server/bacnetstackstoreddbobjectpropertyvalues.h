// The values a device's database keeps itself, by object and then by
// property. Objects are ordered by type, then instance.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "core/icodable.h"
#include "server/bacnetstackstoreddbpropertyvalues.h"

namespace ZalvoBACnetStack {

class BACnetStackStoredDBObjectPropertyValues {
public:
    // Takes `adoptedValue` for (object, property), replacing (and destroying)
    // an earlier one. Null: "Error - value does not exist", false, nothing
    // changed.
    [[nodiscard]] bool SetValueAndTakeControl(uint16_t objectType, uint32_t objectInstance,
                                              uint32_t propertyIdentifier, std::unique_ptr<ICodable> adoptedValue);
    // The stored value, still owned here; null when none is stored.
    const ICodable* GetValue(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier) const;
    // Destroys every value stored for the object.
    void RemoveObject(uint16_t objectType, uint32_t objectInstance);
    void Clear() { objects_.clear(); }

private:
    static uint64_t Key(uint16_t objectType, uint32_t objectInstance) {
        return uint64_t{objectType} << 32 | objectInstance;
    }

    std::map<uint64_t, BACnetStackStoredDBPropertyValues> objects_;
};

}  // namespace ZalvoBACnetStack
