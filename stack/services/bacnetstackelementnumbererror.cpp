#include "services/bacnetstackelementnumbererror.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
using Codec = BACnetServiceCodec;
}  // namespace

BACnetStackElementNumberError::BACnetStackElementNumberError(const ReportNames& names) : names_(&names) {
    firstFailedElementNumber_.SetContextTag(kFirstFailedElementNumberTag);
}

uint16_t BACnetStackElementNumberError::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(names_->decode, names_->source, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(names_->decode, names_->source, __LINE__, "Error decoding the error");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(firstFailedElementNumber_, cursor, outcome, kFirstFailedElementNumberTag)) {
        StackErrorLog(names_->decode, names_->source, __LINE__, "Error Decoding First Failed Element");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetStackElementNumberError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(names_->encode, names_->source, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        // Both kinds have always reported with this one text.
        StackErrorLog(names_->encode, names_->source, __LINE__, "Invalid BACnetChangeListError object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(names_->encode, names_->source, __LINE__, "Error encoding the BACnetError");
        return 0;
    }
    if (!Codec::EncodeContext(firstFailedElementNumber_, cursor, outcome, kFirstFailedElementNumberTag)) {
        StackErrorLog(names_->encode, names_->source, __LINE__,
                      "Error encoding first failed element number for context=%u",
                      unsigned{kFirstFailedElementNumberTag});
        return 0;
    }
    return cursor.used;
}

void BACnetStackElementNumberError::Reset() {
    BACnetErrorBase::Reset();
    Codec::ResetContextMember(firstFailedElementNumber_, kFirstFailedElementNumberTag);
}

bool BACnetStackElementNumberError::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    if (firstFailedElementNumber_.IsValid()) {
        children.push_back(
            MakeRenderChild(&firstFailedElementNumber_, "FirstFailedElementNumber", kFirstFailedElementNumberTag));
    }
    return true;
}

void BACnetStackElementNumberError::SetFirstFailedElementNumber(uint32_t elementNumber) {
    firstFailedElementNumber_.SetValue(elementNumber);
    firstFailedElementNumber_.SetContextTag(kFirstFailedElementNumberTag);
    UpdateValidity();
}

bool BACnetStackElementNumberError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetStackElementNumberError*>(&other);
    return error != nullptr && Codec::SameOptional(error->firstFailedElementNumber_, firstFailedElementNumber_);
}

}  // namespace ZalvoBACnetStack
