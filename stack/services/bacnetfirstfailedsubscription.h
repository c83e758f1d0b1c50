// The subscription of a SubscribeCOVPropertyMultiple request that failed
// first: the monitored object (context tag 0), the monitored property
// (a property reference enclosed in context tag 1) and the error (enclosed
// in context tag 2).
#pragma once

#include "core/bacnetobjectbase.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "services/bacneterror.h"
#include "services/bacnetpropertyreference.h"

namespace ZalvoBACnetStack {

class BACnetFirstFailedSubscription : public BACnetObjectBase {
public:
    static constexpr uint8_t kMonitoredObjectIdentifierTag = 0;
    static constexpr uint8_t kMonitoredPropertyReferenceTag = 1;
    static constexpr uint8_t kErrorTypeTag = 2;

    BACnetFirstFailedSubscription();

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kFirstFailedSubscription; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "FirstFailedSubscription"; }
    // "MonitoredObjectIdentifier" (0), "MonitoredPropertyReference" (1), the error (2).
    bool GetChildren(RenderChildren& children) const override;

    // All three parts; on a refusal the subscription is left empty.
    bool SetFirstFailedSubscription(const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
                                    const BACnetPropertyReference& monitoredPropertyReference, uint32_t errorClass,
                                    uint32_t errorCode);

    const BACnetPrimitiveObjectIdentifier& GetMonitoredObjectIdentifier() const { return monitoredObjectIdentifier_; }
    const BACnetPropertyReference& GetMonitoredPropertyReference() const { return monitoredPropertyReference_; }
    const BACnetError& GetErrorType() const { return errorType_; }

private:
    BACnetPrimitiveObjectIdentifier monitoredObjectIdentifier_;
    BACnetPropertyReference monitoredPropertyReference_;
    BACnetError errorType_;
};

}  // namespace ZalvoBACnetStack
