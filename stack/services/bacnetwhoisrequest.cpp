#include "services/bacnetwhoisrequest.h"

#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwhoisrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWhoIsRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWhoIsRequest::Encode";
constexpr BACnetServiceCodec::DeviceInstanceRange::ReportNames kRangeNames{
    kSource,
    kDecode,
    kEncode,
    "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeLimits",
    "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeLowLimit",
    "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeHighLimit"};
}  // namespace

uint16_t BACnetWhoIsRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    uint16_t used = 0;
    if (!range_.Decode(buffer, length, outcome, kRangeNames, used)) {
        Reset();
        return 0;
    }
    if (range_.lowLimit.IsValid() != range_.highLimit.IsValid()) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "Error, only one limit was provided.  Either both must be provided or neither.");
        valid_ = false;
        return 0;
    }
    valid_ = true;
    return used;
}

uint16_t BACnetWhoIsRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!HasLimits()) return 0;
    return range_.Encode(buffer, room, outcome, kRangeNames);
}

std::unique_ptr<ICodable> BACnetWhoIsRequest::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetWhoIsRequest(*this));
}

void BACnetWhoIsRequest::Reset() {
    range_.Clear();
    valid_ = false;
}

bool BACnetWhoIsRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetWhoIsRequest*>(other);
    return request != nullptr && request->valid_ == valid_ && request->range_.IsEqual(range_);
}

bool BACnetWhoIsRequest::GetChildren(RenderChildren& children) const {
    if (!HasLimits()) return false;
    range_.AddChildren(children);
    return true;
}

void BACnetWhoIsRequest::SetWithoutLimits() {
    Reset();
    valid_ = true;
}

bool BACnetWhoIsRequest::SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high) {
    SetWithoutLimits();
    return range_.Set(low, high, kRangeNames);
}

}  // namespace ZalvoBACnetStack
