#include "services/bacnetlistofreadaccessspecifications.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofreadaccessspecifications";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfReadAccessSpecifications::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfReadAccessSpecifications::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

BACnetListOfReadAccessSpecifications::BACnetListOfReadAccessSpecifications(
    const BACnetListOfReadAccessSpecifications& other)
    : BACnetObjectBase(other), specifications_(other.specifications_) {
    // Out of memory: an incomplete copy must not pass as the list.
    if (specifications_.Size() != other.specifications_.Size()) valid_ = false;
}

bool BACnetListOfReadAccessSpecifications::Add(const BACnetReadAccessSpecification& accessSpecification) {
    if (!accessSpecification.IsValid() || !specifications_.AddCopy(accessSpecification)) return false;
    valid_ = true;
    return true;
}

uint16_t BACnetListOfReadAccessSpecifications::Decode(const uint8_t* buffer, uint16_t length,
                                                      BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    bool outOfMemory = false;
    if (!specifications_.DecodeUntilEnd(cursor, outcome, outOfMemory)) {
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

uint16_t BACnetListOfReadAccessSpecifications::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfReadAccessSpecifications object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!specifications_.EncodeEach(cursor, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error encoding a list item");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetListOfReadAccessSpecifications::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    const auto* list = static_cast<const BACnetListOfReadAccessSpecifications*>(copy.get());
    // Out of memory: a copy that lost a value is no copy.
    if (list != nullptr && list->specifications_.Size() != specifications_.Size()) return nullptr;
    return copy;
}

void BACnetListOfReadAccessSpecifications::Reset() {
    specifications_.Clear();
    valid_ = false;
}

bool BACnetListOfReadAccessSpecifications::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfReadAccessSpecifications*>(other);
    return same != nullptr && specifications_.IsEqual(same->specifications_);
}

bool BACnetListOfReadAccessSpecifications::GetAttributes(RenderAttributes& attributes) const {
    specifications_.AddCount(attributes);
    return true;
}

bool BACnetListOfReadAccessSpecifications::GetChildren(RenderChildren& children) const {
    return specifications_.AddChildren(children);
}

}  // namespace ZalvoBACnetStack
