// SubscribeCOV (confirmed service 5): a subscriber asks to be told about
// changes of an object's monitored value. Without either optional member
// the request cancels an earlier subscription.
//
//   subscriberProcessIdentifier  [0] Unsigned
//   monitoredObjectIdentifier    [1] BACnetObjectIdentifier
//   issueConfirmedNotifications  [2] BOOLEAN OPTIONAL
//   lifetime                     [3] Unsigned OPTIONAL (seconds)
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveuint.h"
#include "message/bacnetconfirmedservicerequest.h"

namespace ZalvoBACnetStack {

class BACnetSubscribeCOVRequest final : public BACnetConfirmedServiceRequest {
public:
    static constexpr uint32_t kServiceChoice = 5;

    BACnetSubscribeCOVRequest();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kSubscribeCOVRequest; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;
    uint32_t GetServiceChoice() const override { return kServiceChoice; }

    std::string GetElementName() const override { return "SubscribeCOVRequest"; }
    bool GetChildren(RenderChildren& children) const override;

    // Builds the request from valid values; a null optional is left out (both
    // left out make a cancellation). False, with the object not valid, when
    // a required value is not valid.
    bool SetSubscribeCOVRequest(const BACnetPrimitiveUINT& subscriberProcessIdentifier,
                                const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                const BACnetPrimitiveBOOL* issueConfirmedNotifications,
                                const BACnetPrimitiveUINT* lifetime);
    // The same from plain numbers (the object type keeps its low 10 bits,
    // the instance its low 22 bits).
    void SetSubscribeCOVRequest(uint32_t subscriberProcessIdentifier, uint16_t objectType, uint32_t objectInstance,
                                std::optional<bool> issueConfirmedNotifications, std::optional<uint32_t> lifetime);

    const BACnetPrimitiveUINT& GetSubscriberProcessIdentifier() const { return subscriberProcessIdentifier_; }
    const BACnetPrimitiveObjectIdentifier& GetMonitoredObjectIdentifier() const { return monitoredObjectIdentifier_; }
    bool HasIssueConfirmedNotifications() const { return issueConfirmedNotifications_.IsValid(); }
    const BACnetPrimitiveBOOL& GetIssueConfirmedNotifications() const { return issueConfirmedNotifications_; }
    bool HasLifetime() const { return lifetime_.IsValid(); }
    const BACnetPrimitiveUINT& GetLifetime() const { return lifetime_; }
    // Neither optional member: the subscriber cancels its subscription.
    bool IsCancellation() const { return !HasIssueConfirmedNotifications() && !HasLifetime(); }

private:
    BACnetPrimitiveUINT subscriberProcessIdentifier_;
    BACnetPrimitiveObjectIdentifier monitoredObjectIdentifier_;
    BACnetPrimitiveBOOL issueConfirmedNotifications_;
    BACnetPrimitiveUINT lifetime_;
};

}  // namespace ZalvoBACnetStack
