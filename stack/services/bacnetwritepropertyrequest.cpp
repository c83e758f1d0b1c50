#include "services/bacnetwritepropertyrequest.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwritepropertyrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWritePropertyRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWritePropertyRequest::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetWritePropertyRequest::SetWritePropertyRequest";
constexpr const char* kSetPriority = "ZalvoBACnetStack::BACnetWritePropertyRequest::SetPriority";
constexpr uint8_t kPropertyValueTag = 3;
constexpr uint8_t kPriorityTag = 4;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetWritePropertyRequest::BACnetWritePropertyRequest() : propertyValue_(kPropertyValueTag) { Reset(); }

uint16_t BACnetWritePropertyRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    const char* failure = members_.Decode(cursor, outcome);
    if (failure == nullptr && !Codec::DecodeRequired(propertyValue_, cursor, outcome, kPropertyValueTag)) {
        failure = "Failed to decode propertyValue";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    Codec::DecodeOptional(priority_, cursor, outcome, kPriorityTag);
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetWritePropertyRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    const char* failure = members_.Encode(cursor, outcome);
    if (failure == nullptr && !Codec::EncodeContext(propertyValue_, cursor, outcome, kPropertyValueTag)) {
        failure = "Failed to encode propertyValue";
    } else if (failure == nullptr && priority_.IsValid() &&
               !Codec::EncodeContext(priority_, cursor, outcome, kPriorityTag)) {
        failure = "Failed to encode priority";
    }
    if (failure != nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetWritePropertyRequest::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // The value's copy may have run out of memory.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetWritePropertyRequest::Reset() {
    members_.Reset();
    propertyValue_.Reset();
    Codec::ResetContextMember(priority_, kPriorityTag);
    valid_ = false;
}

bool BACnetWritePropertyRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetWritePropertyRequest*>(other);
    return same != nullptr && same->valid_ == valid_ && members_.IsEqual(same->members_) &&
           propertyValue_.IsEqual(&same->propertyValue_) && Codec::SameOptional(priority_, same->priority_);
}

bool BACnetWritePropertyRequest::GetChildren(RenderChildren& children) const {
    members_.AddChildren(children);
    children.push_back(MakeRenderChild(&propertyValue_, "PropertyValue", kPropertyValueTag));
    if (priority_.IsValid()) children.push_back(MakeRenderChild(&priority_, "Priority", kPriorityTag));
    return true;
}

bool BACnetWritePropertyRequest::SetPriority(uint32_t priority) {
    if (priority < kMinPriority || priority > kMaxPriority) {
        StackErrorLog(kSetPriority, kSource, __LINE__, "Invalid priority=[%u]. Must be between 1 and 16 inclusively",
                      priority);
        return false;
    }
    priority_.SetValue(priority);
    return true;
}

bool BACnetWritePropertyRequest::SetWritePropertyRequest(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                                         const BACnetPrimitiveENUM& propertyIdentifier,
                                                         const BACnetPrimitiveUINT* propertyArrayIndex,
                                                         const BACnetAbstractSyntaxType& value,
                                                         const BACnetPrimitiveUINT* priority) {
    Reset();
    const char* refusal = nullptr;
    if (!objectIdentifier.IsValid()) {
        refusal = "Failed to set the object identifier";
    } else if (!propertyIdentifier.IsValid()) {
        refusal = "Failed to set the property identifier";
    } else if (propertyArrayIndex != nullptr && !propertyArrayIndex->IsValid()) {
        refusal = "Failed to set the property array index";
    } else if (priority != nullptr && (!priority->IsValid() || !SetPriority(priority->GetValue()))) {
        refusal = "Failed to set the priority";
    } else if (!Codec::CopyAbstractValue(propertyValue_, value)) {
        refusal = "Failed to set the property value";
    }
    if (refusal != nullptr) {
        StackErrorLog(kSet, kSource, __LINE__, "%s", refusal);
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the write property request");
        Reset();
        return false;
    }
    members_.SetObjectIdentifier(objectIdentifier);
    members_.SetPropertyIdentifier(propertyIdentifier);
    if (propertyArrayIndex != nullptr) members_.SetPropertyArrayIndex(*propertyArrayIndex);
    valid_ = true;
    return true;
}

bool BACnetWritePropertyRequest::SetWritePropertyRequest(uint16_t objectType, uint32_t objectInstance,
                                                         uint32_t propertyIdentifier,
                                                         std::optional<uint32_t> propertyArrayIndex,
                                                         const BACnetAbstractSyntaxType& value,
                                                         std::optional<uint32_t> priority) {
    const BACnetPrimitiveObjectIdentifier object(objectType, objectInstance);
    const BACnetPropertyIdentifier property(propertyIdentifier);
    const BACnetPrimitiveUINT index(propertyArrayIndex.value_or(0));
    const BACnetPrimitiveUINT level(priority.value_or(0));
    return SetWritePropertyRequest(object, property, propertyArrayIndex ? &index : nullptr, value,
                                   priority ? &level : nullptr);
}

}  // namespace ZalvoBACnetStack
