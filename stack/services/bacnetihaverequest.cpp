#include "services/bacnetihaverequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetihaverequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetIHaveRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetIHaveRequest::Encode";
constexpr const char* kSetIHaveRequest = "ZalvoBACnetStack::BACnetIHaveRequest::SetIHaveRequest";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetIHaveRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
            {{deviceIdentifier_, "Failed to decode device identifier"},
             {objectIdentifier_, "Failed to decode object identifier"},
             {objectName_, "Failed to decode object name"}})) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetIHaveRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (const char* failure = Codec::EncodeApplicationMembers(
            cursor, outcome,
            {{deviceIdentifier_, "Failed to encode device identifier"},
             {objectIdentifier_, "Failed to encode object identifier"},
             {objectName_, "Failed to encode object name"}})) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetIHaveRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetIHaveRequest::Reset() {
    deviceIdentifier_.Reset();
    objectIdentifier_.Reset();
    objectName_.Reset();
    valid_ = false;
}

bool BACnetIHaveRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetIHaveRequest*>(other);
    return request != nullptr && request->valid_ == valid_ &&
           Codec::SameOptional(request->deviceIdentifier_, deviceIdentifier_) &&
           Codec::SameOptional(request->objectIdentifier_, objectIdentifier_) &&
           Codec::SameOptional(request->objectName_, objectName_);
}

bool BACnetIHaveRequest::GetChildren(RenderChildren& children) const {
    if (!valid_) return false;
    children.push_back(MakeRenderChild(&deviceIdentifier_, "DeviceIdentifier"));
    children.push_back(MakeRenderChild(&objectIdentifier_, "ObjectIdentifier"));
    children.push_back(MakeRenderChild(&objectName_, "ObjectName"));
    return true;
}

bool BACnetIHaveRequest::SetIHaveRequest(const BACnetPrimitiveObjectIdentifier& deviceIdentifier,
                                         const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                         std::string_view objectName, uint8_t characterSet) {
    Reset();
    if (!deviceIdentifier.IsValid() || deviceIdentifier.GetObjectType() != kDeviceObjectType) {
        StackErrorLog(kSetIHaveRequest, kSource, __LINE__, "Failed to set the device identifier");
        return false;
    }
    if (!objectIdentifier.IsValid()) {
        StackErrorLog(kSetIHaveRequest, kSource, __LINE__, "Failed to set the object identifier");
        return false;
    }
    deviceIdentifier_.SetRawValue(deviceIdentifier.GetRawValue());
    objectIdentifier_.SetRawValue(objectIdentifier.GetRawValue());
    objectName_.SetValue(objectName, characterSet);
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
