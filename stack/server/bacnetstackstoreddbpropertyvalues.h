// The values the database keeps itself for one object (the settings of a
// network port, for example), by property identifier. Each value is owned
// here from the moment it is stored.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "core/icodable.h"

namespace ZalvoBACnetStack {

class BACnetStackStoredDBPropertyValues {
public:
    // Takes `adoptedValue`, replacing (and destroying) an earlier value of
    // the same property. Null: "Error - value does not exist", false.
    [[nodiscard]] bool SetValueAndTakeControl(uint32_t propertyIdentifier, std::unique_ptr<ICodable> adoptedValue);
    // The stored value, still owned here; null when none is stored.
    const ICodable* GetValue(uint32_t propertyIdentifier) const;
    bool IsEmpty() const { return values_.empty(); }

private:
    std::map<uint32_t, std::unique_ptr<ICodable>> values_;
};

}  // namespace ZalvoBACnetStack
