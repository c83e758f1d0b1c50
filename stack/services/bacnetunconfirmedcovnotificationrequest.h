// UnconfirmedCOVNotification (unconfirmed service 2): a device tells a
// subscriber about a monitored value without expecting an answer. The
// members are those of BACnetCOVNotificationRequest.
#pragma once

#include <memory>
#include <string>

#include "message/bacnetunconfirmedservicerequest.h"
#include "services/bacnetcovnotificationrequest.h"

namespace ZalvoBACnetStack {

class BACnetUnconfirmedCOVNotificationRequest final : public BACnetUnconfirmedServiceRequest,
                                                      public BACnetCOVNotificationRequest {
public:
    static constexpr uint32_t kServiceChoice = 2;
    // Not one of the numbers the value factories create values for.
    static constexpr uint8_t kDatatype = 58;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return kDatatype; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "UnconfirmedCOVNotificationRequest"; }
    bool GetChildren(RenderChildren& children) const override;

    // Every value must be valid (reported, false, and not valid otherwise).
    bool SetUnconfirmedCOVNotificationRequest(const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                                              const BACnetPrimitiveObjectIdentifier& initiatingDeviceIdentifier,
                                              const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                              const BACnetPrimitiveUINT& timeRemaining,
                                              const BACnetPropertyValueList& values);
    // From plain numbers with an empty list; AddPropertyValue fills it.
    void SetUnconfirmedCOVNotificationRequest(uint32_t subscriberProcessIdentifier, uint32_t initiatingDeviceInstance,
                                              uint16_t monitoredObjectType, uint32_t monitoredObjectInstance,
                                              uint32_t timeRemaining);
};

}  // namespace ZalvoBACnetStack
