#include "services/bacnetsubscribecovpropertymultipleerror.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetsubscribecovpropertymultipleerror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetSubscribeCOVPropertyMultipleError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetSubscribeCOVPropertyMultipleError::Encode";
constexpr const char* kSetFirstFailedSubscription =
    "ZalvoBACnetStack::BACnetSubscribeCOVPropertyMultipleError::SetFirstFailedSubscription";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetSubscribeCOVPropertyMultipleError::Decode(const uint8_t* buffer, uint16_t length,
                                                         BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    // The first tag says which form follows; it is read again by the member.
    BACnetTag choice;
    if (choice.Decode(buffer, length) == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the choice tag");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    if (choice.IsContext() && choice.tagNumber == kErrorTypeTag) {
        if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode errorType");
            Reset();
            return 0;
        }
    } else if (choice.IsContext() && choice.tagNumber == kFirstFailedSubscriptionTag) {
        if (!Codec::DecodeRequired(firstFailedSubscription_, cursor, outcome, kFirstFailedSubscriptionTag)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode firstFailedSubscription");
            Reset();
            return 0;
        }
    } else {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid context tag choice=[%u]", unsigned{choice.tagNumber});
        SetReject(outcome, kRejectInvalidTag);
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetSubscribeCOVPropertyMultipleError::Encode(uint8_t* buffer, uint16_t room,
                                                         BACnetErrorOutcome* outcome) {
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
    if (error_.IsValid()) {
        if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the errorType");
            return 0;
        }
    } else if (firstFailedSubscription_.IsValid()) {
        if (!Codec::EncodeContext(firstFailedSubscription_, cursor, outcome, kFirstFailedSubscriptionTag)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the firstFailedSubscription");
            return 0;
        }
    } else {
        StackErrorLog(kEncode, kSource, __LINE__, "No choice is valid for encoding");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetSubscribeCOVPropertyMultipleError::Clone() const { return Codec::CopyOf(*this); }

void BACnetSubscribeCOVPropertyMultipleError::Reset() {
    BACnetErrorBase::Reset();
    firstFailedSubscription_.Reset();
}

bool BACnetSubscribeCOVPropertyMultipleError::GetChildren(RenderChildren& children) const {
    if (error_.IsValid()) {
        children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    } else if (firstFailedSubscription_.IsValid()) {
        children.push_back(MakeRenderChild(&firstFailedSubscription_, {}, kFirstFailedSubscriptionTag));
    } else {
        return false;
    }
    return true;
}

bool BACnetSubscribeCOVPropertyMultipleError::SetError(uint32_t errorChoice, uint32_t errorClass,
                                                       uint32_t errorCode) {
    firstFailedSubscription_.Reset();
    return BACnetErrorBase::SetError(errorChoice, errorClass, errorCode);
}

bool BACnetSubscribeCOVPropertyMultipleError::SetFirstFailedSubscription(
    uint32_t errorChoice, const BACnetFirstFailedSubscription& subscription) {
    if (!subscription.IsValid()) {
        StackErrorLog(kSetFirstFailedSubscription, kSource, __LINE__, "Failed to set the first failed subscription");
        return false;
    }
    error_.Reset();
    errorChoice_ = errorChoice;
    firstFailedSubscription_ = subscription;
    UpdateValidity();
    return true;
}

bool BACnetSubscribeCOVPropertyMultipleError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetSubscribeCOVPropertyMultipleError*>(&other);
    return error != nullptr && Codec::SameOptional(error->firstFailedSubscription_, firstFailedSubscription_);
}

}  // namespace ZalvoBACnetStack
