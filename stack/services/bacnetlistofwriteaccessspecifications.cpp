#include "services/bacnetlistofwriteaccessspecifications.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetlistofwriteaccessspecifications";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::Encode";
constexpr const char* kInsert =
    "ZalvoBACnetStack::BACnetListOfWriteAccessSpecifications::InsertWriteAccessSpecification";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetListOfWriteAccessSpecifications::InsertWriteAccessSpecification(
    const BACnetWriteAccessSpecification& accessSpecification) {
    if (!accessSpecification.IsValid() || !specifications_.AddCopy(accessSpecification)) {
        StackErrorLog(kInsert, kSource, __LINE__, "Failed to insert write access specification into list");
        return false;
    }
    valid_ = true;
    return true;
}

uint16_t BACnetListOfWriteAccessSpecifications::Decode(const uint8_t* buffer, uint16_t length,
                                                       BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
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

uint16_t BACnetListOfWriteAccessSpecifications::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_ || specifications_.Empty()) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetListOfWriteAccessSpecifications object");
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

std::unique_ptr<ICodable> BACnetListOfWriteAccessSpecifications::Clone() const {
    std::unique_ptr<ICodable> copy = Codec::CopyOf(*this);
    // A value in a WriteAccessSpecification may have failed to copy when memory ran out.
    if (copy != nullptr && !BACnetServiceCodec::IsCompleteCopy(*copy, *this)) return nullptr;
    return copy;
}

void BACnetListOfWriteAccessSpecifications::Reset() {
    specifications_.Clear();
    valid_ = false;
}

bool BACnetListOfWriteAccessSpecifications::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetListOfWriteAccessSpecifications*>(other);
    return same != nullptr && same->valid_ == valid_ && specifications_.IsEqual(same->specifications_);
}

bool BACnetListOfWriteAccessSpecifications::GetAttributes(RenderAttributes& attributes) const {
    specifications_.AddCount(attributes);
    return true;
}

bool BACnetListOfWriteAccessSpecifications::GetChildren(RenderChildren& children) const {
    return specifications_.AddChildren(children);
}

}  // namespace ZalvoBACnetStack
