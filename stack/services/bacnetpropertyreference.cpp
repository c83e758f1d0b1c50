#include "services/bacnetpropertyreference.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetpropertyreference";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPropertyReference::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPropertyReference::Encode";
constexpr uint8_t kPropertyIdentifierTag = 0;
constexpr uint8_t kPropertyArrayIndexTag = 1;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetPropertyReference::BACnetPropertyReference() { Reset(); }

void BACnetPropertyReference::SetPropertyReference(uint32_t propertyIdentifier,
                                                   std::optional<uint32_t> propertyArrayIndex) {
    Reset();
    propertyIdentifier_.SetValue(propertyIdentifier);
    if (propertyArrayIndex) propertyArrayIndex_.SetValue(*propertyArrayIndex);
    valid_ = true;
}

uint16_t BACnetPropertyReference::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(propertyIdentifier_, cursor, outcome, kPropertyIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode property identifier");
        Reset();
        return 0;
    }
    Codec::DecodeOptional(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag);
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetPropertyReference::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the property identifier");
        return 0;
    }
    if (propertyArrayIndex_.IsValid() &&
        !Codec::EncodeContext(propertyArrayIndex_, cursor, outcome, kPropertyArrayIndexTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the property array index");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetPropertyReference::Clone() const { return Codec::CopyOf(*this); }

void BACnetPropertyReference::Reset() {
    Codec::ResetContextMember(propertyIdentifier_, kPropertyIdentifierTag);
    Codec::ResetContextMember(propertyArrayIndex_, kPropertyArrayIndexTag);
    valid_ = false;
}

bool BACnetPropertyReference::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetPropertyReference*>(other);
    return same != nullptr && propertyIdentifier_.IsEqual(&same->propertyIdentifier_) &&
           Codec::SameOptional(propertyArrayIndex_, same->propertyArrayIndex_);
}

bool BACnetPropertyReference::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&propertyIdentifier_, {}, kPropertyIdentifierTag));
    if (propertyArrayIndex_.IsValid())
        children.push_back(MakeRenderChild(&propertyArrayIndex_, "PropertyArrayIndex", kPropertyArrayIndexTag));
    return true;
}

}  // namespace ZalvoBACnetStack
