#include "services/bacnetlistofreadaccessresults.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofreadaccessresults";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfReadAccessResults::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfReadAccessResults::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetListOfReadAccessResults::BACnetListOfReadAccessResults(const BACnetListOfReadAccessResults& other)
    : BACnetObjectBase(other), results_(other.results_) {
    // Out of memory: an incomplete copy must not pass as the list.
    if (results_.Size() != other.results_.Size()) valid_ = false;
}

bool BACnetListOfReadAccessResults::Add(const BACnetReadAccessResult& result) {
    if (!result.IsValid() || !results_.AddCopy(result)) return false;
    valid_ = true;
    return true;
}

uint16_t BACnetListOfReadAccessResults::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    bool outOfMemory = false;
    if (!results_.DecodeUntilEnd(cursor, outcome, outOfMemory)) {
        if (outOfMemory) {
            StackErrorLog(kDecode, kSource, __LINE__, "Error - out of memory");
            SetAbort(outcome, kAbortOutOfResources);
        }
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetListOfReadAccessResults::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfReadAccessResults object");
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

std::unique_ptr<ICodable> BACnetListOfReadAccessResults::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    const auto* list = static_cast<const BACnetListOfReadAccessResults*>(copy.get());
    // Out of memory: a copy that lost a value is no copy.
    if (list != nullptr && list->results_.Size() != results_.Size()) return nullptr;
    return copy;
}

void BACnetListOfReadAccessResults::Reset() {
    results_.Clear();
    valid_ = false;
}

bool BACnetListOfReadAccessResults::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfReadAccessResults*>(other);
    return same != nullptr && results_.IsEqual(same->results_);
}

bool BACnetListOfReadAccessResults::GetAttributes(RenderAttributes& attributes) const {
    results_.AddCount(attributes);
    return true;
}

bool BACnetListOfReadAccessResults::GetChildren(RenderChildren& children) const {
    return results_.AddChildren(children);
}

}  // namespace ZalvoBACnetStack
