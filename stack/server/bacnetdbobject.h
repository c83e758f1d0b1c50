// One object of a local device as the database knows it: its type and
// instance and the properties it exposes beyond what the property profile
// requires, each with its 8-octet property record.
//
// A property is enabled when it is in the object's property map or when the
// profile marks it required for the object type. Enabling copies the
// profile's record into the map, where the writable and subscribable flags
// can then be set; disabling removes the entry (a required property stays
// enabled, since the profile says so). Property values are never kept here.
#pragma once

#include <cstdint>
#include <map>

#include "core/bacnetpropertyprofile.h"

namespace ZalvoBACnetStack {

class BACnetDBObject {
public:
    BACnetDBObject(uint16_t objectType, uint32_t objectInstance)
        : objectType_(objectType), objectInstance_(objectInstance) {}
    virtual ~BACnetDBObject() = default;
    BACnetDBObject(const BACnetDBObject&) = delete;
    BACnetDBObject& operator=(const BACnetDBObject&) = delete;

    // Clears the type, the instance and the property map.
    virtual void Reset();

    uint16_t GetObjectType() const { return objectType_; }
    uint32_t GetObjectInstance() const { return objectInstance_; }

    // Enabling: false when the profile does not know (type, property); a
    // property already in the map keeps its record; otherwise the profile's
    // record is copied in. Disabling removes the property from the map and
    // always succeeds.
    [[nodiscard]] bool SetPropertyEnabled(uint32_t propertyIdentifier, bool enabled);
    // Both enable the property first ("Failed to enable the property=[%u]"
    // and false when that fails), then set the record's flag to `flag`.
    [[nodiscard]] bool SetPropertyWritable(uint32_t propertyIdentifier, bool flag);
    [[nodiscard]] bool SetPropertySubscribable(uint32_t propertyIdentifier, bool flag);

    // In the property map, or required by the profile.
    bool IsPropertyEnabled(uint32_t propertyIdentifier) const;
    // The object's own record when the property is in the map, else the
    // profile's record when the profile requires it; false (record
    // unchanged) when the property is not enabled.
    [[nodiscard]] bool GetPropertyRecord(uint32_t propertyIdentifier, BACnetPropertyRecord& record) const;
    // The properties enabled through the map, ascending by identifier
    // (required ones that were enabled explicitly included).
    const std::map<uint32_t, BACnetPropertyRecord>& GetPropertyMap() const { return properties_; }

    // Only present-value (85) can be commandable: always for the output
    // types, access door, channel and the lighting outputs; for the value
    // types only when priority-array (87) and relinquish-default (104) are
    // both enabled; never for other types.
    bool IsPropertyCommandable(uint32_t propertyIdentifier) const;

protected:
    void SetObjectInstance(uint32_t objectInstance) { objectInstance_ = objectInstance; }
    void ClearProperties() { properties_.clear(); }

private:
    // The map's record of an enabled property, enabling it first; null
    // (reported under `operation`) when it cannot be enabled.
    BACnetPropertyRecord* EnabledRecord(uint32_t propertyIdentifier, const char* operation);

    uint16_t objectType_;
    uint32_t objectInstance_;
    std::map<uint32_t, BACnetPropertyRecord> properties_;
};

}  // namespace ZalvoBACnetStack
