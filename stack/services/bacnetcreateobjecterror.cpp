#include "services/bacnetcreateobjecterror.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetcreateobjecterror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetCreateObjectError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetCreateObjectError::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetCreateObjectError::BACnetCreateObjectError() {
    firstFailedElementNumber_.SetContextTag(kFirstFailedElementNumberTag);
}

uint16_t BACnetCreateObjectError::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the error");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(firstFailedElementNumber_, cursor, outcome, kFirstFailedElementNumberTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error Decoding First Failed Element");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetCreateObjectError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetChangeListError object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding the BACnetError");
        return 0;
    }
    if (!Codec::EncodeContext(firstFailedElementNumber_, cursor, outcome, kFirstFailedElementNumberTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding first failed element number for context=%u",
                      unsigned{kFirstFailedElementNumberTag});
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetCreateObjectError::Clone() const { return Codec::CopyOf(*this); }

void BACnetCreateObjectError::Reset() {
    BACnetErrorBase::Reset();
    Codec::ResetContextMember(firstFailedElementNumber_, kFirstFailedElementNumberTag);
}

bool BACnetCreateObjectError::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    if (firstFailedElementNumber_.IsValid()) {
        children.push_back(
            MakeRenderChild(&firstFailedElementNumber_, "FirstFailedElementNumber", kFirstFailedElementNumberTag));
    }
    return true;
}

void BACnetCreateObjectError::SetFirstFailedElementNumber(uint32_t elementNumber) {
    firstFailedElementNumber_.SetValue(elementNumber);
    firstFailedElementNumber_.SetContextTag(kFirstFailedElementNumberTag);
    UpdateValidity();
}

bool BACnetCreateObjectError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetCreateObjectError*>(&other);
    return error != nullptr && Codec::SameOptional(error->firstFailedElementNumber_, firstFailedElementNumber_);
}

}  // namespace ZalvoBACnetStack
