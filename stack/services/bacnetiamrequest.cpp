#include "services/bacnetiamrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetiamrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetIAmRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetIAmRequest::Encode";
constexpr const char* kSetIAmRequest = "ZalvoBACnetStack::BACnetIAmRequest::SetIAmRequest";
constexpr const char* kSetIAmDeviceIdentifier = "ZalvoBACnetStack::BACnetIAmRequest::SetIAmDeviceIdentifier";
constexpr const char* kSetMaxApduLengthAccepted = "ZalvoBACnetStack::BACnetIAmRequest::SetMaxApduLengthAccepted";
constexpr const char* kSetSegmentationSupported = "ZalvoBACnetStack::BACnetIAmRequest::SetSegmentationSupported";
constexpr const char* kSetVendorId = "ZalvoBACnetStack::BACnetIAmRequest::SetVendorId";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetIAmRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (const char* failure = Codec::DecodeApplicationMembers(
            cursor, outcome,
            {{iAmDeviceIdentifier_, "Failed to decode iAmDeviceIdentifier"},
             {maxApduLengthAccepted_, "Failed to decode maxApduLengthAccepted"},
             {segmentationSupported_, "Failed to decode segmentationSupported"},
             {vendorId_, "Failed to decode vendorId"}})) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetIAmRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    // The encoder reports with the decoder's wording.
    if (const char* failure = Codec::EncodeApplicationMembers(
            cursor, outcome,
            {{iAmDeviceIdentifier_, "Failed to decode iAmDeviceIdentifier"},
             {maxApduLengthAccepted_, "Failed to decode maxApduLengthAccepted"},
             {segmentationSupported_, "Failed to decode segmentationSupported"},
             {vendorId_, "Failed to decode vendorId"}})) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetIAmRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetIAmRequest::Reset() {
    iAmDeviceIdentifier_.Reset();
    maxApduLengthAccepted_.Reset();
    segmentationSupported_.Reset();
    vendorId_.Reset();
    valid_ = false;
}

bool BACnetIAmRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetIAmRequest*>(other);
    return request != nullptr && request->valid_ == valid_ &&
           Codec::SameOptional(request->iAmDeviceIdentifier_, iAmDeviceIdentifier_) &&
           Codec::SameOptional(request->maxApduLengthAccepted_, maxApduLengthAccepted_) &&
           Codec::SameOptional(request->segmentationSupported_, segmentationSupported_) &&
           Codec::SameOptional(request->vendorId_, vendorId_);
}

bool BACnetIAmRequest::GetChildren(RenderChildren& children) const {
    if (!valid_) return false;
    children.push_back(MakeRenderChild(&iAmDeviceIdentifier_, "IAmDeviceIdentifier"));
    children.push_back(MakeRenderChild(&maxApduLengthAccepted_, "MaxAPDULengthAccepted"));
    children.push_back(MakeRenderChild(&segmentationSupported_, "SegmentationSupported"));
    children.push_back(MakeRenderChild(&vendorId_, "VendorId"));
    return true;
}

bool BACnetIAmRequest::SetIAmRequest(const BACnetPrimitiveObjectIdentifier& deviceIdentifier,
                                     uint32_t maxApduLengthAccepted, uint32_t segmentationSupported,
                                     uint32_t vendorId) {
    Reset();
    if (!SetIAmDeviceIdentifier(deviceIdentifier) || !SetMaxApduLengthAccepted(maxApduLengthAccepted) ||
        !SetSegmentationSupported(segmentationSupported) || !SetVendorId(vendorId)) {
        StackErrorLog(kSetIAmRequest, kSource, __LINE__, "Failed to set the i am request");
        Reset();
        return false;
    }
    return true;
}

bool BACnetIAmRequest::SetIAmDeviceIdentifier(const BACnetPrimitiveObjectIdentifier& deviceIdentifier) {
    if (!deviceIdentifier.IsValid() || deviceIdentifier.GetObjectType() != kDeviceObjectType) {
        StackErrorLog(kSetIAmDeviceIdentifier, kSource, __LINE__, "Failed to set the i am device identifier");
        return false;
    }
    iAmDeviceIdentifier_.Reset();
    iAmDeviceIdentifier_.SetRawValue(deviceIdentifier.GetRawValue());
    UpdateValidity();
    return true;
}

bool BACnetIAmRequest::SetMaxApduLengthAccepted(uint32_t maxApduLengthAccepted) {
    if (maxApduLengthAccepted < kMinimumApduLength || maxApduLengthAccepted > kMaxApduLength) {
        StackErrorLog(kSetMaxApduLengthAccepted, kSource, __LINE__, "Failed to set the max apdu length accepted");
        return false;
    }
    maxApduLengthAccepted_.SetValue(maxApduLengthAccepted);
    UpdateValidity();
    return true;
}

bool BACnetIAmRequest::SetSegmentationSupported(uint32_t segmentationSupported) {
    if (segmentationSupported > kMaxSegmentation) {
        StackErrorLog(kSetSegmentationSupported, kSource, __LINE__, "Failed to set the segmentation supported");
        return false;
    }
    segmentationSupported_.SetValue(segmentationSupported);
    UpdateValidity();
    return true;
}

bool BACnetIAmRequest::SetVendorId(uint32_t vendorId) {
    if (vendorId > kMaxVendorId) {
        StackErrorLog(kSetVendorId, kSource, __LINE__, "Failed to set the vendor id");
        return false;
    }
    vendorId_.SetValue(vendorId);
    UpdateValidity();
    return true;
}

}  // namespace ZalvoBACnetStack
