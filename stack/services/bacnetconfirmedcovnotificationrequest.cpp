#include "services/bacnetconfirmedcovnotificationrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetconfirmedcovnotificationrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetConfirmedCOVNotificationRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetConfirmedCOVNotificationRequest::Encode";
constexpr const char* kSet =
    "ZalvoBACnetStack::BACnetConfirmedCOVNotificationRequest::SetConfirmedCOVNotificationRequest";
}  // namespace

uint16_t BACnetConfirmedCOVNotificationRequest::Decode(const uint8_t* buffer, uint16_t length,
                                                       BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    const uint16_t used = DecodeNotification(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode the cov notification request");
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetConfirmedCOVNotificationRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const uint16_t used = EncodeNotification(buffer, room, outcome);
    if (used == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the cov notification request");
        return 0;
    }
    return used;
}

std::unique_ptr<ICodable> BACnetConfirmedCOVNotificationRequest::Clone() const {
    std::unique_ptr<ICodable> copy = BACnetServiceCodec::CopyOf(*this);
    // A value in the list may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetConfirmedCOVNotificationRequest::Reset() {
    ResetNotification();
    valid_ = false;
}

bool BACnetConfirmedCOVNotificationRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetConfirmedCOVNotificationRequest*>(other);
    return same != nullptr && same->valid_ == valid_ && SameNotification(*same);
}

bool BACnetConfirmedCOVNotificationRequest::GetChildren(RenderChildren& children) const {
    AppendNotificationChildren(children);
    return true;
}

bool BACnetConfirmedCOVNotificationRequest::SetConfirmedCOVNotificationRequest(
    const BACnetPrimitiveUINT& subscriberProcessIdentifier,
    const BACnetPrimitiveObjectIdentifier& initiatingDeviceIdentifier,
    const BACnetPrimitiveObjectIdentifier& monitoredObjectIdentifier, const BACnetPrimitiveUINT& timeRemaining,
    const BACnetPropertyValueList& values) {
    valid_ = SetNotification(kSet, kSource, "Failed to set the confirmed cov notification request",
                             subscriberProcessIdentifier, initiatingDeviceIdentifier, monitoredObjectIdentifier,
                             timeRemaining, values);
    return valid_;
}

void BACnetConfirmedCOVNotificationRequest::SetConfirmedCOVNotificationRequest(uint32_t subscriberProcessIdentifier,
                                                                               uint32_t initiatingDeviceInstance,
                                                                               uint16_t monitoredObjectType,
                                                                               uint32_t monitoredObjectInstance,
                                                                               uint32_t timeRemaining) {
    SetNotification(subscriberProcessIdentifier, initiatingDeviceInstance, monitoredObjectType, monitoredObjectInstance,
                    timeRemaining);
    valid_ = true;
}

}  // namespace ZalvoBACnetStack
