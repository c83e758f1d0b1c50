#include "services/bacnetobjectpropertyreference.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetobjectpropertyreference";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetObjectPropertyReference::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetObjectPropertyReference::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetObjectPropertyReference::SetObjectIdentifier";
constexpr const char* kSetPropertyIdentifier =
    "ZalvoBACnetStack::BACnetObjectPropertyReference::SetPropertyIdentifier";
constexpr const char* kSetPropertyArrayIndex =
    "ZalvoBACnetStack::BACnetObjectPropertyReference::SetPropertyArrayIndex";
constexpr const char* kSetObjectPropertyReference =
    "ZalvoBACnetStack::BACnetObjectPropertyReference::SetObjectPropertyReference";
using Codec = BACnetServiceCodec;
constexpr Codec::ObjectPropertyMembers::EncodeFailures kEncodeFailures{"Unable to encode the objectIdentifier",
                                                                       "Unable to encode the propertyIdentifier",
                                                                       "Unable to encode the propertyArrayIndex"};
}  // namespace

BACnetObjectPropertyReference::BACnetObjectPropertyReference() { Reset(); }

bool BACnetObjectPropertyReference::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (members_.SetObjectIdentifier(objectIdentifier)) return true;
    StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the value for the object Identifier");
    return false;
}

bool BACnetObjectPropertyReference::SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier) {
    if (members_.SetPropertyIdentifier(propertyIdentifier)) return true;
    StackErrorLog(kSetPropertyIdentifier, kSource, __LINE__, "Failed to set the value for the property identifier");
    return false;
}

bool BACnetObjectPropertyReference::SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex) {
    if (members_.SetPropertyArrayIndex(propertyArrayIndex)) return true;
    StackErrorLog(kSetPropertyArrayIndex, kSource, __LINE__, "Failed to set the value for the property array index");
    return false;
}

bool BACnetObjectPropertyReference::SetObjectPropertyReference(
    const BACnetPrimitiveObjectIdentifier& objectIdentifier, const BACnetPrimitiveENUM& propertyIdentifier,
    const BACnetPrimitiveUINT* propertyArrayIndex) {
    Reset();
    if (!SetObjectIdentifier(objectIdentifier)) {
        StackErrorLog(kSetObjectPropertyReference, kSource, __LINE__, "Failed to set the object identifier");
        Reset();
        return false;
    }
    if (!SetPropertyIdentifier(propertyIdentifier)) {
        StackErrorLog(kSetObjectPropertyReference, kSource, __LINE__, "Failed to set the property identifier");
        Reset();
        return false;
    }
    if (propertyArrayIndex != nullptr && !SetPropertyArrayIndex(*propertyArrayIndex)) {
        StackErrorLog(kSetObjectPropertyReference, kSource, __LINE__, "Failed to set the property array index");
        Reset();
        return false;
    }
    valid_ = true;
    return true;
}

bool BACnetObjectPropertyReference::SetObjectPropertyReference(const BACnetObjectPropertyReference& reference) {
    if (!reference.IsValid()) {
        StackErrorLog(kSetObjectPropertyReference, kSource, __LINE__, "Failed to set the object property reference");
        return false;
    }
    return SetObjectPropertyReference(reference.GetObjectIdentifier(), reference.GetPropertyIdentifier(),
                                      reference.HasPropertyArrayIndex() ? &reference.GetPropertyArrayIndex() : nullptr);
}

void BACnetObjectPropertyReference::SetObjectPropertyReference(uint16_t objectType, uint32_t objectInstance,
                                                               uint32_t propertyIdentifier,
                                                               std::optional<uint32_t> propertyArrayIndex) {
    members_.Set(objectType, objectInstance, propertyIdentifier, propertyArrayIndex);
    valid_ = true;
}

uint16_t BACnetObjectPropertyReference::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (const char* failure = members_.Decode(cursor, outcome)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetObjectPropertyReference::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (const char* failure = members_.Encode(cursor, outcome, kEncodeFailures)) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetObjectPropertyReference::Clone() const { return Codec::CopyOf(*this); }

void BACnetObjectPropertyReference::Reset() {
    members_.Reset();
    valid_ = false;
}

bool BACnetObjectPropertyReference::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetObjectPropertyReference*>(other);
    return same != nullptr && members_.IsEqual(same->members_);
}

bool BACnetObjectPropertyReference::GetChildren(RenderChildren& children) const {
    members_.AddChildren(children);
    return true;
}

}  // namespace ZalvoBACnetStack
