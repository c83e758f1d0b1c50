#include "services/bacnetreadpropertyrequest.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertyrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyRequest::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetObjectIdentifier";
constexpr const char* kSetPropertyIdentifier = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetPropertyIdentifier";
constexpr const char* kSetPropertyArrayIndex = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetPropertyArrayIndex";
constexpr const char* kSetRequest = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetReadPropertyRequest";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadPropertyRequest::BACnetReadPropertyRequest() { Reset(); }

bool BACnetReadPropertyRequest::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (members_.SetObjectIdentifier(objectIdentifier)) return true;
    StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
    return false;
}

bool BACnetReadPropertyRequest::SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier) {
    if (members_.SetPropertyIdentifier(propertyIdentifier)) return true;
    StackErrorLog(kSetPropertyIdentifier, kSource, __LINE__, "Failed to set the property identifier");
    return false;
}

bool BACnetReadPropertyRequest::SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex) {
    if (members_.SetPropertyArrayIndex(propertyArrayIndex)) return true;
    StackErrorLog(kSetPropertyArrayIndex, kSource, __LINE__, "Failed to set the property array index");
    return false;
}

bool BACnetReadPropertyRequest::SetReadPropertyRequest(const BACnetPrimitiveObjectIdentifier& objectIdentifier,
                                                       const BACnetPrimitiveENUM& propertyIdentifier,
                                                       const BACnetPrimitiveUINT* propertyArrayIndex) {
    Reset();
    if (!SetObjectIdentifier(objectIdentifier) || !SetPropertyIdentifier(propertyIdentifier) ||
        (propertyArrayIndex != nullptr && !SetPropertyArrayIndex(*propertyArrayIndex))) {
        StackErrorLog(kSetRequest, kSource, __LINE__, "Failed to set the read proeprty request");
        Reset();
        return false;
    }
    valid_ = true;
    return true;
}

void BACnetReadPropertyRequest::SetReadPropertyRequest(uint16_t objectType, uint32_t objectInstance,
                                                       uint32_t propertyIdentifier,
                                                       std::optional<uint32_t> propertyArrayIndex) {
    members_.Set(objectType, objectInstance, propertyIdentifier, propertyArrayIndex);
    valid_ = true;
}

uint16_t BACnetReadPropertyRequest::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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

uint16_t BACnetReadPropertyRequest::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (const char* failure = members_.Encode(cursor, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadPropertyRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetReadPropertyRequest::Reset() {
    members_.Reset();
    valid_ = false;
}

bool BACnetReadPropertyRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyRequest*>(other);
    return same != nullptr && members_.IsEqual(same->members_);
}

bool BACnetReadPropertyRequest::GetChildren(RenderChildren& children) const {
    members_.AddChildren(children);
    return true;
}

}  // namespace ZalvoBACnetStack
