// BACnetCOVSubscription: one entry of a device's active-COV-subscriptions
// list.
//
//   recipient                    [0] BACnetRecipientProcess (constructed)
//   monitoredPropertyReference   [1] BACnetObjectPropertyReference (constructed)
//   issueConfirmedNotifications  [2] BOOLEAN
//   timeRemaining                [3] Unsigned (seconds)
//   covIncrement                 [4] REAL OPTIONAL
#pragma once

#include <memory>
#include <string>

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitiveuint.h"
#include "services/bacnetobjectpropertyreference.h"
#include "services/bacnetrecipientprocess.h"

namespace ZalvoBACnetStack {

class BACnetCOVSubscription final : public BACnetObjectBase {
public:
    BACnetCOVSubscription();

    // Every required value must be valid; a null increment is left out.
    // False (reported, not valid) otherwise.
    bool SetCOVSubscription(const BACnetRecipientProcess& recipient,
                            const BACnetObjectPropertyReference& monitoredPropertyReference,
                            bool issueConfirmedNotifications, uint32_t timeRemaining, const float* covIncrement);

    const BACnetRecipientProcess& GetRecipient() const { return recipient_; }
    const BACnetObjectPropertyReference& GetMonitoredPropertyReference() const { return monitoredPropertyReference_; }
    const BACnetPrimitiveBOOL& GetIssueConfirmedNotifications() const { return issueConfirmedNotifications_; }
    const BACnetPrimitiveUINT& GetTimeRemaining() const { return timeRemaining_; }
    bool HasCOVIncrement() const { return covIncrement_.IsValid(); }
    const BACnetPrimitiveREAL& GetCOVIncrement() const { return covIncrement_; }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kCOVSubscription; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "COVSubscription"; }
    // "RecipientProcess" (0), "MonitoredPropertyReference" (1),
    // "IssueConfirmedNotifications" (2), "TimeRemaining" (3), "COVIncrement"
    // (4), the increment listed even when absent.
    bool GetChildren(RenderChildren& children) const override;

private:
    BACnetRecipientProcess recipient_;
    BACnetObjectPropertyReference monitoredPropertyReference_;
    BACnetPrimitiveBOOL issueConfirmedNotifications_;
    BACnetPrimitiveUINT timeRemaining_;
    BACnetPrimitiveREAL covIncrement_;
};

}  // namespace ZalvoBACnetStack
