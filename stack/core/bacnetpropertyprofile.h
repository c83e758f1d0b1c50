// The property profile: the fixed knowledge of the standard object types.
//
// For every standard object type (0 to 40, 45 to 48 and 51 to 59) the profile
// lists each property the standard defines for it, with the flags required,
// writable, array and list, and the datatype number of its value (for an
// array or a list: of one element). The rows live in a generated constant
// table (bacnetpropertyprofiletable.cpp, made by tools/gen_propertyprofiles.py
// from the profile lists); nothing here allocates, so the lookups can sit on
// the decode path.
//
// Object types 41 to 44, 49, 50 and every type from 60 up have no profile:
// the profile knows no property of theirs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/icodable.h"

namespace ZalvoBACnetStack {

// The 8-octet property record, laid out as the device database stores it for
// each enabled property of an object. The profile fills every octet except
// `subscribable`, which only the database sets.
struct BACnetPropertyRecord {
    uint8_t required = 0;      // 1 when the standard requires the property for the type
    uint8_t writable = 0;      // 1 when a remote write is allowed
    uint8_t subscribable = 0;  // 1 when the property may be the subject of a COV subscription
    uint8_t isArray = 0;       // 1 for a BACnetARRAY property (the priority array included)
    uint8_t isList = 0;        // 1 for a list (SEQUENCE OF) property
    uint8_t datatype = 0;      // datatype number of the value, or of one element
    uint8_t reserved[2] = {0, 0};
};
static_assert(sizeof(BACnetPropertyRecord) == 8, "the property record is 8 octets");

// One property of an object type's profile, as the generated table stores it.
struct BACnetPropertyProfileEntry {
    uint32_t propertyIdentifier;
    uint8_t required;
    uint8_t writable;
    uint8_t isArray;
    uint8_t isList;
    uint8_t datatype;

    BACnetPropertyRecord Record() const {
        BACnetPropertyRecord record;
        record.required = required;
        record.writable = writable;
        record.isArray = isArray;
        record.isList = isList;
        record.datatype = datatype;
        return record;
    }
};

// One object type's profile. `entries` is sorted by property identifier;
// `requiredProperties` lists the required ones in the order of the
// standard's object type definition. A type without a profile has no entries.
struct BACnetObjectTypeProfile {
    const BACnetPropertyProfileEntry* entries;
    uint16_t entryCount;
    const uint32_t* requiredProperties;
    uint16_t requiredCount;
};

// When the present-value (85) of an object type is commandable.
enum class BACnetCommandability : uint8_t {
    kNever,
    // Only when the object has both priority-array (87) and
    // relinquish-default (104) enabled.
    kWithPriorityArray,
    kAlways,
};

class BACnetPropertyProfile {
public:
    // The datatype number of properties whose value is a constructed type
    // that has no value class of its own (time stamps, device object
    // property references, the optional choices and the like). Their values
    // are carried as raw data, as for any value of an unknown datatype.
    static constexpr uint8_t kConstructedDatatype = Datatype::kStackUnknownAPDU;

    // True when the object type has a profile.
    static bool HasProfile(uint32_t objectType);

    // The profile's record for (object type, property); false when the
    // profile does not know the pair (then `record` is left unchanged).
    [[nodiscard]] static bool GetPropertyProfile(uint32_t objectType, uint32_t propertyIdentifier,
                                                 BACnetPropertyRecord& record);

    // The table entry for (object type, property), or null when unknown.
    static const BACnetPropertyProfileEntry* Find(uint32_t objectType, uint32_t propertyIdentifier);

    // The required properties of the type in the standard's order; empty for
    // a type without a profile.
    static std::span<const uint32_t> GetListOfRequiredProperties(uint32_t objectType);

    // Every property of the type, ascending by property identifier; empty
    // for a type without a profile.
    static std::span<const BACnetPropertyProfileEntry> GetProperties(uint32_t objectType);

    // When the type's present-value is commandable: always for analog-output,
    // binary-output, multi-state-output, access-door, channel,
    // lighting-output and binary-lighting-output; for analog-value,
    // binary-value, multi-state-value and the value types 39 to 50 only with
    // a priority array and a relinquish default; never for the others.
    static BACnetCommandability PresentValueCommandability(uint32_t objectType);

    // Whether `propertyIdentifier` of an object of `objectType` is a
    // commandable present-value, given whether the object has priority-array
    // and relinquish-default enabled. Only property 85 can be commandable.
    static bool IsPropertyCommandable(uint32_t objectType, uint32_t propertyIdentifier, bool priorityArrayEnabled,
                                      bool relinquishDefaultEnabled);
};

}  // namespace ZalvoBACnetStack
