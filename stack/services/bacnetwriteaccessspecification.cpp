#include "services/bacnetwriteaccessspecification.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetwriteaccessspecification";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetWriteAccessSpecification::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetWriteAccessSpecification::Encode";
constexpr const char* kSetObjectIdentifier = "ZalvoBACnetStack::BACnetWriteAccessSpecification::SetObjectIdentifier";
constexpr const char* kAddPropertyValue = "ZalvoBACnetStack::BACnetWriteAccessSpecification::AddPropertyValue";
constexpr uint8_t kObjectIdentifierTag = 0;
constexpr uint8_t kListOfPropertiesTag = 1;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetWriteAccessSpecification::BACnetWriteAccessSpecification() { Reset(); }

bool BACnetWriteAccessSpecification::SetObjectIdentifier(const BACnetPrimitiveObjectIdentifier& objectIdentifier) {
    if (!objectIdentifier.IsValid()) {
        StackErrorLog(kSetObjectIdentifier, kSource, __LINE__, "Failed to set the object identifier");
        Reset();
        return false;
    }
    SetObjectIdentifier(objectIdentifier.GetObjectType(), objectIdentifier.GetInstance());
    return true;
}

void BACnetWriteAccessSpecification::SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance) {
    Reset();
    objectIdentifier_.SetValue(objectType, objectInstance);
    listOfProperties_.SetEmpty();
    valid_ = true;
}

bool BACnetWriteAccessSpecification::AddPropertyValue(const BACnetPropertyValue& value) {
    if (!valid_ || !listOfProperties_.Add(value)) {
        StackErrorLog(kAddPropertyValue, kSource, __LINE__, "Failed to add the property value");
        return false;
    }
    return true;
}

uint16_t BACnetWriteAccessSpecification::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!Codec::DecodeRequired(listOfProperties_, cursor, outcome, kListOfPropertiesTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfProperties");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetWriteAccessSpecification::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!Codec::EncodeContext(listOfProperties_, cursor, outcome, kListOfPropertiesTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode listOfProperties");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetWriteAccessSpecification::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // A value in the list may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetWriteAccessSpecification::Reset() {
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    listOfProperties_.Reset();
    valid_ = false;
}

bool BACnetWriteAccessSpecification::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetWriteAccessSpecification*>(other);
    return same != nullptr && same->valid_ == valid_ && Codec::SameOptional(objectIdentifier_, same->objectIdentifier_) &&
           listOfProperties_.IsEqual(&same->listOfProperties_);
}

bool BACnetWriteAccessSpecification::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&objectIdentifier_, {}, kObjectIdentifierTag));
    children.push_back(MakeRenderChild(&listOfProperties_, "ListOfProperties", kListOfPropertiesTag));
    return true;
}

}  // namespace ZalvoBACnetStack
