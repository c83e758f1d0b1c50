#include "core/bacnetpropertyprofile.h"

#include <algorithm>

#include "core/bacnetpropertyprofiletable.h"

namespace ZalvoBACnetStack {
namespace {

constexpr uint32_t kPresentValue = 85;

// The profile of a type, or null for a type without one.
const BACnetObjectTypeProfile* TypeProfile(uint32_t objectType) {
    if (objectType >= PropertyProfileTable::kObjectTypeCount) return nullptr;
    const BACnetObjectTypeProfile& profile = PropertyProfileTable::kObjectTypeProfiles[objectType];
    return profile.entryCount != 0 ? &profile : nullptr;
}

}  // namespace

bool BACnetPropertyProfile::HasProfile(uint32_t objectType) { return TypeProfile(objectType) != nullptr; }

const BACnetPropertyProfileEntry* BACnetPropertyProfile::Find(uint32_t objectType, uint32_t propertyIdentifier) {
    const BACnetObjectTypeProfile* profile = TypeProfile(objectType);
    if (profile == nullptr) return nullptr;
    const BACnetPropertyProfileEntry* end = profile->entries + profile->entryCount;
    const BACnetPropertyProfileEntry* it =
        std::lower_bound(profile->entries, end, propertyIdentifier,
                         [](const BACnetPropertyProfileEntry& entry, uint32_t key) { return entry.propertyIdentifier < key; });
    return it != end && it->propertyIdentifier == propertyIdentifier ? it : nullptr;
}

bool BACnetPropertyProfile::GetPropertyProfile(uint32_t objectType, uint32_t propertyIdentifier,
                                               BACnetPropertyRecord& record) {
    const BACnetPropertyProfileEntry* entry = Find(objectType, propertyIdentifier);
    if (entry == nullptr) return false;
    record = entry->Record();
    return true;
}

std::span<const uint32_t> BACnetPropertyProfile::GetListOfRequiredProperties(uint32_t objectType) {
    const BACnetObjectTypeProfile* profile = TypeProfile(objectType);
    if (profile == nullptr || profile->requiredCount == 0) return {};
    return {profile->requiredProperties, profile->requiredCount};
}

std::span<const BACnetPropertyProfileEntry> BACnetPropertyProfile::GetProperties(uint32_t objectType) {
    const BACnetObjectTypeProfile* profile = TypeProfile(objectType);
    if (profile == nullptr) return {};
    return {profile->entries, profile->entryCount};
}

BACnetCommandability BACnetPropertyProfile::PresentValueCommandability(uint32_t objectType) {
    switch (objectType) {
        case 1:   // analog-output
        case 4:   // binary-output
        case 14:  // multi-state-output
        case 30:  // access-door
        case 53:  // channel
        case 54:  // lighting-output
        case 55:  // binary-lighting-output
            return BACnetCommandability::kAlways;
        case 2:   // analog-value
        case 5:   // binary-value
        case 19:  // multi-state-value
            return BACnetCommandability::kWithPriorityArray;
        default:
            // bitstring-value (39) up to the value types that end at 50
            if (objectType >= 39 && objectType <= 50) return BACnetCommandability::kWithPriorityArray;
            return BACnetCommandability::kNever;
    }
}

bool BACnetPropertyProfile::IsPropertyCommandable(uint32_t objectType, uint32_t propertyIdentifier,
                                                  bool priorityArrayEnabled, bool relinquishDefaultEnabled) {
    if (propertyIdentifier != kPresentValue) return false;
    switch (PresentValueCommandability(objectType)) {
        case BACnetCommandability::kAlways:
            return true;
        case BACnetCommandability::kWithPriorityArray:
            return priorityArrayEnabled && relinquishDefaultEnabled;
        case BACnetCommandability::kNever:
            break;
    }
    return false;
}

}  // namespace ZalvoBACnetStack
