#include "services/bacnetpropertyvalue.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpropertyvalue";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPropertyValue::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPropertyValue::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetPropertyValue::SetPropertyValue";
constexpr uint8_t kPropertyIdentifierTag = 0;
constexpr uint8_t kPropertyArrayIndexTag = 1;
constexpr uint8_t kValueTag = 2;
constexpr uint8_t kPriorityTag = 3;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetPropertyValue::BACnetPropertyValue() : value_(kValueTag) { Reset(); }

bool BACnetPropertyValue::SetPropertyValue(const BACnetPrimitiveENUM& propertyIdentifier,
                                           const BACnetPrimitiveUINT* propertyArrayIndex,
                                           const BACnetAbstractSyntaxType& value, const BACnetPrimitiveUINT* priority) {
    Reset();
    if (!propertyIdentifier.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property identifier");
        return false;
    }
    if (propertyArrayIndex != nullptr && !propertyArrayIndex->IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property array index");
        return false;
    }
    if (priority != nullptr && (!priority->IsValid() || priority->GetValue() < kMinPriority ||
                                priority->GetValue() > kMaxPriority)) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the priority");
        return false;
    }
    if (!Codec::CopyAbstractValue(value_, value)) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the property value");
        Reset();
        return false;
    }
    propertyIdentifier_.SetValue(propertyIdentifier.GetValue());
    if (propertyArrayIndex != nullptr) propertyArrayIndex_.SetValue(propertyArrayIndex->GetValue());
    if (priority != nullptr) priority_.SetValue(priority->GetValue());
    valid_ = true;
    return true;
}

bool BACnetPropertyValue::SetPropertyValue(uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                                           const BACnetAbstractSyntaxType& value, std::optional<uint32_t> priority) {
    const BACnetPropertyIdentifier identifier(propertyIdentifier);
    const BACnetPrimitiveUINT index(propertyArrayIndex.value_or(0));
    const BACnetPrimitiveUINT level(priority.value_or(0));
    return SetPropertyValue(identifier, propertyArrayIndex ? &index : nullptr, value, priority ? &level : nullptr);
}

uint16_t BACnetPropertyValue::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyIdentifier");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag);
    if (!Codec::DecodeRequired(value_, cursor, outcome, kValueTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyValue");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(priority_, cursor, outcome, kPriorityTag);
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetPropertyValue::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!Codec::EncodeContext(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the propertyIdentifier");
        return 0;
    }
    if (propertyArrayIndex_.IsValid() &&
        !Codec::EncodeContext(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the propertyArrayIndex");
        return 0;
    }
    if (!Codec::EncodeContext(value_, cursor, outcome, kValueTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the propertyValue");
        return 0;
    }
    if (priority_.IsValid() && !Codec::EncodeContext(priority_, cursor, outcome, kPriorityTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode the priority");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetPropertyValue::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // The value's copy may have run out of memory.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetPropertyValue::Reset() {
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    value_.Reset();
    Codec::ResetContextMember(priority_, kPriorityTag);
    valid_ = false;
}

bool BACnetPropertyValue::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPropertyValue*>(other);
    return same != nullptr && propertyIdentifier_.IsEqual(&same->propertyIdentifier_) &&
           Codec::SameOptional(propertyArrayIndex_, same->propertyArrayIndex_) && value_.IsEqual(&same->value_) &&
           Codec::SameOptional(priority_, same->priority_);
}

bool BACnetPropertyValue::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&propertyIdentifier_, {}, kPropertyIdentifierTag));
    if (propertyArrayIndex_.IsValid())
        children.push_back(MakeRenderChild(&propertyArrayIndex_, "PropertyArrayIndex", kPropertyArrayIndexTag));
    children.push_back(MakeRenderChild(&value_, "Value", kValueTag));
    if (priority_.IsValid()) children.push_back(MakeRenderChild(&priority_, "Priority", kPriorityTag));
    return true;
}

}  // namespace ZalvoBACnetStack
