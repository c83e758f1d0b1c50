#include "services/bacnetunconfirmedprivatetransferrequest.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetunconfirmedprivatetransferrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetUnconfirmedPrivateTransferRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetUnconfirmedPrivateTransferRequest::Encode";
constexpr const char* kSetVendorId = "ZalvoBACnetStack::BACnetUnconfirmedPrivateTransferRequest::SetVendorId";
constexpr const char* kSetServiceParameters =
    "ZalvoBACnetStack::BACnetUnconfirmedPrivateTransferRequest::SetServiceParameters";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetUnconfirmedPrivateTransferRequest::BACnetUnconfirmedPrivateTransferRequest()
    : serviceParameters_(kServiceParametersTag) {
    vendorId_.SetContextTag(kVendorIdTag);
    serviceNumber_.SetContextTag(kServiceNumberTag);
}

uint16_t BACnetUnconfirmedPrivateTransferRequest::Decode(const uint8_t* buffer, uint16_t length,
                                                         BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "BACnetUnconfirmedPrivateTransferRequest::Decode - Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(vendorId_, cursor, outcome, kVendorIdTag)) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "BACnetUnconfirmedPrivateTransferRequest::Decode - Failed to decode vendorId");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(serviceNumber_, cursor, outcome, kServiceNumberTag)) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "BACnetUnconfirmedPrivateTransferRequest::Decode - Failed to decode serviceNumber");
        Reset();
        return 0;
    }
    BACnetTag tag;
    if (!cursor.AtEnd() && tag.Decode(cursor.Here(), cursor.Left()) != 0 && tag.IsOpening() &&
        tag.tagNumber == kServiceParametersTag) {
        // The request stands without its parameters: a failure here only
        // leaves them out (the reports say why).
        BACnetErrorOutcome ignored;
        if (!Codec::DecodeRequired(serviceParameters_, cursor, &ignored, kServiceParametersTag)) {
            serviceParameters_.Reset();
        }
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetUnconfirmedPrivateTransferRequest::Encode(uint8_t* buffer, uint16_t room,
                                                         BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "BACnetUnconfirmedPrivateTransferRequest::Encode - Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "BACnetUnconfirmedPrivateTransferRequest::Encode - Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(vendorId_, cursor, outcome, kVendorIdTag) ||
        !Codec::EncodeContext(serviceNumber_, cursor, outcome, kServiceNumberTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the propertyIdentifier");
        return 0;
    }
    if (serviceParameters_.IsValid() && serviceParameters_.Size() != 0 &&
        !Codec::EncodeContext(serviceParameters_, cursor, outcome, kServiceParametersTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the service parameters");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetUnconfirmedPrivateTransferRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetUnconfirmedPrivateTransferRequest::Reset() {
    Codec::ResetContextMember(vendorId_, kVendorIdTag);
    Codec::ResetContextMember(serviceNumber_, kServiceNumberTag);
    serviceParameters_.Reset();
    valid_ = false;
}

bool BACnetUnconfirmedPrivateTransferRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetUnconfirmedPrivateTransferRequest*>(other);
    return request != nullptr && request->valid_ == valid_ && Codec::SameOptional(request->vendorId_, vendorId_) &&
           Codec::SameOptional(request->serviceNumber_, serviceNumber_) &&
           Codec::SameOptional(request->serviceParameters_, serviceParameters_);
}

bool BACnetUnconfirmedPrivateTransferRequest::GetChildren(RenderChildren& children) const {
    if (vendorId_.IsValid()) children.push_back(MakeRenderChild(&vendorId_));
    if (serviceNumber_.IsValid()) children.push_back(MakeRenderChild(&serviceNumber_));
    if (serviceParameters_.IsValid()) children.push_back(MakeRenderChild(&serviceParameters_));
    return !children.empty();
}

bool BACnetUnconfirmedPrivateTransferRequest::SetVendorId(uint32_t vendorId) {
    if (vendorId > kMaxVendorId) {
        StackErrorLog(kSetVendorId, kSource, __LINE__, "Error - failed to set the value");
        return false;
    }
    vendorId_.SetValue(vendorId);
    vendorId_.SetContextTag(kVendorIdTag);
    UpdateValidity();
    return true;
}

void BACnetUnconfirmedPrivateTransferRequest::SetServiceNumber(uint32_t serviceNumber) {
    serviceNumber_.SetValue(serviceNumber);
    serviceNumber_.SetContextTag(kServiceNumberTag);
    UpdateValidity();
}

bool BACnetUnconfirmedPrivateTransferRequest::SetServiceParameters(const BACnetAbstractSyntaxType& parameters) {
    serviceParameters_.Reset();
    for (size_t i = 0; i < parameters.Size(); ++i) {
        const ICodable* value = parameters.At(i);
        if (value == nullptr || !serviceParameters_.AddValueAndTakeOwnership(value->Clone())) {
            StackErrorLog(kSetServiceParameters, kSource, __LINE__, "Error - failed to set the value");
            serviceParameters_.Reset();
            return false;
        }
    }
    return true;
}

}  // namespace ZalvoBACnetStack
