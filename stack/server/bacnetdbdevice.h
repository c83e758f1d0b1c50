// One local device: its objects (its own device object among them), the
// services it supports, the object types it holds, the values the stack
// stores itself, its change-of-value subscriptions and its two counters.
//
// The device is itself an object record (type 8, instance = device
// instance) for its identity; the device object whose properties are
// enabled and read is the entry (8, instance) of the object map, added when
// the device is made.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "core/bacnetabstractsyntaxtype.h"
#include "server/bacnetdbobject.h"
#include "server/bacnetstackactivecovsubscriptions.h"
#include "server/bacnetstackstoreddbobjectpropertyvalues.h"

namespace ZalvoBACnetStack {

class BACnetDBDevice : public BACnetDBObject {
public:
    static constexpr uint16_t kDeviceObjectType = 8;
    static constexpr uint16_t kNetworkPortObjectType = 56;
    // protocol-object-types-supported covers object types 0 to 58.
    static constexpr uint32_t kObjectTypesSupportedBits = 59;
    // protocol-services-supported covers services-supported bits 0 to 42.
    static constexpr uint32_t kServicesSupportedBits = 43;
    // unconfirmedCOVNotificationMultiple: accepted by SetServiceEnabled and
    // read by the unconfirmed support check, but kept beside the 43 bits of
    // protocol-services-supported, which does not carry it.
    static constexpr uint32_t kUnconfirmedCOVNotificationMultipleService = 43;
    // The vendor identifier the device reports unless the host answers one.
    static constexpr uint32_t kVendorIdentifier = 999;

    // Resets, then adds its own device object ("Error: unable to add the
    // device object to the object list" when that fails).
    explicit BACnetDBDevice(uint32_t deviceInstance);
    ~BACnetDBDevice() override;

    // Everything but the identity: both bit vectors sized and cleared, then
    // readProperty (12), who-Has (33) and who-Is (34) supported; no objects,
    // no stored values, no subscriptions; database revision and invoke-ID
    // counter 0.
    void Reset() override;

    uint32_t GetDeviceInstance() const { return GetObjectInstance(); }

    // Objects. Adding sets the type's object-types bit (types 0 to 58); an
    // existing object is success without change; a new object increments
    // the database revision.
    [[nodiscard]] bool AddObject(uint16_t objectType, uint32_t objectInstance);
    // The device's own object cannot be deleted ("PANIC - attempted to
    // delete itself from the objectlist"); an unknown object is ignored.
    // The type's bit is cleared when no object of the type remains; the
    // object's stored values go with it; the revision does not change.
    void DeleteObject(uint16_t objectType, uint32_t objectInstance);
    // Not owned by the caller; null when the object does not exist.
    BACnetDBObject* GetObject(uint16_t objectType, uint32_t objectInstance) const;
    bool ObjectExists(uint16_t objectType, uint32_t objectInstance) const;
    // The device's own object record (8, device instance), or null.
    BACnetDBObject* GetDeviceObject() const { return GetObject(kDeviceObjectType, GetDeviceInstance()); }
    // Every object in map order (by type, then instance), the device's own
    // object included; not owned by the caller.
    std::vector<const BACnetDBObject*> GetObjects() const;
    size_t GetObjectCount() const { return objects_.size(); }

    // False for an unknown object; otherwise BACnetDBObject::SetPropertyEnabled.
    [[nodiscard]] bool SetPropertyEnabled(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                                          bool enabled);

    // Services, by services-supported bit number (0 to 43). Above 43: false.
    // Sets or clears the bit and enables or disables the companion
    // properties of the device object: subscribeCOV (5) active-COV-
    // subscriptions (152); timeSynchronization (32) local-date and
    // local-time (56, 57); utcTimeSynchronization (36) those two, UTC-offset
    // (119) and daylight-savings-status (24).
    [[nodiscard]] bool SetServiceEnabled(uint32_t service, bool enabled);
    // By confirmed service choice; an unknown choice (13, 24, 25, above 31)
    // is reported ("Error - unknown confirmed service = [%u]") and not
    // supported.
    bool IsConfirmedServiceSupported(uint32_t serviceChoice) const;
    // By unconfirmed service choice; above 11 is reported ("Error - unknown
    // unconfirmed service =[%u]") and not supported.
    bool IsUnconfirmedServiceSupported(uint32_t serviceChoice) const;
    const std::vector<bool>& GetServicesSupported() const { return servicesSupported_; }
    const std::vector<bool>& GetObjectTypesSupported() const { return objectTypesSupported_; }

    // Network port properties of object (56, objectInstance), which must
    // exist: stores network-type (427), protocol-level (482) and
    // reference-port (483, also enabled), then enables the properties of
    // the protocol level. Ethernet serves the physical level (0); IPv4 the
    // protocol (1) and BACnet application (2) levels. Any other level fails.
    [[nodiscard]] bool EnableNetworkPortEthernetProperties(uint32_t objectInstance, uint8_t protocolLevel,
                                                           uint32_t referencePort);
    [[nodiscard]] bool EnableNetworkPortIPv4Properties(uint32_t objectInstance, uint8_t protocolLevel,
                                                       uint32_t referencePort);

    // The device object's default for `propertyIdentifier`, appended to
    // `holder`; false (nothing appended, no report) for a property without a
    // default. device-address-binding (30) is an empty list: true with
    // nothing appended.
    [[nodiscard]] bool GetDefaultDeviceProperty(uint32_t propertyIdentifier, BACnetAbstractSyntaxType& holder) const;
    // The default value of a primitive datatype (0 to 12) appended to
    // `holder`: NULL, false, 0, 0, 0.0, 0.0, empty strings, ENUMERATED 0 and
    // the primitives' own default date, time and object identifier. Any
    // other datatype: "Error - unable to create a default value for
    // datatype=[%u]", false.
    [[nodiscard]] static bool GetDefaultDatatypeValue(uint8_t datatype, BACnetAbstractSyntaxType& holder);

    BACnetStackStoredDBObjectPropertyValues& GetStoredValues() { return storedValues_; }
    const BACnetStackStoredDBObjectPropertyValues& GetStoredValues() const { return storedValues_; }
    BACnetStackActiveCOVSubscriptions& GetActiveCOVSubscriptions() { return subscriptions_; }
    const BACnetStackActiveCOVSubscriptions& GetActiveCOVSubscriptions() const { return subscriptions_; }

    // Counts every object added, the device's own object included.
    uint32_t GetDatabaseRevision() const { return databaseRevision_; }
    // The invoke ID for the next confirmed request this device sends; the
    // counter then moves on, from 255 back to 0.
    uint8_t TakeInvokeId() { return invokeId_++; }
    uint8_t PeekInvokeId() const { return invokeId_; }

private:
    static uint64_t Key(uint16_t objectType, uint32_t objectInstance) {
        return uint64_t{objectType} << 32 | objectInstance;
    }
    // Stores network-type, protocol-level and reference-port of a port.
    bool StoreNetworkPortSettings(const char* operation, uint32_t objectInstance, uint32_t networkType,
                                  uint8_t protocolLevel, uint32_t referencePort);
    // Enables one property of the device object, or of a network port.
    bool EnableDeviceProperty(uint32_t propertyIdentifier, bool enabled);

    std::map<uint64_t, std::unique_ptr<BACnetDBObject>> objects_;
    BACnetStackActiveCOVSubscriptions subscriptions_;
    BACnetStackStoredDBObjectPropertyValues storedValues_;
    std::vector<bool> objectTypesSupported_;
    std::vector<bool> servicesSupported_;
    bool unconfirmedCOVNotificationMultipleSupported_ = false;
    uint32_t databaseRevision_ = 0;
    uint8_t invokeId_ = 0;
};

}  // namespace ZalvoBACnetStack
