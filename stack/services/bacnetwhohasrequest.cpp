#include "services/bacnetwhohasrequest.h"

#include <new>

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwhohasrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWhoHasRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWhoHasRequest::Encode";
constexpr BACnetServiceCodec::DeviceInstanceRange::ReportNames kRangeNames{
    kSource,
    kDecode,
    kEncode,
    "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeLimits",
    "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeLowLimit",
    "ZalvoBACnetStack::BACnetWhoHasRequest::SetDeviceInstanceRangeHighLimit"};
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
      range_(other.range_),
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
    uint16_t used = 0;
    if (!range_.Decode(buffer, length, outcome, kRangeNames, used)) {
        Reset();
        return 0;
    }
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
    if (range_.lowLimit.IsValid() != range_.highLimit.IsValid()) {
        StackErrorLog(kDecode, kSource, __LINE__,
                      "Error - only one limit was provided.  Either both must be provided or neither.");
        Reset();
        return 0;
    }
    valid_ = true;
    return used;
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
        used = range_.Encode(buffer, room, outcome, kRangeNames);
        if (used == 0) return 0;
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
    range_.Clear();
    object_.reset();
    objectChoice_ = 0;
    valid_ = false;
}

bool BACnetWhoHasRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* request = dynamic_cast<const BACnetWhoHasRequest*>(other);
    if (request == nullptr || request->valid_ != valid_ || !request->range_.IsEqual(range_) ||
        request->objectChoice_ != objectChoice_) {
        return false;
    }
    if (object_ == nullptr || request->object_ == nullptr) return object_ == request->object_;
    return object_->IsEqual(request->object_.get());
}

bool BACnetWhoHasRequest::GetChildren(RenderChildren& children) const {
    range_.AddChildren(children);
    if (object_ != nullptr) {
        children.push_back(MakeRenderChild(object_.get(),
                                           objectChoice_ == kObjectIdentifierTag ? "ObjectIdentifier" : "ObjectName",
                                           objectChoice_));
    }
    return !children.empty();
}

bool BACnetWhoHasRequest::SetDeviceInstanceRangeLimits(uint32_t low, uint32_t high) {
    ClearDeviceInstanceRangeLimits();
    return range_.Set(low, high, kRangeNames);
}

void BACnetWhoHasRequest::ClearDeviceInstanceRangeLimits() { range_.Clear(); }

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
