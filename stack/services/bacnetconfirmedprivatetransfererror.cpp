#include "services/bacnetconfirmedprivatetransfererror.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetconfirmedprivatetransfererror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetConfirmedPrivateTransferError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetConfirmedPrivateTransferError::Encode";
constexpr const char* kSetErrorParameters =
    "ZalvoBACnetStack::BACnetConfirmedPrivateTransferError::SetErrorParameters";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetConfirmedPrivateTransferError::BACnetConfirmedPrivateTransferError() : errorParameters_(kErrorParametersTag) {
    vendorId_.SetContextTag(kVendorIdTag);
    serviceNumber_.SetContextTag(kServiceNumberTag);
}

uint16_t BACnetConfirmedPrivateTransferError::Decode(const uint8_t* buffer, uint16_t length,
                                                     BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    const char* failure = nullptr;
    if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
        failure = "Error decoding the error";
    } else if (!Codec::DecodeRequired(vendorId_, cursor, outcome, kVendorIdTag)) {
        failure = "Error Decoding Vendor ID";
    } else if (!Codec::DecodeRequired(serviceNumber_, cursor, outcome, kServiceNumberTag)) {
        failure = "Error Decoding Service Number";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    BACnetTag tag;
    const uint16_t opening = cursor.AtEnd() ? 0 : tag.Decode(cursor.Here(), cursor.Left());
    if (opening != 0 && tag.IsOpening() && tag.tagNumber == kErrorParametersTag) {
        cursor.Advance(opening);
        const uint16_t contents = errorParameters_.Decode(cursor.Here(), cursor.Left(), outcome);
        if ((contents == 0 && !errorParameters_.IsValid()) || !cursor.Advance(contents)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error Decoding Error Parameters");
            Reset();
            return 0;
        }
        const uint16_t closing = tag.DecodeAndCheckClosingTag(cursor.Here(), cursor.Left(), kErrorParametersTag);
        if (closing == 0) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error Decoding closing tag for error parameters");
            Reset();
            return 0;
        }
        cursor.Advance(closing);
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetConfirmedPrivateTransferError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetConfirmedPrivateTransferError object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding the BACnetError");
        return 0;
    }
    if (!Codec::EncodeContext(vendorId_, cursor, outcome, kVendorIdTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding vendor id for context=%u", unsigned{kVendorIdTag});
        return 0;
    }
    if (!Codec::EncodeContext(serviceNumber_, cursor, outcome, kServiceNumberTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding service number for context=%u",
                      unsigned{kServiceNumberTag});
        return 0;
    }
    if (!errorParameters_.IsValid()) return cursor.used;
    const uint16_t opening = BACnetTag::Opening(kErrorParametersTag).Encode(cursor.Here(), cursor.Left());
    if (opening == 0 || !cursor.Advance(opening)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding opening tag for context=%u",
                      unsigned{kErrorParametersTag});
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    // An empty holder writes nothing; the tags still stand for the parameters.
    if (errorParameters_.Size() != 0) {
        const uint16_t contents = errorParameters_.Encode(cursor.Here(), cursor.Left(), outcome);
        if (contents == 0 || !cursor.Advance(contents)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Error encoding the error parameters");
            return 0;
        }
    }
    const uint16_t closing = BACnetTag::Closing(kErrorParametersTag).Encode(cursor.Here(), cursor.Left());
    if (closing == 0 || !cursor.Advance(closing)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding closing tag for context=%u",
                      unsigned{kErrorParametersTag});
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetConfirmedPrivateTransferError::Clone() const { return Codec::CopyOf(*this); }

void BACnetConfirmedPrivateTransferError::Reset() {
    BACnetErrorBase::Reset();
    Codec::ResetContextMember(vendorId_, kVendorIdTag);
    Codec::ResetContextMember(serviceNumber_, kServiceNumberTag);
    errorParameters_.Reset();
}

bool BACnetConfirmedPrivateTransferError::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    if (vendorId_.IsValid()) children.push_back(MakeRenderChild(&vendorId_, "VendorId", kVendorIdTag));
    if (serviceNumber_.IsValid()) {
        children.push_back(MakeRenderChild(&serviceNumber_, "ServiceNumber", kServiceNumberTag));
    }
    if (errorParameters_.IsValid()) {
        children.push_back(MakeRenderChild(&errorParameters_, "ErrorParameters", kErrorParametersTag));
    }
    return true;
}

void BACnetConfirmedPrivateTransferError::SetVendorId(uint32_t vendorId) {
    vendorId_.SetValue(vendorId);
    vendorId_.SetContextTag(kVendorIdTag);
    UpdateValidity();
}

void BACnetConfirmedPrivateTransferError::SetServiceNumber(uint32_t serviceNumber) {
    serviceNumber_.SetValue(serviceNumber);
    serviceNumber_.SetContextTag(kServiceNumberTag);
    UpdateValidity();
}

bool BACnetConfirmedPrivateTransferError::SetErrorParameters(const BACnetAbstractSyntaxType& parameters) {
    errorParameters_.Reset();
    for (size_t i = 0; i < parameters.Size(); ++i) {
        const ICodable* value = parameters.At(i);
        if (value == nullptr || !errorParameters_.AddValueAndTakeOwnership(value->Clone())) {
            StackErrorLog(kSetErrorParameters, kSource, __LINE__, "Failed to set the error parameters");
            errorParameters_.Reset();
            return false;
        }
    }
    return true;
}

bool BACnetConfirmedPrivateTransferError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetConfirmedPrivateTransferError*>(&other);
    return error != nullptr && Codec::SameOptional(error->vendorId_, vendorId_) &&
           Codec::SameOptional(error->serviceNumber_, serviceNumber_) &&
           Codec::SameOptional(error->errorParameters_, errorParameters_);
}

}  // namespace ZalvoBACnetStack
