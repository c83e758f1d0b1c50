#include "services/bacnetwhohasrequest.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwhohasrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWhoHasRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWhoHasRequest::Encode";
constexpr const char* kSetLimits = "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeLimits";
constexpr const char* kSetLow = "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeLowLimit";
constexpr const char* kSetHigh = "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeHighLimit";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetWhoHasRequest::SetObjectIdentifier";
constexpr const char* kCopy = "ZalvoBACnetStack::BACnetWhoHasRequest::BACnetWhoHasRequest";

// A new empty primitive of the class the object choice names.
std::unique_ptr<BACnetPrimitiveBase> MakeObject(uint8_t objectChoice) {
    if (objectChoice == BACnetWhoHasRequest::kObjectIdentifierTag) {
        return std::unique_ptr<BACnetPrimitiveBase>(new (std::nothrow) BACnetPrimitiveObjectIdentifier());
    }
    return std::unique_ptr<BACnetPrimitiveBase>(new (std::nothrow) BACnetPrimitiveCharSTRING());
}
}  // namespace

BACnetWhoHasRequest::BACnetWhoHasRequest(const BACnetWhoHasRequest& other)
    : BACnetUnconfirmedServiceRequest(other),
      lowLimit_(other.lowLimit_),
      highLimit_(other.highLimit_),
      objectChoice_(other.objectChoice_) {
    if (other.object_ == nullptr) return;
    std::unique_ptr<ICodable> copy = other.object_->Clone();
    auto* primitive = dynamic_cast<BACnetPrimitiveBase*>(copy.get());
    if (primitive == nullptr) {
        StackErrorLog(kCopy, kSource, __LINE__, "Failed to set the object");
        objectChoice_ = 0;
        valid_ = false;
        return;
    }
    copy.release();
    object_.reset(primitive);
}

uint16_t BACnetWhoHasRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    if (length == 0) {
        valid_ = true;
        return 0;
    }
    uint16_t lowSize = 0;
    uint16_t highSize = 0;
    if (!DecodeOptionalLimit(buffer, length, outcome, kLowLimitTag, lowLimit_, lowSize) ||
        !DecodeOptionalLimit(buffer + lowSize, static_cast<uint16_t>(length - lowSize), outcome, kHighLimitTag,
                             highLimit_, highSize)) {
        Reset();
        return 0;
    }
    uint16_t used = static_cast<uint16_t>(lowSize + highSize);
    BACnetTag choice;
    if (used >= length || choice.Decode(buffer + used, static_cast<uint16_t>(length - used)) == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the tag for the object choice part of the WhoHas");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    if (!choice.IsContext() || (choice.tagNumber != kObjectIdentifierTag && choice.tagNumber != kObjectNameTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid Context Tag for the WhoHas object = [%u]",
                      unsigned{choice.tagNumber});
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    object_ = MakeObject(choice.tagNumber);
    if (object_ == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
        SetAbort(outcome, kAbortOther);
        Reset();
        return 0;
    }
    const uint16_t objectSize =
        object_->DecodeWithContext(buffer + used, static_cast<uint16_t>(length - used), outcome, choice.tagNumber);
    if (objectSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      choice.tagNumber == kObjectIdentifierTag
                          ? "Error decoding the object identifier for the WhoHasRequest"
                          : "Error decoding the object name for the WhoHasRequest");
        Reset();
        return 0;
    }
    objectChoice_ = choice.tagNumber;
    used = static_cast<uint16_t>(used + objectSize);
    if (lowLimit_.IsValid() != highLimit_.IsValid()) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "Error - only one limit was provided.  Either both must be provided or neither.");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
}

bool BACnetWhoHasRequest::DecodeOptionalLimit(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
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

uint16_t BACnetWhoHasRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    uint16_t used = 0;
    if (HasLimits()) {
        used = lowLimit_.EncodeWithContext(buffer, room, outcome, kLowLimitTag);
        if (used == 0) {
            StackErrorLog(kEncode, kSource, __LINE__,
                          "Unable to encode device instance range low limit with context=[%u]", unsigned{kLowLimitTag});
            return 0;
        }
        // With no room left the high limit's own check reports the lack of room.
        const uint16_t highSize = used < room ? highLimit_.EncodeWithContext(
                                                    buffer + used, static_cast<uint16_t>(room - used), outcome,
                                                    kHighLimitTag)
                                              : highLimit_.EncodeWithContext(nullptr, 0, outcome, kHighLimitTag);
        if (highSize == 0) {
            StackErrorLog(kEncode, kSource, __LINE__,
                          "Unable to encode device instance range high limit with context=[%u]",
                          unsigned{kHighLimitTag});
            return 0;
        }
        used = static_cast<uint16_t>(used + highSize);
    }
    const uint16_t objectSize =
        object_ == nullptr ? 0
        : used < room      ? object_->EncodeWithContext(buffer + used, static_cast<uint16_t>(room - used), outcome,
                                                        objectChoice_)
                           : object_->EncodeWithContext(nullptr, 0, outcome, objectChoice_);
    if (objectSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode WhoHasRequest objectChoice with context=[%u]",
                      unsigned{objectChoice_});
        if (object_ == nullptr) SetAbort(outcome, kAbortOther);
        return 0;
    }
    return static_cast<uint16_t>(used + objectSize);
}

std::unique_ptr<ICodable> BACnetWhoHasRequest::Clone() const {
    std::unique_ptr<BACnetWhoHasRequest> copy(new (std::nothrow) BACnetWhoHasRequest(*this));
    if (copy == nullptr || (object_ != nullptr && copy->object_ == nullptr)) return nullptr;
    return copy;
}

void BACnetWhoHasRequest::Reset() {
    lowLimit_.Reset();
    highLimit_.Reset();
    object_.reset();
    objectChoice_ = 0;
    valid_ = false;
}

bool BACnetWhoHasRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetWhoHasRequest*>(other);
    if (request == nullptr || request->valid_ != valid_ || request->HasLimits() != HasLimits() ||
        request->objectChoice_ != objectChoice_) {
        return false;
    }
    if (HasLimits() && (request->lowLimit_.GetValue() != lowLimit_.GetValue() ||
                        request->highLimit_.GetValue() != highLimit_.GetValue())) {
        return false;
    }
    if (object_ == nullptr || request->object_ == nullptr) return object_ == request->object_;
    return object_->IsEqual(request->object_.get());
}

bool BACnetWhoHasRequest::GetChildren(RenderChildren& children) const {
    if (HasLimits()) {
        children.push_back(MakeRenderChild(&lowLimit_, "DeviceInstanceRangeLowLimit", kLowLimitTag));
        children.push_back(MakeRenderChild(&highLimit_, "DeviceInstanceRangeHighLimit", kHighLimitTag));
    }
    if (object_ != nullptr) {
        children.push_back(MakeRenderChild(object_.get(),
                                           objectChoice_ == kObjectIdentifierTag ? "ObjectIdentifier" : "ObjectName",
                                           objectChoice_));
    }
    return !children.empty();
}

bool BACnetWhoHasRequest::SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high) {
    ClearDeviceInstanceRangeLimits();
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

void BACnetWhoHasRequest::ClearDeviceInstanceRangeLimits() {
    lowLimit_.Reset();
    highLimit_.Reset();
}

bool BACnetWhoHasRequest::SetDeviceInstanceRangeLowLimit(uint32_t low) {
    if (low > kMaxDeviceInstance) {
        StackErrorLog(kSetLow, kSource, __LINE__,
                      "Invalid device instance range low limit=[%u]. Must be between 0 and 4194303 inclusively", low);
        return false;
    }
    lowLimit_.SetValue(low);
    lowLimit_.SetContextTag(kLowLimitTag);
    return true;
}

bool BACnetWhoHasRequest::SetDeviceInstanceRangeHighLimit(uint32_t high) {
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

bool BACnetWhoHasRequest::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (!objectIdentifier.IsValid()) {
        StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
        return false;
    }
    auto object = std::make_unique<BACnetPrimitiveObjectIdentifier>();
    object->SetRawValue(objectIdentifier.GetRawValue());
    object->SetContextTag(kObjectIdentifierTag);
    object_ = std::move(object);
    objectChoice_ = kObjectIdentifierTag;
    valid_ = true;
    return true;
}

void BACnetWhoHasRequest::SetObjectName(std::string_view objectName, uint8_t characterSet) {
    auto object = std::make_unique<BACnetPrimitiveCharSTRING>(objectName, characterSet);
    object->SetContextTag(kObjectNameTag);
    object_ = std::move(object);
    objectChoice_ = kObjectNameTag;
    valid_ = true;
}

const BACnetPrimitiveObjectIdentifier* BACnetWhoHasRequest::GetObjectIdentifier() const {
    return objectChoice_ == kObjectIdentifierTag ? static_cast<const BACnetPrimitiveObjectIdentifier*>(object_.get())
                                                 : nullptr;
}

const BACnetPrimitiveCharSTRING* BACnetWhoHasRequest::GetObjectName() const {
    return objectChoice_ == kObjectNameTag ? static_cast<const BACnetPrimitiveCharSTRING*>(object_.get()) : nullptr;
}

}  // namespace ZalvoBACnetStack
