// ConfirmedCOVNotification (confirmed service 1): a device tells a subscriber
// that asked for confirmed notifications about a monitored value; the
// subscriber answers with a Simple-ACK. The members are those of
// BACnetCOVNotificationRequest.
#pragma once

#include <memory>
#include <string>

#include "message/bacnetconfirmedservicerequest.h"
#include "services/bacnetcovnotificationrequest.h"

namespace ZalvoBACnetStack {

class BACnetConfirmedCOVNotificationRequest final : public BACnetConfirmedServiceRequest,
                                                    public BACnetCOVNotificationRequest {
public:
    static constexpr uint32_t kServiceChoice = 1;
    // Not one of the numbers the value factories create values for.
    static constexpr uint8_t kDatatype = 39;

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return kDatatype; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "ConfirmedCOVNotificationRequest"; }
    bool GetChildren(RenderChildren& children) const override;

    // Every value must be valid (reported, false, and not valid otherwise).
    bool SetConfirmedCOVNotificationRequest(const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                                            const BACnetPrimitiveObjectIdentifier& initiatingDeviceIdentifier,
                                            const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                            const BACnetPrimitiveUINT& timeRemaining,
                                            const BACnetPropertyValueList& values);
    // From plain numbers with an empty list; AddPropertyValue fills it.
    void SetConfirmedCOVNotificationRequest(uint32_t subscriberProcessIdentifier, uint32_t initiatingDeviceInstance,
                                            uint16_t monitoredObjectType, uint32_t monitoredObjectInstance,
                                            uint32_t timeRemaining);
};

}  // namespace ZalvoBACnetStack
