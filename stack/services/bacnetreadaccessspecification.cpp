#include "services/bacnetreadaccessspecification.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadaccessspecification";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadAccessSpecification::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadAccessSpecification::Encode";
constexpr uint8_t kObjectIdentifierTag = 0;
constexpr uint8_t kListOfPropertyReferencesTag = 1;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadAccessSpecification::BACnetReadAccessSpecification() { Reset(); }

void BACnetReadAccessSpecification::SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance) {
    Reset();
    objectIdentifier_.SetValue(objectType, objectInstance);
}

bool BACnetReadAccessSpecification::AddPropertyReference(const BACnetPropertyReference& reference) {
    if (!reference.IsValid()) return false;
    listOfPropertyReferences_.Add(reference);
    valid_ = objectIdentifier_.IsValid();
    return true;
}

uint16_t BACnetReadAccessSpecification::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    if (!Codec::DecodeRequired(listOfPropertyReferences_, cursor, outcome, kListOfPropertyReferencesTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfPropertyReferences");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetReadAccessSpecification::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!Codec::EncodeContext(listOfPropertyReferences_, cursor, outcome, kListOfPropertyReferencesTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode listOfPropertyReferences");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadAccessSpecification::Clone() const { return Codec::CopyOf(*this); }

void BACnetReadAccessSpecification::Reset() {
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    listOfPropertyReferences_.Reset();
    valid_ = false;
}

bool BACnetReadAccessSpecification::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadAccessSpecification*>(other);
    return same != nullptr && objectIdentifier_.IsEqual(&same->objectIdentifier_) &&
           listOfPropertyReferences_.IsEqual(&same->listOfPropertyReferences_);
}

bool BACnetReadAccessSpecification::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&objectIdentifier_, {}, kObjectIdentifierTag));
    children.push_back(
        MakeRenderChild(&listOfPropertyReferences_, "ListOfPropertyReferences", kListOfPropertyReferencesTag));
    return true;
}

}  // namespace ZalvoBACnetStack
