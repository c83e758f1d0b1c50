#include "services/bacnetwritepropertymultipleerror.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwritepropertymultipleerror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWritePropertyMultipleError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWritePropertyMultipleError::Encode";
constexpr const char* kSetFirstFailedWriteAttempt =
    "ZalvoBACnetStack::BACnetWritePropertyMultipleError::SetFirstFailedWriteAttempt";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetWritePropertyMultipleError::Decode(const uint8_t* buffer, uint16_t length,
                                                  BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode the error");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(firstFailedWriteAttempt_, cursor, outcome, kFirstFailedWriteAttemptTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode firstFailedWriteAttempt");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetWritePropertyMultipleError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the errorType");
        return 0;
    }
    if (!Codec::EncodeContext(firstFailedWriteAttempt_, cursor, outcome, kFirstFailedWriteAttemptTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the firstFailedWriteAttempt");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetWritePropertyMultipleError::Clone() const { return Codec::CopyOf(*this); }

void BACnetWritePropertyMultipleError::Reset() {
    BACnetErrorBase::Reset();
    firstFailedWriteAttempt_.Reset();
}

bool BACnetWritePropertyMultipleError::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    if (firstFailedWriteAttempt_.IsValid()) {
        children.push_back(MakeRenderChild(&firstFailedWriteAttempt_, {}, kFirstFailedWriteAttemptTag));
    }
    return true;
}

bool BACnetWritePropertyMultipleError::SetFirstFailedWriteAttempt(const BACnetObjectPropertyReference& reference) {
    if (!reference.IsValid()) {
        StackErrorLog(kSetFirstFailedWriteAttempt, kSource, __LINE__, "Failed to set the first failed write attempt");
        return false;
    }
    firstFailedWriteAttempt_ = reference;
    UpdateValidity();
    return true;
}

bool BACnetWritePropertyMultipleError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetWritePropertyMultipleError*>(&other);
    return error != nullptr && Codec::SameOptional(error->firstFailedWriteAttempt_, firstFailedWriteAttempt_);
}

}  // namespace ZalvoBACnetStack
