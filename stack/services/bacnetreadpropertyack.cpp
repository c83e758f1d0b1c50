#include "services/bacnetreadpropertyack.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertyack";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyACK::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyACK::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetReadPropertyACK::SetObjectIdentifier";
constexpr const char* kSetPropertyIdentifier = "ZalvoBACnetStack::BACnetReadPropertyACK::SetPropertyIdentifier";
constexpr const char* kSetPropertyArrayIndex = "ZalvoBACnetStack::BACnetReadPropertyACK::SetPropertyArrayIndex";
constexpr const char* kSetAck = "ZalvoBACnetStack::BACnetReadPropertyACK::SetReadPropertyACK";
constexpr uint8_t kObjectIdentifierTag = 0;
constexpr uint8_t kPropertyIdentifierTag = 1;
constexpr uint8_t kPropertyArrayIndexTag = 2;
constexpr uint8_t kPropertyValueTag = 3;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadPropertyACK::BACnetReadPropertyACK() : propertyValue_(kPropertyValueTag) { Reset(); }

bool BACnetReadPropertyACK::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (!objectIdentifier.IsValid()) {
        StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
        return false;
    }
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    objectIdentifier_.SetRawValue(objectIdentifier.GetRawValue());
    return true;
}

bool BACnetReadPropertyACK::SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier) {
    if (!propertyIdentifier.IsValid()) {
        StackErrorLog(kSetPropertyIdentifier, kSource, __LINE__, "Failed to set the property identifier");
        return false;
    }
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    propertyIdentifier_.SetValue(propertyIdentifier.GetValue());
    return true;
}

bool BACnetReadPropertyACK::SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex) {
    if (!propertyArrayIndex.IsValid()) {
        StackErrorLog(kSetPropertyArrayIndex, kSource, __LINE__, "Failed to set the property array index");
        return false;
    }
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    propertyArrayIndex_.SetValue(propertyArrayIndex.GetValue());
    return true;
}

bool BACnetReadPropertyACK::SetReadPropertyACK(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                               const BACnetPrimitiveENUM& propertyIdentifier,
                                               const BACnetPrimitiveUINT* propertyArrayIndex,
                                               const BACnetAbstractSyntaxType& value) {
    Reset();
    if (!SetObjectIdentifier(objectIdentifier) || !SetPropertyIdentifier(propertyIdentifier) ||
        (propertyArrayIndex != nullptr && !SetPropertyArrayIndex(*propertyArrayIndex)) ||
        !Codec::CopyAbstractValue(propertyValue_, value)) {
        StackErrorLog(kSetAck, kSource, __LINE__, "Failed to set the read property ack");
        Reset();
        return false;
    }
    valid_ = true;
    return true;
}

bool BACnetReadPropertyACK::SetReadPropertyACK(uint16_t objectType, uint32_t objectInstance,
                                               uint32_t propertyIdentifier, std::optional<uint32_t> propertyArrayIndex,
                                               const BACnetAbstractSyntaxType& value) {
    const BACnetPrimitiveObjectIdentifier object(objectType, objectInstance);
    const BACnetPropertyIdentifier property(propertyIdentifier);
    const BACnetPrimitiveUINT index(propertyArrayIndex.value_or(0));
    return SetReadPropertyACK(object, property, propertyArrayIndex ? &index : nullptr, value);
}

uint16_t BACnetReadPropertyACK::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(objectIdentifier_, cursor, outcome, kObjectIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode objectIdentifier");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyIdentifier");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag);
    if (!Codec::DecodeTypedValue(propertyValue_, cursor, outcome, kPropertyValueTag,
                                 objectIdentifier_.GetObjectType(), propertyIdentifier_, propertyArrayIndex_)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode propertyValue");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetReadPropertyACK::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!Codec::EncodeContext(objectIdentifier_, cursor, outcome, kObjectIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode objectIdentifier");
        return 0;
    }
    if (!Codec::EncodeContext(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyIdentifier");
        return 0;
    }
    if (propertyArrayIndex_.IsValid() &&
        !Codec::EncodeContext(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyArrayIndex");
        return 0;
    }
    if (!Codec::EncodeContext(propertyValue_, cursor, outcome, kPropertyValueTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode propertyValue");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadPropertyACK::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // The value's copy may have run out of memory.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetReadPropertyACK::Reset() {
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    propertyValue_.Reset();
    valid_ = false;
}

bool BACnetReadPropertyACK::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyACK*>(other);
    return same != nullptr && objectIdentifier_.IsEqual(&same->objectIdentifier_) &&
           propertyIdentifier_.IsEqual(&same->propertyIdentifier_) &&
           Codec::SameOptional(propertyArrayIndex_, same->propertyArrayIndex_) &&
           propertyValue_.IsEqual(&same->propertyValue_);
}

bool BACnetReadPropertyACK::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&objectIdentifier_, {}, kObjectIdentifierTag));
    children.push_back(MakeRenderChild(&propertyIdentifier_, {}, kPropertyIdentifierTag));
    if (propertyArrayIndex_.IsValid())
        children.push_back(MakeRenderChild(&propertyArrayIndex_, "PropertyArrayIndex", kPropertyArrayIndexTag));
    children.push_back(MakeRenderChild(&propertyValue_, "PropertyValue", kPropertyValueTag));
    return true;
}

}  // namespace ZalvoBACnetStack
