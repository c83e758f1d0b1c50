#include "services/bacnetlistofresults.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofresults";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfResults::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfResults::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetListOfResults::BACnetListOfResults(const BACnetListOfResults& other)
    : BACnetObjectBase(other), objectType_(other.objectType_), results_(other.results_) {
    // Out of memory: an incomplete copy must not pass as the list.
    if (results_.Size() != other.results_.Size()) valid_ = false;
}

bool BACnetListOfResults::Add(const BACnetReadResult& result) {
    if (!result.IsValid() || !results_.AddCopy(result)) return false;
    valid_ = true;
    return true;
}

void BACnetListOfResults::SetEmpty() {
    results_.Clear();
    valid_ = true;
}

uint16_t BACnetListOfResults::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    const uint16_t objectType = objectType_;
    Reset();
    objectType_ = objectType;
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    BACnetTag tag;
    const uint16_t opening = tag.DecodeAndCheckOpeningTag(buffer, length, kListTag);
    if (opening == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error Decoding opening tag");
        SetReject(outcome, kRejectInvalidTag);
        return 0;
    }
    cursor.Advance(opening);
    for (;;) {
        const uint16_t header = tag.Decode(cursor.Here(), cursor.Left());
        if (header == 0) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error decoding tag");
            SetReject(outcome, kRejectOther);
            Reset();
            return 0;
        }
        if (tag.IsClosing() && tag.tagNumber == kListTag) {
            cursor.Advance(header);
            break;
        }
        BACnetReadResult* result = results_.AddNew();
        if (result == nullptr) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
            Reset();
            return 0;
        }
        result->SetObjectType(objectType_);
        const uint16_t used = result->Decode(cursor.Here(), cursor.Left(), outcome);
        if (used == 0 || !cursor.Advance(used)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error decoding the read result");
            Reset();
            return 0;
        }
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfResults::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
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
    if (!results_.EncodeEach(cursor, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding a list item");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetListOfResults::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    const auto* list = static_cast<const BACnetListOfResults*>(copy.get());
    // Out of memory: a copy that lost a value is no copy.
    if (list != nullptr && list->results_.Size() != results_.Size()) return nullptr;
    return copy;
}

void BACnetListOfResults::Reset() {
    results_.Clear();
    valid_ = false;
}

bool BACnetListOfResults::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfResults*>(other);
    return same != nullptr && results_.IsEqual(same->results_);
}

bool BACnetListOfResults::GetAttributes(RenderAttributes& attributes) const {
    results_.AddCount(attributes);
    return true;
}

bool BACnetListOfResults::GetChildren(RenderChildren& children) const {
    return results_.AddChildren(children);
}

}  // namespace ZalvoBACnetStack
