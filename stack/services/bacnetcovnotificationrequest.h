// The service data that ConfirmedCOVNotification (confirmed service 1) and
// UnconfirmedCOVNotification (unconfirmed service 2) share:
//
//   subscriberProcessIdentifier  [0] Unsigned
//   initiatingDeviceIdentifier   [1] BACnetObjectIdentifier
//   monitoredObjectIdentifier    [2] BACnetObjectIdentifier
//   timeRemaining                [3] Unsigned (seconds, 0 = indefinite)
//   listOfValues                 [4] SEQUENCE OF BACnetPropertyValue
//
// Every member is required. The values are kept as they arrive, without a
// datatype lookup. The two service classes add the service base, the
// element name and the validity to this common part, which is why it is not
// a value class of its own.
#pragma once

#include <cstdint>

#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveuint.h"
#include "render/irenderable.h"
#include "services/bacnetpropertyvaluelist.h"

namespace ZalvoBACnetStack {

class BACnetCOVNotificationRequest {
public:
    const BACnetPrimitiveUINT& GetSubscriberProcessIdentifier() const { return subscriberProcessIdentifier_; }
    const BACnetPrimitiveObjectIdentifier& GetInitiatingDeviceIdentifier() const {
        return initiatingDeviceIdentifier_;
    }
    const BACnetPrimitiveObjectIdentifier& GetMonitoredObjectIdentifier() const { return monitoredObjectIdentifier_; }
    const BACnetPrimitiveUINT& GetTimeRemaining() const { return timeRemaining_; }
    const BACnetPropertyValueList& GetListOfValues() const { return listOfValues_; }

    // Appends a copy of a valid property value to the list (reported, false
    // for an empty one).
    bool AddPropertyValue(const BACnetPropertyValue& value);

protected:
    BACnetCOVNotificationRequest() { ResetNotification(); }
    ~BACnetCOVNotificationRequest() = default;
    BACnetCOVNotificationRequest(const BACnetCOVNotificationRequest&) = default;
    BACnetCOVNotificationRequest& operator=(const BACnetCOVNotificationRequest&) = default;

    // The five members in order: the octets used, 0 with the members reset
    // when one of them does not decode (reported).
    uint16_t DecodeNotification(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome);
    uint16_t EncodeNotification(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome);
    void ResetNotification();
    bool SameNotification(const BACnetCOVNotificationRequest& other) const;
    // "SubscriberProcessIdentifier" (0), "InitiatingDeviceIdentifier" (1),
    // "MonitoredObjectIdentifier" (2), "TimeRemaining" (3), "ListOfValues" (4).
    void AppendNotificationChildren(RenderChildren& children) const;
    // Copies every value, each of which must be valid (the list too, even
    // when empty); reports each refusal
    // under `operation` and ends with `failureMessage`. False leaves the
    // members reset.
    bool SetNotification(const char* operation, const char* source, const char* failureMessage,
                         const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                         const BACnetPrimitiveObjectIdentifier& initiatingDeviceIdentifier,
                         const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                         const BACnetPrimitiveUINT& timeRemaining, const BACnetPropertyValueList& values);
    // The same from plain numbers with an empty list (the initiating device
    // is a device object).
    void SetNotification(uint32_t subscriberProcessIdentifier, uint32_t initiatingDeviceInstance,
                         uint16_t monitoredObjectType, uint32_t monitoredObjectInstance, uint32_t timeRemaining);

private:
    BACnetPrimitiveUINT subscriberProcessIdentifier_;
    BACnetPrimitiveObjectIdentifier initiatingDeviceIdentifier_;
    BACnetPrimitiveObjectIdentifier monitoredObjectIdentifier_;
    BACnetPrimitiveUINT timeRemaining_;
    BACnetPropertyValueList listOfValues_;
};

}  // namespace ZalvoBACnetStack
