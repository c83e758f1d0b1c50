#include "services/bacnetreadaccessresult.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetreadaccessresult";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetReadAccessResult::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetReadAccessResult::Encode";
constexpr uint8_t kObjectIdentifierTag = 0;
constexpr uint8_t kListOfResultsTag = BACnetListOfResults::kListTag;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetReadAccessResult::BACnetReadAccessResult() { Reset(); }

void BACnetReadAccessResult::SetObjectIdentifier(uint16_t objectType, uint32_t objectInstance) {
    Reset();
    objectIdentifier_.SetValue(objectType, objectInstance);
    listOfResults_.SetObjectType(objectIdentifier_.GetObjectType());
    listOfResults_.SetEmpty();
    valid_ = true;
}

bool BACnetReadAccessResult::AddReadResult(const BACnetReadResult& result) { return listOfResults_.Add(result); }

uint16_t BACnetReadAccessResult::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
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
    listOfResults_.SetObjectType(objectIdentifier_.GetObjectType());
    const uint16_t used = listOfResults_.Decode(cursor.Here(), cursor.Left(), outcome);
    if (used == 0 || !cursor.Advance(used)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfResults");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetReadAccessResult::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (listOfResults_.Size() == 0) {
        // The list writes no contents, so its tags are written here.
        const uint16_t opening = BACnetTag::Opening(kListOfResultsTag).Encode(cursor.Here(), cursor.Left());
        if (opening == 0 || !cursor.Advance(opening)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode opening tag of empty listOfResults");
            SetAbort(outcome, kAbortSegmentationNotSupported);
            return 0;
        }
        const uint16_t closing = BACnetTag::Closing(kListOfResultsTag).Encode(cursor.Here(), cursor.Left());
        if (closing == 0 || !cursor.Advance(closing)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode closing tag of empty listOfResults");
            SetAbort(outcome, kAbortSegmentationNotSupported);
            return 0;
        }
        return cursor.used;
    }
    if (!Codec::EncodeContext(listOfResults_, cursor, outcome, kListOfResultsTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode listOfResults");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetReadAccessResult::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // A result whose copy ran out of memory is not a copy.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetReadAccessResult::Reset() {
    Codec::ResetContextMember(objectIdentifier_, kObjectIdentifierTag);
    listOfResults_.Reset();
    listOfResults_.SetObjectType(0);
    valid_ = false;
}

bool BACnetReadAccessResult::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetReadAccessResult*>(other);
    return same != nullptr && objectIdentifier_.IsEqual(&same->objectIdentifier_) &&
           listOfResults_.IsEqual(&same->listOfResults_);
}

bool BACnetReadAccessResult::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&objectIdentifier_, {}, kObjectIdentifierTag));
    children.push_back(MakeRenderChild(&listOfResults_, "ListOfResults", kListOfResultsTag));
    return true;
}

}  // namespace ZalvoBACnetStack
