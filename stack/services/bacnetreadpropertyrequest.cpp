#include "services/bacnetreadpropertyrequest.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadpropertyrequest";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadPropertyRequest::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadPropertyRequest::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetObjectIdentifier";
constexpr const char* kSetPropertyIdentifier = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetPropertyIdentifier";
constexpr const char* kSetPropertyArrayIndex = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetPropertyArrayIndex";
constexpr const char* kSetRequest = "ZalvoBACnetStack::BACnetReadPropertyRequest::SetReadPropertyRequest";
constexpr uint8_t kObjectIdentifierTag = 0;
constexpr uint8_t kPropertyIdentifierTag = 1;
constexpr uint8_t kPropertyArrayIndexTag = 2;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadPropertyRequest::BACnetReadPropertyRequest() { Reset(); }

bool BACnetReadPropertyRequest::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (!objectIdentifier.IsValid()) {
        StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
        return false;
    }
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    objectIdentifier_.SetRawValue(objectIdentifier.GetRawValue());
    return true;
}

bool BACnetReadPropertyRequest::SetPropertyIdentifier(const BACnetPrimitiveENUM& propertyIdentifier) {
    if (!propertyIdentifier.IsValid()) {
        StackErrorLog(kSetPropertyIdentifier, kSource, __LINE__, "Failed to set the property identifier");
        return false;
    }
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    propertyIdentifier_.SetValue(propertyIdentifier.GetValue());
    return true;
}

bool BACnetReadPropertyRequest::SetPropertyArrayIndex(const BACnetPrimitiveUINT& propertyArrayIndex) {
    if (!propertyArrayIndex.IsValid()) {
        StackErrorLog(kSetPropertyArrayIndex, kSource, __LINE__, "Failed to set the property array index");
        return false;
    }
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    propertyArrayIndex_.SetValue(propertyArrayIndex.GetValue());
    return true;
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
    Reset();
    objectIdentifier_.SetValue(objectType, objectInstance);
    propertyIdentifier_.SetValue(propertyIdentifier);
    if (propertyArrayIndex) propertyArrayIndex_.SetValue(*propertyArrayIndex);
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
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadPropertyRequest::Clone() const { return Codec::CopyOf(*this); }

void BACnetReadPropertyRequest::Reset() {
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    valid_ = false;
}

bool BACnetReadPropertyRequest::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadPropertyRequest*>(other);
    return same != nullptr && objectIdentifier_.IsEqual(&same->objectIdentifier_) &&
           propertyIdentifier_.IsEqual(&same->propertyIdentifier_) &&
           Codec::SameOptional(propertyArrayIndex_, same->propertyArrayIndex_);
}

bool BACnetReadPropertyRequest::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&objectIdentifier_, {}, kObjectIdentifierTag));
    children.push_back(MakeRenderChild(&propertyIdentifier_, {}, kPropertyIdentifierTag));
    if (propertyArrayIndex_.IsValid())
        children.push_back(MakeRenderChild(&propertyArrayIndex_, "PropertyArrayIndex", kPropertyArrayIndexTag));
    return true;
}

}  // namespace ZalvoBACnetStack
