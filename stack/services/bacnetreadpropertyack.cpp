#include "services/bacnetreadpropertyack.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertyack";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyACK::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyACK::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetReadPropertyACK::SetObjectIdentifier";
constexpr const char* kSetPropertyIdentifier = "ZalvoBACnetStack::BACnetReadPropertyACK::SetPropertyIdentifier";
constexpr const char* kSetPropertyArrayIndex = "ZalvoBACnetStack::BACnetReadPropertyACK::SetPropertyArrayIndex";
constexpr const char* kSetAck = "ZalvoBACnetStack::BACnetReadPropertyACK::SetReadPropertyACK";
constexpr uint8_t kPropertyValueTag = 3;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadPropertyACK::BACnetReadPropertyACK() : propertyValue_(kPropertyValueTag) { Reset(); }

bool BACnetReadPropertyACK::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (members_.SetObjectIdentifier(objectIdentifier)) return true;
    StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
    return false;
}

bool BACnetReadPropertyACK::SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier) {
    if (members_.SetPropertyIdentifier(propertyIdentifier)) return true;
    StackErrorLog(kSetPropertyIdentifier, kSource, __LINE__, "Failed to set the property identifier");
    return false;
}

bool BACnetReadPropertyACK::SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex) {
    if (members_.SetPropertyArrayIndex(propertyArrayIndex)) return true;
    StackErrorLog(kSetPropertyArrayIndex, kSource, __LINE__, "Failed to set the property array index");
    return false;
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
    const char* failure = members_.Decode(cursor, outcome);
    if (failure == nullptr && !members_.DecodeValue(propertyValue_, cursor, outcome, kPropertyValueTag)) {
        failure = "Failed to decode propertyValue";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
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
    const char* failure = members_.Encode(cursor, outcome);
    if (failure == nullptr && !Codec::EncodeContext(propertyValue_, cursor, outcome, kPropertyValueTag)) {
        failure = "Failed to encode propertyValue";
    }
    if (failure != nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
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
    members_.Reset();
    propertyValue_.Reset();
    valid_ = false;
}

bool BACnetReadPropertyACK::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyACK*>(other);
    return same != nullptr && members_.IsEqual(same->members_) && propertyValue_.IsEqual(&same->propertyValue_);
}

bool BACnetReadPropertyACK::GetChildren(RenderChildren& children) const {
    members_.AddChildren(children);
    children.push_back(MakeRenderChild(&propertyValue_, "PropertyValue", kPropertyValueTag));
    return true;
}

}  // namespace ZalvoBACnetStack
