#include "services/bacnetfirstfailedsubscription.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetfirstfailedsubscription";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetFirstFailedSubscription::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetFirstFailedSubscription::Encode";
constexpr const char* kSetFirstFailedSubscription =
    "ZalvoBACnetStack::BACnetFirstFailedSubscription::SetFirstFailedSubscription";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetFirstFailedSubscription::BACnetFirstFailedSubscription() {
    monitoredObjectIdentifier_.SetContextTag(kMonitoredObjectIdentifierTag);
}

uint16_t BACnetFirstFailedSubscription::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode monitoredObjectIdentifier");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(monitoredPropertyReference_, cursor, outcome, kMonitoredPropertyReferenceTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode monitoredPropertyReference");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(errorType_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode errorType");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetFirstFailedSubscription::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(monitoredObjectIdentifier_, cursor, outcome, kMonitoredObjectIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the monitoredObjectIdentifier");
        return 0;
    }
    if (!Codec::EncodeContext(monitoredPropertyReference_, cursor, outcome, kMonitoredPropertyReferenceTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the monitoredPropertyReference");
        return 0;
    }
    if (!Codec::EncodeContext(errorType_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the errorType");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetFirstFailedSubscription::Clone() const { return Codec::CopyOf(*this); }

void BACnetFirstFailedSubscription::Reset() {
    Codec::ResetContextMember(monitoredObjectIdentifier_, kMonitoredObjectIdentifierTag);
    monitoredPropertyReference_.Reset();
    errorType_.Reset();
    valid_ = false;
}

bool BACnetFirstFailedSubscription::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* subscription = dynamic_cast<const BACnetFirstFailedSubscription*>(other);
    return subscription != nullptr && subscription->valid_ == valid_ &&
           Codec::SameOptional(subscription->monitoredObjectIdentifier_, monitoredObjectIdentifier_) &&
           Codec::SameOptional(subscription->monitoredPropertyReference_, monitoredPropertyReference_) &&
           subscription->errorType_.IsEqual(&errorType_);
}

bool BACnetFirstFailedSubscription::GetChildren(RenderChildren& children) const {
    if (!valid_) return false;
    children.push_back(
        MakeRenderChild(&monitoredObjectIdentifier_, "MonitoredObjectIdentifier", kMonitoredObjectIdentifierTag));
    children.push_back(
        MakeRenderChild(&monitoredPropertyReference_, "MonitoredPropertyReference", kMonitoredPropertyReferenceTag));
    children.push_back(MakeRenderChild(&errorType_, {}, kErrorTypeTag));
    return true;
}

bool BACnetFirstFailedSubscription::SetFirstFailedSubscription(
    const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier,
    const BACnetPropertyReference& monitoredPropertyReference, uint32_t errorClass, uint32_t errorCode) {
    Reset();
    if (!monitoredObjectIdentifier.IsValid()) {
        StackErrorLog(kSetFirstFailedSubscription, kSource, __LINE__, "Failed to set the monitored object identifier");
        return false;
    }
    if (!monitoredPropertyReference.IsValid()) {
        StackErrorLog(kSetFirstFailedSubscription, kSource, __LINE__,
                      "Failed to set the monitored property reference");
        return false;
    }
    if (!errorType_.SetError(errorClass, errorCode)) {
        StackErrorLog(kSetFirstFailedSubscription, kSource, __LINE__, "Failed to set the error type");
        Reset();
        return false;
    }
    monitoredObjectIdentifier_ = monitoredObjectIdentifier;
    monitoredObjectIdentifier_.SetContextTag(kMonitoredObjectIdentifierTag);
    monitoredPropertyReference_ = monitoredPropertyReference;
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
