#include "services/bacnetwhoisrequest.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwhoisrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWhoIsRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWhoIsRequest::Encode";
constexpr const char* kSetLimits = "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeLimits";
constexpr const char* kSetLow = "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeLowLimit";
constexpr const char* kSetHigh = "ZalvoBACnetStack::BACnetWhoIsRequest::SetDeviceInstanceRangeHighLimit";
}  // namespace

uint16_t BACnetWhoIsRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    uint16_t lowSize = 0;
    uint16_t highSize = 0;
    if (!DecodeOptionalLimit(buffer, length, outcome, kLowLimitTag, lowLimit_, lowSize) ||
        !DecodeOptionalLimit(buffer + lowSize, static_cast<uint16_t>(length - lowSize), outcome, kHighLimitTag,
                             highLimit_, highSize)) {
        Reset();
        return 0;
    }
    if (lowLimit_.IsValid() != highLimit_.IsValid()) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "Error, only one limit was provided.  Either both must be provided or neither.");
        valid_ = false;
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(lowSize + highSize);
}

bool BACnetWhoIsRequest::DecodeOptionalLimit(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t tagNumber, BACnetPrimitiveUINT& limit, uint16_t& used) {
    used = 0;
    BACnetTag tag;
    if (length == 0 || tag.Decode(buffer, length) == 0 || !tag.IsContext() || tag.tagNumber != tagNumber) {
        return true;  // absent
    }
    used = limit.DecodeWithContext(buffer, length, outcome, tagNumber);
    if (used != 0) return true;
    StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode device instance range %s limit with context=[%u]",
                  tagNumber == kLowLimitTag ? "low" : "high", unsigned{tagNumber});
    return false;
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
    const uint16_t lowSize = lowLimit_.EncodeWithContext(buffer, room, outcome, kLowLimitTag);
    if (lowSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode device instance range low limit with context=[%u]",
                      unsigned{kLowLimitTag});
        return 0;
    }
    // With no room left the high limit's own check reports the lack of room.
    const uint16_t highSize =
        highLimit_.EncodeWithContext(buffer + lowSize, static_cast<uint16_t>(room - lowSize), outcome, kHighLimitTag);
    if (highSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "Unable to encode device instance range high limit with context=[%u]", unsigned{kHighLimitTag});
        return 0;
    }
    return static_cast<uint16_t>(lowSize + highSize);
}

std::unique_ptr<ICodable> BACnetWhoIsRequest::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetWhoIsRequest(*this));
}

void BACnetWhoIsRequest::Reset() {
    lowLimit_.Reset();
    highLimit_.Reset();
    valid_ = false;
}

bool BACnetWhoIsRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetWhoIsRequest*>(other);
    if (request == nullptr || request->valid_ != valid_ || request->HasLimits() != HasLimits()) return false;
    return !HasLimits() || (request->lowLimit_.GetValue() == lowLimit_.GetValue() &&
                            request->highLimit_.GetValue() == highLimit_.GetValue());
}

bool BACnetWhoIsRequest::GetChildren(RenderChildren& children) const {
    if (!HasLimits()) return false;
    children.push_back(MakeRenderChild(&lowLimit_, "DeviceInstanceRangeLowLimit", kLowLimitTag));
    children.push_back(MakeRenderChild(&highLimit_, "DeviceInstanceRangeHighLimit", kHighLimitTag));
    return true;
}

void BACnetWhoIsRequest::SetWithoutLimits() {
    Reset();
    valid_ = true;
}

bool BACnetWhoIsRequest::SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high) {
    SetWithoutLimits();
    if (low > high) {
        StackErrorLog(kSetLimits, kSource, __LINE__,
                      "Error - device instance range low limit is greater than device instance high range limit");
        return false;
    }
    if (!SetDeviceInstanceRangeLowLimit(low)) {
        StackErrorLog(kSetLimits, kSource, __LINE__, "Failed to set the device instance range low limit");
        return false;
    }
    if (!SetDeviceInstanceRangeHighLimit(high)) {
        StackErrorLog(kSetLimits, kSource, __LINE__, "Failed to set the device instance range high limit");
        lowLimit_.Reset();  // the limits come in pairs
        return false;
    }
    return true;
}

bool BACnetWhoIsRequest::SetDeviceInstanceRangeLowLimit(uint32_t low) {
    if (low > kMaxDeviceInstance) {
        StackErrorLog(kSetLow, kSource, __LINE__,
                      "Invalid device instance range low limit=[%u]. Must be between 0 and 4194303 inclusively", low);
        return false;
    }
    lowLimit_.SetValue(low);
    lowLimit_.SetContextTag(kLowLimitTag);
    return true;
}

bool BACnetWhoIsRequest::SetDeviceInstanceRangeHighLimit(uint32_t high) {
    if (high > kMaxDeviceInstance) {
        StackErrorLog(kSetHigh, kSource, __LINE__,
                      "Invalid device instance range hgih limit=[%u]. Must be between 0 and 4194303 inclusively",
                      high);
        return false;
    }
    highLimit_.SetValue(high);
    highLimit_.SetContextTag(kHighLimitTag);
    return true;
}

}  // namespace ZalvoBACnetStack
